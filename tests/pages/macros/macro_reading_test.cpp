#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "macro_fixture.h"
#include "pages/macros/macro_file_reader.h"

namespace mousedeck::pages::macros {
namespace {

using Format = std::optional<MacroFileFormat>;
constexpr Format kDetect = std::nullopt;
constexpr Format kA = MacroFileFormat::kA;
constexpr Format kB = MacroFileFormat::kB;

store::MacroEntry Header(std::string name, int play_type, int play_times, int delay_type, int delay_time) {
    return {.name = std::move(name),
            .play_type = play_type,
            .play_times = play_times,
            .delay_type = delay_type,
            .delay_time = delay_time};
}

store::MacroRecord Record(std::string desc, int index, int type, int value, int timestamp) {
    return {.type = type,
            .record_index = index,
            .value = value,
            .delay_time = timestamp,
            .desc = std::move(desc)};
}

struct ReadCase {
    const char* what;
    std::string text;
    Format format;
    MacroFileStatus status;
    MacroFileFormat read_as;
    std::vector<MacroFileMacro> macros;
};

const std::vector<ReadCase>& ReadCases() {
    static const std::vector<ReadCase> cases = {
        {"format A as written",
         "<macro><macroinfo macro_name=\"M\" macro_type=\"1\" play_times=\"2\" delay_type=\"2\" "
         "delay_time=\"30\"/>"
         "<macroitems><item desc=\"d\" index=\"0\" type=\"2\" value=\"65\" "
         "timestamp=\"9\"/></macroitems></macro>",
         kA,
         MacroFileStatus::kOk,
         MacroFileFormat::kA,
         {{Header("M", 1, 2, 2, 30), {Record("d", 0, 2, 65, 9)}}}},
        {"format A: the items before the header are not seen",
         "<macro><macroitems><item type=\"2\"/></macroitems><macroinfo macro_name=\"M\"/></macro>",
         kA,
         MacroFileStatus::kOk,
         MacroFileFormat::kA,
         {{Header("M", 0, 0, 0, 0), {}}}},
        {"format A: other elements are skipped at every level",
         "<macro><note/><macroinfo macro_name=\"M\"/><note/><macroitems><x type=\"9\"/>"
         "<item type=\"1\"/><x/><item type=\"3\"><item type=\"8\"/></item></macroitems></macro>",
         kA,
         MacroFileStatus::kOk,
         MacroFileFormat::kA,
         {{Header("M", 0, 0, 0, 0), {Record("", 0, 1, 0, 0), Record("", 0, 3, 0, 0)}}}},
        {"numbers: leading digits count, the rest reads as 0, beyond int saturates",
         "<macro><macroinfo macro_type=\"12abc\" play_times=\"abc\" delay_type=\" -7\" "
         "delay_time=\"99999999999\"/>"
         "<macroitems><item index=\"5\" type=\"7\" value=\"-2147483649\" timestamp=\"\"/>"
         "<item index=\"2\" type=\"2\"/></macroitems></macro>",
         kA,
         MacroFileStatus::kOk,
         MacroFileFormat::kA,
         {{Header("", 12, 0, -7, INT_MAX), {Record("", 5, 7, INT_MIN, 0), Record("", 2, 2, 0, 0)}}}},
        {"references in names are resolved",
         "<macro><macroinfo macro_name=\"&#x4e2d;&lt;&amp;&#65;\"/><macroitems/></macro>",
         kA,
         MacroFileStatus::kOk,
         MacroFileFormat::kA,
         {{Header("\xE4\xB8\xAD<&A", 0, 0, 0, 0), {}}}},
        {"format A without a header imports nothing",
         "<macro><macroitems><item/></macroitems></macro>",
         kA,
         MacroFileStatus::kNoMacro,
         MacroFileFormat::kA,
         {}},
        {"a format B file read as format A has no header",
         "<macro><macro_item macro_name=\"M\"/></macro>",
         kA,
         MacroFileStatus::kNoMacro,
         MacroFileFormat::kA,
         {}},
        {"format B: every macro_item, with or without records",
         "<macro><macro_item macro_name=\"One\" play_times=\"1\"><record_item><item type=\"1\" value=\"10\"/>"
         "</record_item></macro_item><macro_item macro_name=\"Two\"/><macro_item macro_name=\"Three\">"
         "<record_item><item type=\"2\"/><item type=\"3\"/></record_item></macro_item></macro>",
         kB,
         MacroFileStatus::kOk,
         MacroFileFormat::kB,
         {{Header("One", 0, 1, 0, 0), {Record("", 0, 1, 10, 0)}},
          {Header("Two", 0, 0, 0, 0), {}},
          {Header("Three", 0, 0, 0, 0), {Record("", 0, 2, 0, 0), Record("", 0, 3, 0, 0)}}}},
        {"format B: only the first record_item counts, items outside it do not",
         "<macro><macro_item macro_name=\"M\"><item type=\"9\"/><record_item><item type=\"1\"/></record_item>"
         "<record_item><item "
         "type=\"2\"/></record_item></macro_item><record_item><item/></record_item></macro>",
         kB,
         MacroFileStatus::kOk,
         MacroFileFormat::kB,
         {{Header("M", 0, 0, 0, 0), {Record("", 0, 1, 0, 0)}}}},
        {"a format A file read as format B holds no macro",
         "<macro><macroinfo macro_name=\"M\"/><macroitems/></macro>",
         kB,
         MacroFileStatus::kOk,
         MacroFileFormat::kB,
         {}},
        {"detected: a header element means format A",
         "<macro><macroinfo macro_name=\"M\"/></macro>",
         kDetect,
         MacroFileStatus::kOk,
         MacroFileFormat::kA,
         {{Header("M", 0, 0, 0, 0), {}}}},
        {"detected: a header after a macro_item still means format A",
         "<macro><macro_item/><macroinfo macro_name=\"M\"/></macro>",
         kDetect,
         MacroFileStatus::kOk,
         MacroFileFormat::kA,
         {{Header("M", 0, 0, 0, 0), {}}}},
        {"detected: otherwise format B",
         "<macro><macro_item macro_name=\"M\"/></macro>",
         kDetect,
         MacroFileStatus::kOk,
         MacroFileFormat::kB,
         {{Header("M", 0, 0, 0, 0), {}}}},
        {"detected: an empty root is an empty format B",
         "<macro/>",
         kDetect,
         MacroFileStatus::kOk,
         MacroFileFormat::kB,
         {}},
        {"another root",
         "<profile><macroinfo/></profile>",
         kDetect,
         MacroFileStatus::kMalformed,
         MacroFileFormat::kA,
         {}},
        {"a root inside another root is not a root",
         "<x><macro><macroinfo/></macro></x>",
         kA,
         MacroFileStatus::kMalformed,
         MacroFileFormat::kA,
         {}},
        {"not well-formed: unterminated",
         "<macro><macroinfo macro_name=\"M\"/>",
         kA,
         MacroFileStatus::kMalformed,
         MacroFileFormat::kA,
         {}},
        {"not well-formed: two roots",
         "<macro><macroinfo/></macro><macro/>",
         kA,
         MacroFileStatus::kMalformed,
         MacroFileFormat::kA,
         {}},
        {"not well-formed: a broken attribute",
         "<macro><macroinfo macro_name=\"M/></macro>",
         kA,
         MacroFileStatus::kMalformed,
         MacroFileFormat::kA,
         {}},
        {"empty", "", kB, MacroFileStatus::kMalformed, MacroFileFormat::kA, {}},
        {"not XML", "macro macroinfo", kDetect, MacroFileStatus::kMalformed, MacroFileFormat::kA, {}},
    };
    return cases;
}

TEST(MacroReadingTest, ElementsAreFoundInWrittenOrderAndValuesReadLeniently) {
    for (const ReadCase& c : ReadCases()) {
        SCOPED_TRACE(c.what);
        const MacroFileContents contents = ReadMacroBytes(c.text, c.format);
        EXPECT_EQ(contents.status, c.status);
        if (c.status == MacroFileStatus::kOk) {
            EXPECT_EQ(contents.format, c.read_as);
        }
        EXPECT_EQ(contents.macros, c.macros);
    }
}

}  // namespace
}  // namespace mousedeck::pages::macros
