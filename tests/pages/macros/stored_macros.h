#pragma once

#include <vector>

#include "pages/macros/macro_file_format.h"
#include "store/settings_database.h"

namespace mousedeck::pages::macros {

// Every macro of `db` with its records, ids cleared, as a file carries them.
// Free of GoogleTest: the macro-file fuzz target uses it too.
inline std::vector<MacroFileMacro> StoredMacros(store::SettingsDatabase& db) {
    std::vector<MacroFileMacro> all;
    for (store::MacroEntry macro : db.ListMacros()) {
        std::vector<store::MacroRecord> records = db.ListMacroRecords(macro.macro_id);
        for (store::MacroRecord& record : records) {
            record.record_id = 0;
            record.macro_id = 0;
        }
        macro.macro_id = 0;
        all.push_back({macro, records});
    }
    return all;
}

}  // namespace mousedeck::pages::macros
