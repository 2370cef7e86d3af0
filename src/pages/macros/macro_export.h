#pragma once

#include <string>

#include "pages/macros/macro_file_format.h"
#include "shell/lang_text.h"
#include "store/settings_database.h"

namespace mousedeck::pages::macros {

// Writes macro `macro_id` to `path` in format A: macro_name is the name as
// the macro list shows it (MacroListName), the other header values and the
// records (in record_index order) come from the database. kNoSuchMacro when
// the database has no such macro; kWriteFailed when the file could not be
// written, in which case a file already at `path` stays as it was.
MacroFileStatus ExportMacroFileA(store::SettingsDatabase& db, int macro_id, const shell::LanguageTexts& texts,
                                 const std::string& path);

// Writes every macro, in database order and with its stored name, to `path`
// in format B. kWriteFailed as above.
MacroFileStatus ExportMacroFileB(store::SettingsDatabase& db, const std::string& path);

}  // namespace mousedeck::pages::macros
