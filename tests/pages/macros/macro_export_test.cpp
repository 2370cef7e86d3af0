#include <gtest/gtest.h>

#include <string>

#include "macro_fixture.h"
#include "pages/macros/macro_export.h"

namespace mousedeck::pages::macros {
namespace {

using MacroExportTest = MacroFileTest;

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

TEST_F(MacroExportTest, FormatAWritesTheShownNameAndEveryRecordInOrder) {
    const int id = Store(
        db_,
        {{.name = "Custom 1", .play_type = 2, .play_times = 7, .delay_type = 2, .delay_time = 25}, KeyA()});
    ASSERT_EQ(ExportMacroFileA(db_, id, texts_, FilePath("a.xml")), MacroFileStatus::kOk);
    EXPECT_EQ(
        test::ReadFile(FilePath("a.xml")),
        std::string(kDeclaration) +
            "<macro>\r\n"
            "<macroinfo macro_name=\"Macro 1\" macro_type=\"2\" play_times=\"7\" delay_type=\"2\" "
            "delay_time=\"25\"/>\r\n"
            "<macroitems>\r\n"
            "<item desc=\"\xE2\x86\x93  A\" index=\"0\" type=\"2\" value=\"65\" timestamp=\"7340033\"/>\r\n"
            "<item desc=\"120 ms\" index=\"1\" type=\"1\" value=\"120\" timestamp=\"7340034\"/>\r\n"
            "<item desc=\"\xE2\x86\x91  A\" index=\"2\" type=\"3\" value=\"65\" timestamp=\"7340035\"/>\r\n"
            "</macroitems>\r\n"
            "</macro>\r\n");
}

TEST_F(MacroExportTest, FormatAOfAMacroWithoutRecordsHasAnEmptyItemList) {
    const int id = Store(db_, {{.name = "Empty", .play_type = 0, .play_times = 1, .delay_type = 1}, {}});
    ASSERT_EQ(ExportMacroFileA(db_, id, texts_, FilePath("a.xml")), MacroFileStatus::kOk);
    EXPECT_EQ(test::ReadFile(FilePath("a.xml")),
              std::string(kDeclaration) +
                  "<macro>\r\n"
                  "<macroinfo macro_name=\"Empty\" macro_type=\"0\" play_times=\"1\" delay_type=\"1\" "
                  "delay_time=\"0\"/>\r\n"
                  "<macroitems/>\r\n"
                  "</macro>\r\n");
}

TEST_F(MacroExportTest, FormatBWritesEveryMacroWithItsStoredName) {
    Store(db_, {{.name = "Custom 1", .play_type = 0, .play_times = 3, .delay_type = 1}, KeyA()});
    Store(db_, {{.name = "Custom 2 Copy", .play_type = 1, .play_times = 1, .delay_type = 0}, {}});
    Store(db_, {{.name = "Last", .play_type = 0, .play_times = 1, .delay_type = 2, .delay_time = 10},
                {{.type = 7, .record_index = 4, .value = -3, .delay_time = -1, .desc = ""}}});
    ASSERT_EQ(ExportMacroFileB(db_, FilePath("b.xml")), MacroFileStatus::kOk);
    EXPECT_EQ(
        test::ReadFile(FilePath("b.xml")),
        std::string(kDeclaration) +
            "<macro>\r\n"
            "<macro_item macro_name=\"Custom 1\" macro_type=\"0\" play_times=\"3\" delay_type=\"1\" "
            "delay_time=\"0\">\r\n"
            "<record_item>\r\n"
            "<item desc=\"\xE2\x86\x93  A\" index=\"0\" type=\"2\" value=\"65\" timestamp=\"7340033\"/>\r\n"
            "<item desc=\"120 ms\" index=\"1\" type=\"1\" value=\"120\" timestamp=\"7340034\"/>\r\n"
            "<item desc=\"\xE2\x86\x91  A\" index=\"2\" type=\"3\" value=\"65\" timestamp=\"7340035\"/>\r\n"
            "</record_item>\r\n"
            "</macro_item>\r\n"
            "<macro_item macro_name=\"Custom 2 Copy\" macro_type=\"1\" play_times=\"1\" delay_type=\"0\" "
            "delay_time=\"0\"/>\r\n"
            "<macro_item macro_name=\"Last\" macro_type=\"0\" play_times=\"1\" delay_type=\"2\" "
            "delay_time=\"10\">\r\n"
            "<record_item>\r\n"
            "<item desc=\"\" index=\"4\" type=\"7\" value=\"-3\" timestamp=\"-1\"/>\r\n"
            "</record_item>\r\n"
            "</macro_item>\r\n"
            "</macro>\r\n");
}

TEST_F(MacroExportTest, FormatBOfAnEmptyDatabaseIsAnEmptyRoot) {
    ASSERT_EQ(ExportMacroFileB(db_, FilePath("b.xml")), MacroFileStatus::kOk);
    EXPECT_EQ(test::ReadFile(FilePath("b.xml")), std::string(kDeclaration) + "<macro/>\r\n");
}

// XML's special characters are escaped in names and descriptions; other
// text, Chinese included, is written as UTF-8 unchanged.
TEST_F(MacroExportTest, SpecialCharactersAreEscapedAndChineseIsWrittenAsUtf8) {
    const int id = Store(db_, {{.name = "A<b>&\"c\" 'd' \xE5\xAE\x8F", .play_times = 1},
                               {{.type = 1, .value = 5, .desc = "<&>\xE5\xBB\xB6\xE6\x97\xB6"}}});
    ASSERT_EQ(ExportMacroFileA(db_, id, texts_, FilePath("a.xml")), MacroFileStatus::kOk);
    EXPECT_EQ(test::ReadFile(FilePath("a.xml")),
              std::string(kDeclaration) +
                  "<macro>\r\n"
                  "<macroinfo macro_name=\"A&lt;b&gt;&amp;&quot;c&quot; &apos;d&apos; \xE5\xAE\x8F\" "
                  "macro_type=\"0\" play_times=\"1\" delay_type=\"0\" delay_time=\"0\"/>\r\n"
                  "<macroitems>\r\n"
                  "<item desc=\"&lt;&amp;&gt;\xE5\xBB\xB6\xE6\x97\xB6\" index=\"0\" type=\"1\" value=\"5\" "
                  "timestamp=\"0\"/>\r\n"
                  "</macroitems>\r\n"
                  "</macro>\r\n");
}

TEST_F(MacroExportTest, FailuresAreReportedAndWriteNoFile) {
    EXPECT_EQ(ExportMacroFileA(db_, 42, texts_, FilePath("none.xml")), MacroFileStatus::kNoSuchMacro);
    EXPECT_FALSE(std::filesystem::exists(FilePath("none.xml")));

    const int id = Store(db_, {{.name = "M", .play_times = 1}, KeyA()});
    const std::string no_folder = FilePath("missing/a.xml");
    EXPECT_EQ(ExportMacroFileA(db_, id, texts_, no_folder), MacroFileStatus::kWriteFailed);
    EXPECT_EQ(ExportMacroFileB(db_, no_folder), MacroFileStatus::kWriteFailed);
    EXPECT_EQ(ExportMacroFileB(db_, files_.path().string()), MacroFileStatus::kWriteFailed);  // a folder
}

}  // namespace
}  // namespace mousedeck::pages::macros
