#pragma once

#include <functional>
#include <string>

namespace mousedeck::devices {

// Looks up a numbered interface text in the current language; empty when the
// language file has no such text. The shell's localised-text lookup is handed
// in, so the readers need not know where language files live.
using TextLookup = std::function<std::string(int number)>;

}  // namespace mousedeck::devices
