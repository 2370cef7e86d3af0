#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mousedeck::shell {

// An INI text read by the rules of the classic private-profile reader, which
// the settings file and the language files follow:
// - "[name]" opens a section; keys before the first section belong to the
//   section named "" (the settings file keeps its values there);
// - "key=value" lines, blanks around key and value ignored; a line without
//   "=" is a key with an empty value; lines starting with ";" are comments;
// - section and key names compare without regard to ASCII case;
// - a lookup searches only the first section of a name and takes the first
//   key of a name in it;
// - one pair of matching quotes (' or ") around a value is removed.
// Lines end in LF, CR LF or CR. The text is UTF-8; decoding a file is the
// caller's business.
//
// Set edits the text in place, so comments, order and unknown keys survive a
// rewrite of the settings file.
class IniDocument {
public:
    IniDocument() : IniDocument(std::string_view()) {}
    explicit IniDocument(std::string_view text);

    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // Gives the key of the first section of that name the value, so that Find
    // returns it exactly (a value with blanks at its ends, or one that is
    // itself quoted, is written in quotes). A missing key is added at the end
    // of its section, a missing section at the end of the text ("" at the
    // start). False, and nothing changed, when the value holds CR, LF or NUL:
    // it could not be read back from one line and could plant other keys.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // The document as text, each line ended by LF.
    std::string Text() const;

private:
    struct Section {
        std::string name;                                     // lower case
        bool has_lines = false;                               // a header or any other non-blank line
        std::size_t last_line = 0;                            // index in lines_ of the last such line
        std::unordered_map<std::string, std::string> values;  // lower-case key -> value
        std::unordered_map<std::string, std::size_t> key_lines;
    };

    void Index();
    const Section* FindSection(std::string_view name) const;

    std::vector<std::string> lines_;
    std::vector<Section> sections_;  // first occurrence of each name only
};

}  // namespace mousedeck::shell
