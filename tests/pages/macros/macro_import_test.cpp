#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "macro_fixture.h"
#include "pages/buttons/macro_names.h"
#include "pages/macros/macro_export.h"
#include "pages/macros/macro_import.h"
#include "store/raw_sqlite.h"

namespace mousedeck::pages::macros {
namespace {

using store::test::RawExec;
using store::test::RawValue;

class MacroImportTest : public MacroFileTest {
protected:
    void SetUp() override {
        MacroFileTest::SetUp();
        ASSERT_TRUE(other_.OpenForDevice(other_data_.path(), "M1", 101));
    }

    // Three macros: one named with the words the macro list replaces, one
    // without records, one with XML special characters and Chinese text.
    void StoreSamples() {
        Store(db_, {{.name = "Custom 1", .play_type = 0, .play_times = 5, .delay_type = 1}, KeyA()});
        Store(db_, {{.name = "\xE8\x87\xAA\xE5\xAE\x9A\xE4\xB9\x89 2 Copy",
                     .play_type = 1,
                     .play_times = 1,
                     .delay_type = 0},
                    {}});
        Store(db_, {{.name = "<\"Fire\" & 'Move'> \xE5\xB0\x84\xE5\x87\xBB",
                     .play_type = 2,
                     .play_times = 1,
                     .delay_type = 2,
                     .delay_time = 25},
                    {{.type = 4, .record_index = 0, .value = 1, .delay_time = 77, .desc = "\xE2\x86\x93  LB"},
                     {.type = 1, .record_index = 1, .value = 10, .delay_time = 78, .desc = "10 ms"},
                     {.type = 5, .record_index = 2, .value = 1, .delay_time = 77, .desc = "\xE2\x86\x91  LB"},
                     {.type = 7, .record_index = 9, .value = 3, .delay_time = 79, .desc = "&<>"}}});
    }

    // Removes every macro, so the next import starts from an empty table.
    void Clear(store::SettingsDatabase& db) {
        for (const store::MacroEntry& macro : db.ListMacros()) {
            ASSERT_TRUE(db.DeleteMacro(macro.macro_id));
        }
    }

    test::TempDir other_data_;
    store::SettingsDatabase other_;  // a second computer
};

TEST_F(MacroImportTest, FormatBRoundTripsEveryMacroAndTheFileByteForByte) {
    StoreSamples();
    ASSERT_EQ(ExportMacroFileB(db_, FilePath("b.xml")), MacroFileStatus::kOk);

    const MacroImportResult result =
        ImportMacroFile(other_, FilePath("b.xml"), MacroFileFormat::kB, texts_, view_);
    EXPECT_EQ(result.status, MacroFileStatus::kOk);
    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(StoredMacros(other_), StoredMacros(db_));

    ASSERT_EQ(ExportMacroFileB(other_, FilePath("again.xml")), MacroFileStatus::kOk);
    EXPECT_EQ(test::ReadFile(FilePath("again.xml")), test::ReadFile(FilePath("b.xml")));

    // The lists show the imported macros as a refresh would.
    ASSERT_EQ(result.imported.size(), 3u);
    const std::vector<std::pair<int, std::string>> shown = {
        {result.imported[0], "Macro 1"},
        {result.imported[1], "Macro 2  Duplicate"},
        {result.imported[2], "<\"Fire\" & 'Move'> \xE5\xB0\x84\xE5\x87\xBB"}};
    EXPECT_EQ(view_.added, shown);
}

// Format A carries the shown name, so the imported copy is named that way;
// its own export then writes the same bytes.
TEST_F(MacroImportTest, FormatARoundTripsOneMacroUnderItsShownName) {
    StoreSamples();
    for (const store::MacroEntry& macro : db_.ListMacros()) {
        SCOPED_TRACE(macro.name);
        ASSERT_EQ(ExportMacroFileA(db_, macro.macro_id, texts_, FilePath("a.xml")), MacroFileStatus::kOk);
        const MacroImportResult result =
            ImportMacroFile(other_, FilePath("a.xml"), MacroFileFormat::kA, texts_, view_);
        ASSERT_EQ(result.status, MacroFileStatus::kOk);
        ASSERT_EQ(result.imported.size(), 1u);

        const auto copy = other_.GetMacro(result.imported[0]);
        ASSERT_TRUE(copy.has_value());
        EXPECT_EQ(copy->name, buttons::MacroListName(macro.name, texts_));
        EXPECT_EQ(std::tie(copy->play_type, copy->play_times, copy->delay_type, copy->delay_time),
                  std::tie(macro.play_type, macro.play_times, macro.delay_type, macro.delay_time));
        std::vector<store::MacroRecord> records = other_.ListMacroRecords(copy->macro_id);
        std::vector<store::MacroRecord> originals = db_.ListMacroRecords(macro.macro_id);
        ASSERT_EQ(records.size(), originals.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            originals[i].record_id = records[i].record_id;
            originals[i].macro_id = records[i].macro_id;
        }
        EXPECT_EQ(records, originals);

        ASSERT_EQ(ExportMacroFileA(other_, copy->macro_id, texts_, FilePath("again.xml")),
                  MacroFileStatus::kOk);
        EXPECT_EQ(test::ReadFile(FilePath("again.xml")), test::ReadFile(FilePath("a.xml")));
    }
}

TEST_F(MacroImportTest, ImportingTwiceAddsTwoMacrosWithTheSameName) {
    Store(db_, {{.name = "Old", .play_times = 1}, {}});
    test::WriteFile(FilePath("b.xml"),
                    "<macro><macro_item macro_name=\"Twice\" play_times=\"3\"><record_item><item type=\"1\" "
                    "value=\"10\" index=\"0\"/></record_item></macro_item></macro>");
    const MacroImportResult first = ImportMacroFile(db_, FilePath("b.xml"), std::nullopt, texts_, view_);
    const MacroImportResult second = ImportMacroFile(db_, FilePath("b.xml"), std::nullopt, texts_, view_);
    ASSERT_EQ(first.imported.size(), 1u);
    ASSERT_EQ(second.imported.size(), 1u);
    EXPECT_NE(first.imported[0], second.imported[0]);

    const std::vector<MacroFileMacro> all = StoredMacros(db_);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].macro.name, "Old");
    EXPECT_EQ(all[1], all[2]);
    EXPECT_EQ(all[1].macro.name, "Twice");
    EXPECT_EQ(all[1].records.size(), 1u);
}

TEST_F(MacroImportTest, FilesThatCannotBeReadImportNothing) {
    struct Case {
        const char* what;
        const char* bytes;  // nullptr: no file at all
        MacroFileStatus status;
    };
    const Case cases[] = {
        {"missing file", nullptr, MacroFileStatus::kUnreadable},
        {"empty file", "", MacroFileStatus::kMalformed},
        {"text", "Custom 1, 0, 1", MacroFileStatus::kMalformed},
        {"unterminated", "<macro><macro_item macro_name=\"M\"/>", MacroFileStatus::kMalformed},
        {"other root", "<profile><macro_item macro_name=\"M\"/></profile>", MacroFileStatus::kMalformed},
        {"format A without header", "<macro><macroitems><item type=\"1\"/></macroitems></macro>",
         MacroFileStatus::kNoMacro},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = FilePath("in.xml");
        std::filesystem::remove(path);
        if (c.bytes != nullptr) {
            test::WriteFile(path, c.bytes);
        }
        const MacroImportResult result = ImportMacroFile(db_, path, MacroFileFormat::kA, texts_, view_);
        EXPECT_EQ(result.status, c.status);
        EXPECT_TRUE(result.imported.empty());
    }
    EXPECT_EQ(ImportMacroFile(db_, files_.path().string(), std::nullopt, texts_, view_).status,
              MacroFileStatus::kUnreadable);
    EXPECT_TRUE(db_.ListMacros().empty());
    EXPECT_EQ(RawValue(DatabaseFile(), "SELECT count(*) FROM t_macrorecord"), "0");
    EXPECT_TRUE(view_.added.empty());
}

// A file cut off anywhere is either whole apart from its final line break,
// or imports nothing at all.
TEST_F(MacroImportTest, ATruncatedFileImportsAllOrNothing) {
    StoreSamples();
    ASSERT_EQ(ExportMacroFileB(db_, FilePath("b.xml")), MacroFileStatus::kOk);
    const std::string whole = test::ReadFile(FilePath("b.xml"));
    const std::vector<MacroFileMacro> expected = StoredMacros(db_);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        test::WriteFile(FilePath("cut.xml"), whole.substr(0, length));
        const MacroImportResult result =
            ImportMacroFile(other_, FilePath("cut.xml"), std::nullopt, texts_, view_);
        if (result.status == MacroFileStatus::kOk) {
            EXPECT_GE(length, whole.size() - 2);  // only the CR LF after the root may go
            EXPECT_EQ(StoredMacros(other_), expected);
        } else {
            EXPECT_EQ(result.status, MacroFileStatus::kMalformed);
            EXPECT_TRUE(other_.ListMacros().empty());
            EXPECT_EQ(RawValue(store::SettingsDatabase::DatabaseFile(other_data_.path(), "M1"),
                               "SELECT count(*) FROM t_macrorecord"),
                      "0");
        }
        Clear(other_);
    }
}

// A macro the database refuses part of is left out whole; the others are
// imported and the result says how many were lost.
TEST_F(MacroImportTest, AMacroTheDatabaseRefusesIsLeftOutWhole) {
    ASSERT_TRUE(RawExec(DatabaseFile(),
                        "CREATE TRIGGER refuse_record BEFORE INSERT ON t_macrorecord WHEN NEW.desc = 'boom' "
                        "BEGIN SELECT RAISE(ABORT, 'refused'); END;"
                        "CREATE TRIGGER refuse_macro BEFORE INSERT ON t_macro_data WHEN NEW.name = 'nope' "
                        "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
    test::WriteFile(
        FilePath("b.xml"),
        "<macro>"
        "<macro_item macro_name=\"first\"><record_item><item desc=\"a\"/><item desc=\"b\"/>"
        "</record_item></macro_item>"
        "<macro_item macro_name=\"broken\"><record_item><item desc=\"ok\"/><item desc=\"boom\"/>"
        "<item desc=\"late\"/></record_item></macro_item>"
        "<macro_item macro_name=\"nope\"><record_item><item desc=\"c\"/></record_item></macro_item>"
        "<macro_item macro_name=\"last\"><record_item><item desc=\"d\"/></record_item></macro_item>"
        "</macro>");
    const MacroImportResult result =
        ImportMacroFile(db_, FilePath("b.xml"), MacroFileFormat::kB, texts_, view_);
    EXPECT_EQ(result.status, MacroFileStatus::kDatabaseFailed);
    EXPECT_EQ(result.failed, 2);
    ASSERT_EQ(result.imported.size(), 2u);

    const std::vector<MacroFileMacro> stored = StoredMacros(db_);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].macro.name, "first");
    EXPECT_EQ(stored[0].records.size(), 2u);
    EXPECT_EQ(stored[1].macro.name, "last");
    EXPECT_EQ(stored[1].records.size(), 1u);
    EXPECT_EQ(RawValue(DatabaseFile(), "SELECT count(*) FROM t_macrorecord"), "3");
    EXPECT_EQ(view_.added.size(), 2u);
}

}  // namespace
}  // namespace mousedeck::pages::macros
