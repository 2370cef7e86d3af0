#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/lang_text.h"
#include "store/records.h"
#include "store/settings_database.h"

namespace mousedeck::pages::macros {

// The macro page's operations on stored macros, for front ends without the
// page (the command line). Macros are global: not tied to a profile.

struct MacroSummary {
    store::MacroEntry macro;
    std::string shown_name;  // as the macro list shows it (MacroListName)
    int record_count = 0;
};

struct MacroDetails {
    store::MacroEntry macro;
    std::string shown_name;
    std::vector<store::MacroRecord> records;  // in record_index order
};

enum class MacroEditStatus {
    kOk,
    kNoSuchMacro,
    kEmptyName,       // a rename to an empty text keeps the stored name
    kDatabaseFailed,  // see the operation for what may have been written
};

// Every macro in database order.
std::vector<MacroSummary> ListMacroSummaries(store::SettingsDatabase& db, const shell::LanguageTexts& texts);

// One macro with its records; nothing when there is no such macro.
std::optional<MacroDetails> ShowMacro(store::SettingsDatabase& db, int macro_id,
                                      const shell::LanguageTexts& texts);

// Renames a macro as the macro list does: the buttons of `profile` that
// play it (Macro family, macro_value = macro_id) take the new name as
// their description, then the macro's stored name changes. Buttons of the
// other profiles keep their old description. kDatabaseFailed when a write
// failed; the descriptions written before it keep the new name.
MacroEditStatus RenameMacroAndBindings(store::SettingsDatabase& db, int macro_id, std::string_view name,
                                       int profile);

// Removes the macro and its records. Buttons bound to it keep their
// binding (the mouse then receives their default function).
MacroEditStatus DeleteMacroById(store::SettingsDatabase& db, int macro_id);

}  // namespace mousedeck::pages::macros
