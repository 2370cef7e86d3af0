#include "pages/macros/macro_export.h"

#include <vector>

#include "pages/buttons/macro_names.h"
#include "pages/macros/macro_file_writer.h"

namespace mousedeck::pages::macros {
namespace {

MacroFileStatus Save(std::optional<xml::XmlDocument> doc, const std::string& path) {
    if (!doc || !doc->SaveText(path)) {
        return MacroFileStatus::kWriteFailed;
    }
    return MacroFileStatus::kOk;
}

}  // namespace

MacroFileStatus ExportMacroFileA(store::SettingsDatabase& db, int macro_id, const shell::LanguageTexts& texts,
                                 const std::string& path) {
    const std::optional<store::MacroEntry> macro = db.GetMacro(macro_id);
    if (!macro) {
        return MacroFileStatus::kNoSuchMacro;
    }
    const std::vector<store::MacroRecord> records = db.ListMacroRecords(macro_id);
    return Save(BuildMacroFileA(*macro, buttons::MacroListName(macro->name, texts), records), path);
}

MacroFileStatus ExportMacroFileB(store::SettingsDatabase& db, const std::string& path) {
    std::vector<MacroFileMacro> macros;
    for (store::MacroEntry& macro : db.ListMacros()) {
        std::vector<store::MacroRecord> records = db.ListMacroRecords(macro.macro_id);
        macros.push_back({std::move(macro), std::move(records)});
    }
    return Save(BuildMacroFileB(macros), path);
}

}  // namespace mousedeck::pages::macros
