#pragma once

#include <string>
#include <string_view>

namespace mousedeck::xml {

// Attribute values: < & > ' " become &lt; &amp; &gt; &apos; &quot;.
std::string EscapeAttribute(std::string_view value);
// Element text: only < & > are replaced.
std::string EscapeText(std::string_view text);
// Reverses both: the five named references and numeric references
// (&#65; &#x41;) become their characters. A reference that is unknown,
// malformed, unterminated or names no valid character (&#0;, a surrogate,
// anything above U+10FFFF) is kept as written.
std::string Unescape(std::string_view text);

}  // namespace mousedeck::xml
