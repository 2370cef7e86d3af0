#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "pages/profiles/profile_export.h"
#include "pages/profiles/profile_import.h"
#include "profile_fixture.h"

namespace mousedeck::pages::profiles {
namespace {

using store::test::RawExec;
using store::test::RawValue;

std::string Profile(const std::string& sections = "") {
    return "<profile><profileinfo name=\"ignored\">" + sections + "</profileinfo></profile>";
}

class ProfileImportTest : public ProfileFileTest {
protected:
    ProfileFileStatus Import(int profile, const std::string& path, bool lighting = true) {
        return ImportProfileFile(Target(profile, lighting), path, text_, view_, write_all_);
    }
    // Writes `text` as a profile file named `name` and imports it into profile 1.
    ProfileFileStatus ImportText(const std::string& text, bool lighting = true,
                                 const std::string& name = "In.xml") {
        test::WriteFile(FilePath(name), text);
        return Import(1, FilePath(name), lighting);
    }
    std::string Config(int profile, const std::string& key) {
        return db_.GetConfigValue(profile, key).value_or("<none>");
    }

    // Changes every kind of row of profile 1 an import writes.
    void Scramble() {
        ASSERT_TRUE(db_.RenameProfile(1, "Scrambled"));
        ASSERT_TRUE(db_.SaveBinding({.profile = 1, .key_code = 1, .macro_type = 9, .macro_value = 1}));
        Bind(1, 9, 2, 5, 0, "B");
        Bind(1, 2, 1, 2, 0, "Middle", 1);
        ASSERT_TRUE(db_.SetActiveLight(1, 0));
        auto row = db_.GetLightRow(1, 1);
        row->brightness = 0;
        row->color_values[6] = 42;
        ASSERT_TRUE(db_.UpdateLightRow(*row, 1));
        row = db_.GetLightRow(1, 0);
        row->brightness = 1;
        ASSERT_TRUE(db_.UpdateLightRow(*row, 0));
        for (const char* key : {"report_rate", "dpi_index", "dpi_group5_rgb", "move_closelight"}) {
            ASSERT_TRUE(db_.SetConfigValue(1, key, "77"));
        }
    }
};

// Export, change everything, import: every exported value is back, the
// profile is named after the file, the assignments of other layers are gone
// and the mouse is sent everything once.
TEST_F(ProfileImportTest, ExportThenImportRestoresEveryValueAndTheFileByteForByte) {
    const store::test::Rows original = State(1);
    ASSERT_EQ(ExportProfileFile(Target(1), text_, FilePath("Profile 1.xml")), ProfileFileStatus::kOk);
    Scramble();
    ASSERT_NE(State(1), original);

    ASSERT_EQ(Import(1, FilePath("Profile 1.xml")), ProfileFileStatus::kOk);
    EXPECT_EQ(State(1), original);
    EXPECT_EQ(RawValue(DatabaseFile(), "SELECT count(*) FROM t_key_macro_data WHERE fn_layer <> 0"), "0");
    EXPECT_EQ(view_.shown, std::vector<std::string>{"Profil  1"});
    EXPECT_EQ(writes_, 1);

    ASSERT_EQ(ExportProfileFile(Target(1), text_, FilePath("again.xml")), ProfileFileStatus::kOk);
    EXPECT_EQ(test::ReadFile(FilePath("again.xml")), test::ReadFile(FilePath("Profile 1.xml")));
}

TEST_F(ProfileImportTest, ImportIntoAnotherProfileCopiesItsSettings) {
    ASSERT_EQ(ExportProfileFile(Target(1), text_, FilePath("Copied.xml")), ProfileFileStatus::kOk);
    ASSERT_EQ(Import(2, FilePath("Copied.xml")), ProfileFileStatus::kOk);
    store::test::Rows copy = State(2);
    store::test::Rows source = State(1);
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(copy.front(), std::vector<std::string>{"Copied"});
    EXPECT_EQ(std::vector(copy.begin() + 1, copy.end()), std::vector(source.begin() + 1, source.end()));
    EXPECT_EQ(view_.shown, std::vector<std::string>{"Copied"});
}

TEST_F(ProfileImportTest, TheProfileIsNamedAfterTheFile) {
    struct Case {
        std::string path;
        std::string name;
    };
    const Case cases[] = {
        {"/home/u/My profile.xml", "My profile"},
        {"UPPER.XML", "UPPER"},
        {"/a/b.c/two.dots.xml", "two.dots"},
        {"/a/no-extension", "no-extension"},
        {"/a/keeps.xml.bak", "keeps.xml.bak"},
        {"/a/\xE9\x85\x8D\xE7\xBD\xAE 2.xml", "\xE9\x85\x8D\xE7\xBD\xAE 2"},
        {"/a/bad\xFF.xml", "bad\xEF\xBF\xBD"},
        {"/a/.xml", ""},
        {"/a/", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ImportedProfileName(c.path), c.name) << c.path;
    }

    // A file named only ".xml" keeps the stored name.
    ASSERT_EQ(ImportText(Profile(), true, ".xml"), ProfileFileStatus::kOk);
    EXPECT_EQ(db_.GetProfileName(1), "Profile 1");
    ASSERT_EQ(ImportText(Profile(), true, "Night & Day <\xE5\xA4\x9C>.xml"), ProfileFileStatus::kOk);
    EXPECT_EQ(db_.GetProfileName(1), "Night & Day <\xE5\xA4\x9C>");
    EXPECT_EQ(view_.shown, (std::vector<std::string>{"Profil  1", "Night & Day <\xE5\xA4\x9C>"}));
}

TEST_F(ProfileImportTest, ReportRateWithoutValueStoresEmptyTextAndAMissingOneKeepsIt) {
    ASSERT_EQ(ImportText(Profile("<Mouse><report_rate/></Mouse>")), ProfileFileStatus::kOk);
    EXPECT_EQ(Config(1, "report_rate"), "");
    ASSERT_TRUE(db_.SetConfigValue(1, "report_rate", "8"));
    ASSERT_EQ(ImportText(Profile("<Mouse><sensor_flag value=\"4\"/></Mouse>")), ProfileFileStatus::kOk);
    EXPECT_EQ(Config(1, "report_rate"), "8");
    EXPECT_EQ(Config(1, "sensor_flag"), "4");
    EXPECT_EQ(Config(1, "report_rate_wireless"), "1");
}

TEST_F(ProfileImportTest, AssignmentsAreReplacedAndAnEmptyOneLeavesTheDefault) {
    ASSERT_EQ(ImportText(Profile("<keyitems><item key_code=\"5\" macro_type=\"4\" macro_value=\"0\"/>"
                                 "<item key_code=\"8\" macro_type=\"7\" macro_value=\"0\" macro_value2=\"3\" "
                                 "macro_value3=\"9\" macro_desc=\"Rapid\"/></keyitems>")),
              ProfileFileStatus::kOk);
    EXPECT_EQ(State(1)[1], (std::vector<std::string>{"0", "8", "0", "", "7", "0", "3", "9", "Rapid"}));
    EXPECT_EQ(RawValue(DatabaseFile(), "SELECT count(*) FROM t_key_macro_data WHERE profile = 1"), "1");
}

// Lighting rows are only ever updated: items for effects the profile has no
// row for are skipped, and such an effect does not become the active one.
TEST_F(ProfileImportTest, LightingChangesOnlyExistingRows) {
    ASSERT_EQ(
        ImportText(Profile("<Lightitems lightmode=\"1\"><item light_mode=\"1\" brightness=\"3\" speed=\"4\" "
                           "colorful=\"0\" color_value1=\"16\"/><item light_mode=\"5\" brightness=\"1\"/>"
                           "</Lightitems>")),
        ProfileFileStatus::kOk);
    const auto rows = db_.ListLightRows(1);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(db_.GetActiveLightMode(1), 1);
    EXPECT_EQ(std::tie(rows[0].brightness, rows[0].speed, rows[0].colorful, rows[0].color_values[0],
                       rows[0].color_values[1], rows[0].config_func, rows[0].reserved, rows[0].name),
              std::make_tuple(3, 4, 0, 16, 0, 0x003, 280, std::string("effect 1")));
    EXPECT_FALSE(db_.GetLightRow(1, 5).has_value());

    ASSERT_EQ(ImportText(Profile("<Lightitems lightmode=\"5\"/>")), ProfileFileStatus::kOk);
    EXPECT_EQ(db_.GetActiveLightMode(1), 1);
}

TEST_F(ProfileImportTest, WithLightingOffTheLightingSectionIsIgnored) {
    const store::test::Rows before = State(1);
    ASSERT_EQ(ImportText(Profile("<Lightitems lightmode=\"1\"><item light_mode=\"2\" brightness=\"0\"/>"
                                 "</Lightitems>"),
                         false, "Profile 1.xml"),
              ProfileFileStatus::kOk);
    // Only the assignments went: the file has no keyitems.
    store::test::Rows expected = before;
    expected.erase(expected.begin() + 1, expected.begin() + 4);
    EXPECT_EQ(State(1), expected);
}

TEST_F(ProfileImportTest, KeysTheProfileLacksAreNotCreated) {
    const store::ConfigRow few[] = {{"dpi_count", "3"}};
    const int sparse = db_.AddProfile({.name = "Sparse"}, few);
    ASSERT_EQ(db_.SetActiveProfile(sparse), true);
    test::WriteFile(FilePath("s.xml"),
                    Profile("<Mouse_DPI dpi_count=\"4\" dpi_index=\"2\"><DPI1 value=\"9\"/>"
                            "</Mouse_DPI><Mouse><report_rate value=\"1\"/></Mouse>"));
    ASSERT_EQ(Import(sparse, FilePath("s.xml")), ProfileFileStatus::kOk);
    EXPECT_EQ(State(sparse), (store::test::Rows{{"s"}, {"dpi_count", "4"}}));
}

// Nothing changes, nothing is shown and nothing is sent when the file
// cannot be read, whatever point it was cut off at.
TEST_F(ProfileImportTest, FilesThatCannotBeReadChangeNothing) {
    ASSERT_EQ(ExportProfileFile(Target(1), text_, FilePath("whole.xml")), ProfileFileStatus::kOk);
    const std::string whole = test::ReadFile(FilePath("whole.xml"));
    const store::test::Rows before = State(1);

    std::vector<std::string> broken = {"", "not xml", "<macro><profileinfo/></macro>",
                                       "<profile/><profile/>"};
    for (std::size_t length = 0; length + 2 < whole.size(); ++length) {
        broken.push_back(whole.substr(0, length));
    }
    for (const std::string& bytes : broken) {
        SCOPED_TRACE(bytes.size());
        EXPECT_EQ(ImportText(bytes, true, "Broken.xml"), ProfileFileStatus::kMalformed);
    }
    EXPECT_EQ(Import(1, FilePath("missing.xml")), ProfileFileStatus::kUnreadable);
    EXPECT_EQ(Import(1, files_.path().string()), ProfileFileStatus::kUnreadable);
    EXPECT_EQ(State(1), before);
    EXPECT_TRUE(view_.shown.empty());
    EXPECT_EQ(writes_, 0);
}

TEST_F(ProfileImportTest, AProfileWithoutRowIsRefused) {
    ASSERT_EQ(ExportProfileFile(Target(1), text_, FilePath("p.xml")), ProfileFileStatus::kOk);
    EXPECT_EQ(Import(9, FilePath("p.xml")), ProfileFileStatus::kNoSuchProfile);
    EXPECT_EQ(RawValue(DatabaseFile(), "SELECT count(*) FROM t_key_macro_data WHERE profile = 9"), "0");
    EXPECT_EQ(writes_, 0);
}

// A write the database refuses part way puts the profile back as it was
// and sends nothing. Each trigger refuses one value the file carries, at
// each step of the import, and lets the writes that put rows back through.
TEST_F(ProfileImportTest, AFailedWriteLeavesTheProfileAsItWas) {
    const char* const triggers[] = {
        "CREATE TRIGGER refuse BEFORE UPDATE ON t_profile_data WHEN NEW.name = 'Other name' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END;",
        "CREATE TRIGGER refuse BEFORE INSERT ON t_key_macro_data WHEN NEW.key_code = 7 "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END;",
        "CREATE TRIGGER refuse BEFORE UPDATE ON t_light_data WHEN NEW.mode = 0 AND NEW.brightness = 4 "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END;",
        "CREATE TRIGGER refuse BEFORE UPDATE ON t_configdata WHEN NEW.key = 'move_closelight' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END;",
    };
    ASSERT_EQ(ExportProfileFile(Target(1), text_, FilePath("Other name.xml")), ProfileFileStatus::kOk);
    Scramble();
    ASSERT_TRUE(db_.DeleteBindings(1));  // no rows on other layers: only layer 0 can be put back
    Bind(1, 4, 1, 2, 0, "Middle");
    const store::test::Rows before = State(1);
    for (const char* trigger : triggers) {
        SCOPED_TRACE(trigger);
        ASSERT_TRUE(RawExec(DatabaseFile(), trigger));
        EXPECT_EQ(Import(1, FilePath("Other name.xml")), ProfileFileStatus::kDatabaseFailed);
        EXPECT_EQ(State(1), before);
        ASSERT_TRUE(RawExec(DatabaseFile(), "DROP TRIGGER refuse;"));
    }
    EXPECT_TRUE(view_.shown.empty());
    EXPECT_EQ(writes_, 0);
}

}  // namespace
}  // namespace mousedeck::pages::profiles
