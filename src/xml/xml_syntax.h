#pragma once

#include <cstddef>
#include <string_view>

namespace mousedeck::xml {

// Character classes of XML names, byte by byte over UTF-8: every byte of a
// multi-byte character counts as a name character, so non-ASCII names pass.
bool IsXmlSpace(char c);
bool IsNameStartChar(char c);
bool IsNameChar(char c);
// A whole name: a start character followed by name characters.
bool IsXmlName(std::string_view name);
// Index of the first byte at or after pos that is not a name character.
std::size_t NameEnd(std::string_view text, std::size_t pos);

struct AttributeToken {
    std::size_t name_begin = 0;
    std::size_t name_end = 0;
    std::size_t value_begin = 0;  // inside the quotes
    std::size_t value_end = 0;
};

enum class TagScan {
    kAttribute,     // `token` holds one attribute; pos is just past its closing quote
    kClose,         // pos is at the tag's '>' or at the '/' of "/>"
    kMalformed,     // something else at pos
    kUnterminated,  // the text ended inside the tag or inside a quoted value
};

// Reads the next attribute of a start tag from pos, never looking at or
// beyond `limit`. Whitespace before an attribute is skipped; an attribute
// that follows the previous one without whitespace is malformed, as XML says.
TagScan NextAttribute(std::string_view text, std::size_t& pos, std::size_t limit, AttributeToken& token);

}  // namespace mousedeck::xml
