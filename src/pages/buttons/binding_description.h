#pragma once

#include <string>

#include "shell/lang_text.h"
#include "store/records.h"

namespace mousedeck::pages::buttons {

// The language text a stored binding of `family` with `value` is shown by,
// or 0 when it shows its stored description instead (Keyboard key, Macro and
// DPI rows, Special function 2, values outside the family's table and
// unknown families).
int ShownTextOf(int family, int value);

// The text the button page shows for a stored binding: the language text of
// its value where the family has one, the localised macro name for a Macro,
// else the stored description. `language_id` is the current interface
// language (an LCID), the one `texts` reads.
std::string DescribeBinding(const store::ButtonBinding& binding, const shell::LanguageTexts& texts,
                            int language_id);

}  // namespace mousedeck::pages::buttons
