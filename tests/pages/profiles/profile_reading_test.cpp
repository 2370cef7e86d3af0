#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include "pages/profiles/profile_file_reader.h"

namespace mousedeck::pages::profiles {

// Readable failure output for compared contents.
void PrintTo(const ProfileFileContents& c, std::ostream* out) {
    *out << "bindings:";
    for (const auto& b : c.bindings) {
        *out << " {" << b.key_code << "," << b.macro_type << "," << b.macro_value << "," << b.macro_value2
             << "," << b.macro_value3 << ",\"" << b.macro_desc << "\"}";
    }
    *out << " active_light: " << (c.active_light ? std::to_string(*c.active_light) : "none") << " lights:";
    for (const auto& l : c.lights) {
        *out << " {" << l.mode << "," << l.brightness << "," << l.speed << "," << l.direction << ","
             << l.colorful << "," << l.colorindex << "," << l.color_values[0] << ".." << l.color_values[6]
             << "}";
    }
    *out << " config:";
    for (const auto& row : c.config) {
        *out << " " << row.key << "=\"" << row.value << "\"";
    }
}

namespace {

store::ButtonBinding Binding(int key_code, int type, int value, int value2 = 0, int value3 = 0,
                             std::string desc = "") {
    return {.key_code = key_code,
            .macro_type = type,
            .macro_value = value,
            .macro_value2 = value2,
            .macro_value3 = value3,
            .macro_desc = std::move(desc)};
}

store::LightSetting Light(int mode, int brightness, int speed = 0, std::array<int, 7> colours = {}) {
    return {.mode = mode, .brightness = brightness, .speed = speed, .color_values = colours};
}

// The three attributes of a Mouse_DPI read from `<Mouse_DPI dpi_count="2">`.
std::vector<store::ConfigRow> DpiHeader(std::string count) {
    return {{"dpi_flag", ""}, {"dpi_index", ""}, {"dpi_count", std::move(count)}};
}

std::vector<store::ConfigRow> Join(std::vector<store::ConfigRow> a, const std::vector<store::ConfigRow>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct ReadCase {
    const char* what;
    std::string text;
    bool lighting;
    ProfileFileStatus status;
    ProfileFileContents expected;
};

constexpr char kKeys[] = "<keyitems><item key_code=\"1\" macro_type=\"1\" macro_value=\"1\"/></keyitems>";
constexpr char kLights[] =
    "<Lightitems lightmode=\"2\"><item light_mode=\"2\" brightness=\"1\"/></Lightitems>";
constexpr char kDpi[] = "<Mouse_DPI dpi_count=\"2\"><DPI1 value=\"400\" color=\"5\"/></Mouse_DPI>";
constexpr char kMouse[] = "<Mouse><report_rate value=\"1\"/></Mouse>";

std::string Profile(const std::string& sections) {
    return "<profile><profileinfo name=\"ignored\">" + sections + "</profileinfo></profile>";
}

const std::vector<ReadCase>& ReadCases() {
    const std::vector<store::ConfigRow> dpi =
        Join(DpiHeader("2"), {{"dpi_group0_value", "400"}, {"dpi_group0_rgb", "5"}});
    const std::vector<store::ConfigRow> mouse = {{"report_rate", "1"}};
    static const std::vector<ReadCase> cases = {
        {"every section in order",
         Profile(std::string(kKeys) + kLights + kDpi + kMouse),
         true,
         ProfileFileStatus::kOk,
         {{Binding(1, 1, 1)}, 2, {Light(2, 1)}, Join(dpi, mouse)}},
        {"Mouse first is passed over by the search for the sections after it",
         Profile(std::string(kMouse) + kKeys + kLights + kDpi),
         true,
         ProfileFileStatus::kOk,
         {{Binding(1, 1, 1)}, 2, {Light(2, 1)}, dpi}},
        {"lighting on: Lightitems after Mouse_DPI hides Mouse_DPI",
         Profile(std::string(kKeys) + kDpi + kLights + kMouse),
         true,
         ProfileFileStatus::kOk,
         {{Binding(1, 1, 1)}, 2, {Light(2, 1)}, mouse}},
        {"lighting off: Lightitems is neither read nor searched for",
         Profile(std::string(kKeys) + kDpi + kLights + kMouse),
         false,
         ProfileFileStatus::kOk,
         {{Binding(1, 1, 1)}, std::nullopt, {}, Join(dpi, mouse)}},
        {"without keyitems the later sections are read",
         Profile(std::string(kLights) + kDpi + kMouse),
         true,
         ProfileFileStatus::kOk,
         {{}, 2, {Light(2, 1)}, Join(dpi, mouse)}},
        {"without profileinfo the sections are the root's children",
         "<profile>" + std::string(kKeys) + kMouse + "</profile>",
         true,
         ProfileFileStatus::kOk,
         {{Binding(1, 1, 1)}, std::nullopt, {}, mouse}},
        {"sections before profileinfo are not seen",
         "<profile>" + std::string(kKeys) + "<profileinfo/></profile>",
         true,
         ProfileFileStatus::kOk,
         {}},
        {"Mouse: out-of-order children are passed over, a child without value stores empty text",
         Profile("<Mouse><report_rate/><button_respondtime value=\"4\"/><sensor_flag value=\"x\"/><other/>"
                 "<move_closelight value=\"0\"/></Mouse>"),
         true,
         ProfileFileStatus::kOk,
         {{},
          std::nullopt,
          {},
          {{"button_respondtime", "4"}, {"sensor_flag", "x"}, {"move_closelight", "0"}}}},
        {"Mouse: report_rate without value",
         Profile("<Mouse><report_rate/></Mouse>"),
         true,
         ProfileFileStatus::kOk,
         {{}, std::nullopt, {}, {{"report_rate", ""}}}},
        {"Mouse_DPI: stages missing or out of order",
         Profile(
             "<Mouse_DPI dpi_flag=\"6\" dpi_index=\" 7x\"><DPI2 value=\"2\" color=\"20\"/><DPI1 value=\"1\"/>"
             "<DPI4 value=\"4\" color=\"40\"/></Mouse_DPI>"),
         true,
         ProfileFileStatus::kOk,
         {{},
          std::nullopt,
          {},
          {{"dpi_flag", "6"},
           {"dpi_index", " 7x"},
           {"dpi_count", ""},
           {"dpi_group0_value", "1"},
           {"dpi_group0_rgb", ""},
           {"dpi_group3_value", "4"},
           {"dpi_group3_rgb", "40"}}}},
        {"items: other elements skipped, nested items not read, numbers read leniently",
         Profile("<keyitems><x/><item key_code=\"3abc\" macro_type=\"\" macro_value=\"-1\" "
                 "macro_value2=\"99999999999\" macro_value3=\"7\" macro_desc=\"&lt;d&gt; &#x4e2d;\"/>"
                 "<note><item key_code=\"9\"/></note><item/></keyitems>"),
         true,
         ProfileFileStatus::kOk,
         {{Binding(3, 0, -1, INT_MAX, 7, "<d> \xE4\xB8\xAD"), Binding(0, 0, 0)}, std::nullopt, {}, {}}},
        {"lighting items: every value and colour, missing ones 0",
         Profile(
             "<Lightitems><item light_mode=\"3\" brightness=\"2\" speed=\"1\" direction=\"5\" colorful=\"0\" "
             "colorindex=\"6\" color_value1=\"255\" color_value3=\"-1\" color_value7=\"16777215\"/>"
             "</Lightitems>"),
         true,
         ProfileFileStatus::kOk,
         {{},
          0,
          {{.mode = 3,
            .brightness = 2,
            .speed = 1,
            .direction = 5,
            .colorful = 0,
            .colorindex = 6,
            .color_values = {255, 0, -1, 0, 0, 0, 16777215}}},
          {}}},
        {"another root", "<macro><profileinfo/></macro>", true, ProfileFileStatus::kMalformed, {}},
        {"not well-formed: unterminated", "<profile><profileinfo>", true, ProfileFileStatus::kMalformed, {}},
        {"not well-formed: two roots", "<profile/><profile/>", true, ProfileFileStatus::kMalformed, {}},
        {"empty", "", true, ProfileFileStatus::kMalformed, {}},
    };
    return cases;
}

TEST(ProfileReadingTest, SectionsAreFoundInWrittenOrderAndValuesReadAsWritten) {
    for (const ReadCase& c : ReadCases()) {
        SCOPED_TRACE(c.what);
        const ProfileFileRead read = ReadProfileBytes(c.text, c.lighting);
        EXPECT_EQ(read.status, c.status);
        EXPECT_EQ(read.contents, c.expected);
    }
}

}  // namespace
}  // namespace mousedeck::pages::profiles
