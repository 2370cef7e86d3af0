#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "pages/macros/macro_file_format.h"
#include "pages/macros/macro_import.h"
#include "shell/app_paths.h"
#include "shell/lang_text.h"
#include "shell/language_state.h"
#include "store/settings_database.h"
#include "stored_macros.h"
#include "support/temp_home.h"

namespace mousedeck::pages::macros {

// Readable failure output for compared macros.
inline void PrintTo(const MacroFileMacro& entry, std::ostream* out) {
    const store::MacroEntry& m = entry.macro;
    *out << "{\"" << m.name << "\" " << m.play_type << "," << m.play_times << "," << m.delay_type << ","
         << m.delay_time << " [";
    for (const store::MacroRecord& r : entry.records) {
        *out << " {\"" << r.desc << "\" " << r.record_index << "," << r.type << "," << r.value << ","
             << r.delay_time << "}";
    }
    *out << " ]}";
}

// Remembers what the macro lists were asked to show.
class RecordingListView : public MacroListView {
public:
    void AddImportedMacro(int macro_id, const std::string& shown_name) override {
        added.emplace_back(macro_id, shown_name);
    }
    std::vector<std::pair<int, std::string>> added;
};

// A fresh settings database, a folder for macro files and language texts in
// which text 351 ("Macro") and 31 ("Duplicate") differ from the stored
// words, so a file shows which form of a name it carries.
class MacroFileTest : public ::testing::Test {
protected:
    MacroFileTest() {
        test::WriteFile(app_ / "language/1033.lan", "[LAN]\n31=Duplicate\n351=Macro\n");
        language_.SetCurrent(1033);
    }

    void SetUp() override { ASSERT_TRUE(db_.OpenForDevice(data_.path(), "M1", 101)); }

    std::string FilePath(const std::string& name) const { return (files_ / name).string(); }
    std::filesystem::path DatabaseFile() const {
        return store::SettingsDatabase::DatabaseFile(data_.path(), "M1");
    }

    // Stores a macro with its records; returns its id.
    int Store(store::SettingsDatabase& db, const MacroFileMacro& entry) {
        const int id = db.AddMacroEntry(entry.macro);
        EXPECT_GT(id, 0);
        for (store::MacroRecord record : entry.records) {
            record.macro_id = id;
            EXPECT_GT(db.AddMacroRecord(record), 0);
        }
        return id;
    }

    static shell::PathEnvironment Environment(const test::TempDir& folder) {
        shell::PathEnvironment environment;
        environment.data_dir = folder.path().string();
        environment.home = folder.path().string();
        return environment;
    }

    test::TempDir app_;
    test::TempDir data_;
    test::TempDir files_;
    shell::AppPaths paths_{"Product", Environment(app_)};
    shell::LanguageState language_;
    shell::LanguageTexts texts_{paths_, language_};
    store::SettingsDatabase db_;
    RecordingListView view_;
};

// Three records of a press and release of A with a delay between them.
inline std::vector<store::MacroRecord> KeyA() {
    return {{.type = 2, .record_index = 0, .value = 65, .delay_time = 7340033, .desc = "\xE2\x86\x93  A"},
            {.type = 1, .record_index = 1, .value = 120, .delay_time = 7340034, .desc = "120 ms"},
            {.type = 3, .record_index = 2, .value = 65, .delay_time = 7340035, .desc = "\xE2\x86\x91  A"}};
}

}  // namespace mousedeck::pages::macros
