// Button bindings of SettingsDatabase.
#include "store/settings_database.h"
#include "store/statement_runner.h"

namespace mousedeck::store {
namespace {

// Reads, updates and lists look at layer 0 only.
constexpr int kBaseLayer = 0;

// t_key_macro_data columns: key_id, profile, fn_layer, key_code, layout_value,
// layout_desc, macro_type, macro_value, macro_value2, macro_value3, macro_desc.
ButtonBinding ReadBinding(const SQLiteStatement& row) {
    ButtonBinding binding;
    binding.key_id = row.ColumnInt(0);
    binding.profile = row.ColumnInt(1);
    binding.fn_layer = row.ColumnInt(2);
    binding.key_code = row.ColumnInt(3);
    binding.layout_value = row.ColumnInt(4);
    binding.layout_desc = row.ColumnText(5);
    binding.macro_type = row.ColumnInt(6);
    binding.macro_value = row.ColumnInt(7);
    binding.macro_value2 = row.ColumnInt(8);
    binding.macro_value3 = row.ColumnInt(9);
    binding.macro_desc = row.ColumnText(10);
    return binding;
}

}  // namespace

int SettingsDatabase::SaveBinding(const ButtonBinding& binding) {
    std::lock_guard guard(lock_);
    RunWrite(connection_, "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?",
             binding.profile, binding.fn_layer, binding.key_code);
    if (binding.macro_value == 0 && binding.macro_value2 == 0) {
        return 0;
    }
    return RunInsert(connection_,
                     "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, layout_desc, "
                     "macro_type, macro_value, macro_value2, macro_value3, macro_desc) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
                     binding.profile, binding.fn_layer, binding.key_code, binding.layout_value,
                     binding.layout_desc, binding.macro_type, binding.macro_value, binding.macro_value2,
                     binding.macro_value3, binding.macro_desc);
}

std::optional<ButtonBinding> SettingsDatabase::GetBinding(int profile, int key_code) {
    std::lock_guard guard(lock_);
    return QueryOne(connection_,
                    "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?",
                    ReadBinding, profile, kBaseLayer, key_code);
}

bool SettingsDatabase::SetBindingDescription(int profile, int key_code, std::string_view text) {
    std::lock_guard guard(lock_);
    return RunWrite(
        connection_,
        "UPDATE t_key_macro_data SET macro_desc = ? WHERE profile = ? and fn_layer = ? and key_code = ?",
        text, profile, kBaseLayer, key_code);
}

std::vector<ButtonBinding> SettingsDatabase::ListBindings(int profile) {
    std::lock_guard guard(lock_);
    return QueryList(connection_, "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?",
                     ReadBinding, profile, kBaseLayer);
}

bool SettingsDatabase::DeleteBindings(int profile) {
    std::lock_guard guard(lock_);
    return RunWrite(connection_, "DELETE FROM t_key_macro_data WHERE profile = ?", profile);
}

}  // namespace mousedeck::store
