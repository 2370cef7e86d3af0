#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mousedeck::xml {

struct Utf8Check {
    bool valid = false;          // well-formed, apart from a cut-off final sequence
    bool truncated_end = false;  // the bytes end inside a multi-byte sequence
};

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
// A sequence cut off by the end of the bytes does not make them invalid:
// callers that test a buffer's first bytes must forgive such a cut.
Utf8Check CheckUtf8(std::string_view bytes);

// The bytes with every ill-formed or cut-off sequence replaced by U+FFFD.
std::string RepairUtf8(std::string_view bytes, std::size_t* replaced = nullptr);

// Appends the UTF-8 form of a code point; surrogates and values above
// U+10FFFF append U+FFFD.
void AppendUtf8(std::string& out, char32_t code_point);

}  // namespace mousedeck::xml
