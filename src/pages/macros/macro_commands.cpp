#include "pages/macros/macro_commands.h"

#include "pages/buttons/function_family.h"
#include "pages/buttons/macro_names.h"

namespace mousedeck::pages::macros {

std::vector<MacroSummary> ListMacroSummaries(store::SettingsDatabase& db, const shell::LanguageTexts& texts) {
    std::vector<MacroSummary> summaries;
    for (store::MacroEntry& macro : db.ListMacros()) {
        MacroSummary summary;
        summary.shown_name = buttons::MacroListName(macro.name, texts);
        summary.record_count = static_cast<int>(db.ListMacroRecords(macro.macro_id).size());
        summary.macro = std::move(macro);
        summaries.push_back(std::move(summary));
    }
    return summaries;
}

std::optional<MacroDetails> ShowMacro(store::SettingsDatabase& db, int macro_id,
                                      const shell::LanguageTexts& texts) {
    std::optional<store::MacroEntry> macro = db.GetMacro(macro_id);
    if (!macro) {
        return std::nullopt;
    }
    MacroDetails details;
    details.shown_name = buttons::MacroListName(macro->name, texts);
    details.records = db.ListMacroRecords(macro_id);
    details.macro = std::move(*macro);
    return details;
}

MacroEditStatus RenameMacroAndBindings(store::SettingsDatabase& db, int macro_id, std::string_view name,
                                       int profile) {
    if (!db.GetMacro(macro_id)) {
        return MacroEditStatus::kNoSuchMacro;
    }
    if (name.empty()) {
        return MacroEditStatus::kEmptyName;
    }
    bool ok = true;
    for (const store::ButtonBinding& binding : db.ListBindings(profile)) {
        if (binding.macro_type == buttons::family::kMacro && binding.macro_value == macro_id) {
            ok = db.SetBindingDescription(profile, binding.key_code, name) && ok;
        }
    }
    ok = db.RenameMacro(macro_id, name) && ok;
    return ok ? MacroEditStatus::kOk : MacroEditStatus::kDatabaseFailed;
}

MacroEditStatus DeleteMacroById(store::SettingsDatabase& db, int macro_id) {
    if (!db.GetMacro(macro_id)) {
        return MacroEditStatus::kNoSuchMacro;
    }
    return db.DeleteMacro(macro_id) ? MacroEditStatus::kOk : MacroEditStatus::kDatabaseFailed;
}

}  // namespace mousedeck::pages::macros
