#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "xml/xml_index.h"

namespace mousedeck::xml {

// Elements may nest this deep; a deeper element ends the parse with
// "nesting_too_deep".
inline constexpr std::size_t kMaxNestingDepth = 1024;
// Texts longer than this are not indexed ("text_too_large"); offsets are
// 32-bit and the index of a pathological text would be huge.
inline constexpr std::size_t kMaxTextSize = 16 * 1024 * 1024;

struct ParseResult {
    // Names of the conditions met, each once, in the order first met:
    // syntax marks ("tag_syntax", "attribute_syntax", "end_tag_syntax",
    // "unterminated_tag_syntax", "unterminated_comment", "unterminated_cdata",
    // "unterminated_pi", "unterminated_doctype", "lone_end_tag",
    // "unended_start_tag", "nesting_too_deep", "text_too_large") and the
    // document conditions "no_root_element" and "root_has_sibling".
    std::vector<std::string> conditions;
    bool syntax_ok = true;  // no syntax mark: the offsets describe complete elements
    bool has_root = false;
    bool root_has_sibling = false;

    bool WellFormed() const { return syntax_ok && has_root && !root_has_sibling; }
};

// Builds the element index of an XML text in one pass without recursion.
// Comments, processing instructions, CDATA sections and declarations
// (DOCTYPE with an internal subset) are skipped as XML 1.0 delimits them.
// Malformed input never stops the index from describing what was read: an
// end tag closes the nearest open element of its name (those above it are
// "unended"), a stray end tag is ignored, and whatever is open when the
// text ends is closed there.
ParseResult ParseXml(std::string_view text, XmlIndex& index);

}  // namespace mousedeck::xml
