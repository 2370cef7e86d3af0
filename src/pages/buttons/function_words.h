#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "pages/buttons/function_choice.h"

namespace mousedeck::pages::buttons {

struct FunctionWordsParse {
    std::optional<FunctionChoice> choice;
    std::string error;  // when `choice` is empty: what is wrong and what is accepted
};

// A button function named in command-line words:
//   mouse <left|right|middle|back|forward|wheel-up|wheel-down|fire|1-10>
//   key <combination>                    (key_combo.h)
//   media <volume-up|volume-down|mute|player|play-pause|stop|previous|next|1-8>
//   shortcut <brightness-up|brightness-down|calculator|computer|home|mail|
//             desktop|switch-window|copy|paste|cut|1-11>
//   dpi <cycle|up|down|1-3>
//   special <1|2>
//   fire <A 5-255> <B 0-255>
//   macro <macro id>                     (the caller checks that it exists)
//   disable
// Words are matched without regard to case; a value may also be given by its
// number within the family's table. Pure: no file or database is read.
FunctionWordsParse ParseFunctionWords(std::span<const std::string> words);

// The words that name a stored function, the canonical ones that
// ParseFunctionWords reads back to the same values; empty when the function
// has none (values outside the family tables, unknown families, key
// combinations with right-hand modifiers). Special functions 3 to 6, which
// are shown but cannot be chosen, come back as "special 3" .. "special 6".
std::vector<std::string> FunctionWordsOf(int family, int value, int value2);

}  // namespace mousedeck::pages::buttons
