#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pages/macros/macro_file_format.h"
#include "shell/lang_text.h"
#include "store/settings_database.h"

namespace mousedeck::pages::macros {

// Where imported macros appear: the macro list and the button page's macro
// choice list. Does nothing by default. Called on the importing thread.
class MacroListView {
public:
    virtual ~MacroListView() = default;
    // Both lists gain an entry: text `shown_name` (MacroListName of the
    // stored name, as a refresh of the lists shows it), data `macro_id`. The
    // selection and the record list stay as they are.
    virtual void AddImportedMacro(int /*macro_id*/, const std::string& /*shown_name*/) {}
};

struct MacroImportResult {
    MacroFileStatus status = MacroFileStatus::kOk;
    std::vector<int> imported;  // new macro ids, in file order
    int failed = 0;             // macros the database refused
};

// Adds each macro as a new macro next to the existing ones: new ids, names
// kept as read (no check for an existing name), record_index values as
// written. A macro is stored whole or not at all: when its header or any
// of its records cannot be stored, what was written of it is removed, it
// is counted in `failed`, and the import goes on with the next one
// (status kDatabaseFailed). Each stored macro is announced to `view`.
MacroImportResult ImportMacros(store::SettingsDatabase& db, const std::vector<MacroFileMacro>& macros,
                               const shell::LanguageTexts& texts, MacroListView& view);

// Reads the whole file (ReadMacroFile) and imports its macros. A file that
// cannot be read, is not well-formed, has no `macro` root or (format A) no
// `macroinfo` imports nothing and reports why.
MacroImportResult ImportMacroFile(store::SettingsDatabase& db, const std::string& path,
                                  std::optional<MacroFileFormat> format, const shell::LanguageTexts& texts,
                                  MacroListView& view);

}  // namespace mousedeck::pages::macros
