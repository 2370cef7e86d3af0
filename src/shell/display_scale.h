#pragma once

namespace mousedeck::shell {

// The display scale in percent as the start-up's DPI-awareness decision uses
// it, from the effective horizontal DPI of the monitor nearest the top-left
// corner. Pass 96 when there is no monitor or the DPI cannot be had. The
// steps are 96 or less -> 100, 120 -> 125, 144 -> 144, 168 -> 168,
// 192 -> 192, anything else -> 100; only the comparison with 125 matters to
// the caller, so 144 (150 %) staying 144 is harmless.
int DisplayScalePercent(int effective_dpi);

}  // namespace mousedeck::shell
