#pragma once

#include "store/records.h"

namespace mousedeck::protocol::test {

// A profile-1 binding of `key_code` to one function of `family`.
inline store::ButtonBinding Binding(int key_code, int family, int value, int value2 = 0) {
    store::ButtonBinding b;
    b.profile = 1;
    b.key_code = key_code;
    b.macro_type = family;
    b.macro_value = value;
    b.macro_value2 = value2;
    return b;
}

}  // namespace mousedeck::protocol::test
