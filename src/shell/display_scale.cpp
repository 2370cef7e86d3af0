#include "shell/display_scale.h"

namespace mousedeck::shell {

int DisplayScalePercent(int effective_dpi) {
    switch (effective_dpi) {
        case 120:
            return 125;
        case 144:
            return 144;
        case 168:
            return 168;
        case 192:
            return 192;
        default:
            return 100;
    }
}

}  // namespace mousedeck::shell
