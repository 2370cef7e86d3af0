#pragma once

#include <cstdint>
#include <string_view>

namespace mousedeck::shell {

// Decimal text as files, settings and the database hold it: leading blanks,
// an optional sign, then digits up to the first non-digit. No digits give 0;
// values beyond the int range saturate.
int ParseLenientInt(std::string_view text);

// Hexadecimal text with or without a "0x"/"0X" prefix, as vendor and product
// ids are written; stops at the first non-hex character, no digits give 0,
// values beyond 32 bits saturate.
uint32_t ParseLenientHex(std::string_view text);

}  // namespace mousedeck::shell
