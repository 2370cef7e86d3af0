#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <set>
#include <string>

#include "required_texts.h"
#include "shell/language_list.h"
#include "shell/lenient_number.h"
#include "shipped_data.h"
#include "support/temp_home.h"
#include "xml/utf8.h"

namespace mousedeck::test {
namespace {

std::set<int> NumbersOf(int lcid) {
    std::set<int> numbers;
    for (const LanLine& line : ScanLanguageFile(ReadFile(ShippedLanguageFile(lcid))).lines) {
        numbers.insert(shell::ParseLenientInt(line.key));
    }
    return numbers;
}

TEST(LanguageFiles, ConfigListsExactlyTheShippedLanguages) {
    const shell::LanguageList list = shell::LoadLanguageList(ExecutableFolder() / "config.xml");
    ASSERT_TRUE(list.read);
    EXPECT_EQ(list.device_name, "Mousedeck Demo");
    EXPECT_EQ(list.languages, ShippedLanguageIds())
        << "config.xml lists a language without a file, or the reverse";
    EXPECT_TRUE(list.Contains(1033));
    EXPECT_TRUE(list.Contains(2052));
    ASSERT_TRUE(list.default_language.has_value());
    EXPECT_TRUE(list.Contains(*list.default_language)) << "default_lan " << *list.default_language;
}

// Every line of every file, looked up by its number through the program's own
// reader, gives back exactly the text written: nothing cut at the length
// limit, no quotes stripped, no second line of a number that is never read.
TEST(LanguageFiles, EveryLineReadsBackAsWritten) {
    for (int lcid : ShippedLanguageIds()) {
        SCOPED_TRACE("language " + std::to_string(lcid));
        const std::string bytes = ReadFile(ShippedLanguageFile(lcid));
        EXPECT_TRUE(xml::CheckUtf8(bytes).valid);
        const LanScan scan = ScanLanguageFile(bytes);
        for (const std::string& problem : scan.problems) {
            ADD_FAILURE() << problem;
        }
        EXPECT_FALSE(scan.lines.empty());
        for (const LanLine& line : scan.lines) {
            SCOPED_TRACE("line " + std::to_string(line.line) + ", key " + line.key);
            // The lookup asks for the key "%d": "061" or "61a" is never found.
            const bool decimal = !line.key.empty() && line.key.size() <= 5 &&
                                 std::all_of(line.key.begin(), line.key.end(),
                                             [](unsigned char c) { return std::isdigit(c) != 0; }) &&
                                 (line.key == "0" || line.key.front() != '0');
            ASSERT_TRUE(decimal) << "key is not a plain decimal number";
            EXPECT_FALSE(line.value.empty());
            // Texts are arguments of formatted captions, never formats themselves.
            EXPECT_EQ(line.value.find('%'), std::string::npos);
            EXPECT_EQ(ShippedText(lcid, shell::ParseLenientInt(line.key)), line.value);
        }
    }
}

TEST(LanguageFiles, HoldEveryRequiredText) {
    std::set<int> numbers;
    for (const RequiredText& required : kRequiredTexts) {
        EXPECT_TRUE(numbers.insert(required.number).second) << "listed twice: " << required.number;
    }
    const std::vector<int> languages = ShippedLanguageIds();
    ASSERT_FALSE(languages.empty());
    for (int lcid : languages) {
        for (const RequiredText& required : kRequiredTexts) {
            EXPECT_FALSE(ShippedText(lcid, required.number).empty())
                << "language " << lcid << " lacks text " << required.number << " (" << required.use << ")";
        }
    }
}

TEST(LanguageFiles, EveryLanguageHasTheSameNumbers) {
    const std::vector<int> languages = ShippedLanguageIds();
    ASSERT_FALSE(languages.empty());
    const std::set<int> reference = NumbersOf(languages.front());
    for (int lcid : languages) {
        const std::set<int> numbers = NumbersOf(lcid);
        std::vector<int> differ;
        std::set_symmetric_difference(reference.begin(), reference.end(), numbers.begin(), numbers.end(),
                                      std::back_inserter(differ));
        EXPECT_TRUE(differ.empty()) << "languages " << lcid << " and " << languages.front() << " differ in "
                                    << ::testing::PrintToString(differ);
    }
}

}  // namespace
}  // namespace mousedeck::test
