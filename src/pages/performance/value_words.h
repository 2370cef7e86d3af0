#pragma once

#include <optional>
#include <string_view>

namespace mousedeck::pages::performance {

// Words typed on a command line or into a page's field. Matching ignores
// the case of ASCII letters; leading and trailing blanks are not accepted.

// A whole decimal number: an optional sign, then digits and nothing else.
// Numbers beyond the int range saturate, as a number field does.
std::optional<int> ParseWholeNumber(std::string_view word);

// on|off, also 1|0, yes|no, true|false.
std::optional<bool> ParseSwitch(std::string_view word);

// `word` equals `name` but for the case of ASCII letters.
bool SameWord(std::string_view word, std::string_view name);

// `word` equals `name` but for the case of ASCII letters and an optional
// "Hz" or "mm" style suffix `unit` ("1000Hz", "1000hz").
bool SameWordWithUnit(std::string_view word, std::string_view name, std::string_view unit);

}  // namespace mousedeck::pages::performance
