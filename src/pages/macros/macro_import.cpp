#include "pages/macros/macro_import.h"

#include "pages/buttons/macro_names.h"
#include "pages/macros/macro_file_reader.h"

namespace mousedeck::pages::macros {
namespace {

// Stores one macro with its records; the new id, or 0 with nothing left
// behind.
int StoreMacro(store::SettingsDatabase& db, const MacroFileMacro& entry) {
    const int macro_id = db.AddMacroEntry(entry.macro);
    if (macro_id <= 0) {
        return 0;
    }
    std::vector<store::MacroRecord> records = entry.records;
    for (store::MacroRecord& record : records) {
        record.macro_id = macro_id;
    }
    if (!db.AddMacroRecords(records)) {
        // The records that did get in are committed with the header; take
        // the macro out again so no macro is left with part of its events.
        db.DeleteMacro(macro_id);
        return 0;
    }
    return macro_id;
}

}  // namespace

MacroImportResult ImportMacros(store::SettingsDatabase& db, const std::vector<MacroFileMacro>& macros,
                               const shell::LanguageTexts& texts, MacroListView& view) {
    MacroImportResult result;
    for (const MacroFileMacro& entry : macros) {
        const int macro_id = StoreMacro(db, entry);
        if (macro_id == 0) {
            ++result.failed;
            result.status = MacroFileStatus::kDatabaseFailed;
            continue;
        }
        result.imported.push_back(macro_id);
        view.AddImportedMacro(macro_id, buttons::MacroListName(entry.macro.name, texts));
    }
    return result;
}

MacroImportResult ImportMacroFile(store::SettingsDatabase& db, const std::string& path,
                                  std::optional<MacroFileFormat> format, const shell::LanguageTexts& texts,
                                  MacroListView& view) {
    const MacroFileContents contents = ReadMacroFile(path, format);
    if (contents.status != MacroFileStatus::kOk) {
        MacroImportResult result;
        result.status = contents.status;
        return result;
    }
    return ImportMacros(db, contents.macros, texts, view);
}

}  // namespace mousedeck::pages::macros
