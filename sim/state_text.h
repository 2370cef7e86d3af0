#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/mouse_state.h"

namespace mousedeck::sim {

// The state file's text: a first line "mousedeck-sim-state 1", then one
// "<name> <value>" line per field; byte strings are upper-case hex pairs
// separated by spaces:
//   device_id 53 4D 30 31
//   firmware 0105              (hex release number)
//   receiver_firmware 0102
//   battery 00 64              (identity bytes 12, 13)
//   cable 1 / receiver 1 / power 1
//   payload 03 <27 bytes>      (set code, then its stored payload)
//   macro 03 <event bytes>     (key code, then its events; may be empty)
//   sensor 11 / max_rate 40    (identity bytes 10, 11; only when changed)
//   owed 00 C2 21 00 …         (connection mode, then an owed input report)
std::string StateToText(const MouseState& state);

// Nothing when the header is missing or any line is malformed: a damaged
// file must not yield a half-restored mouse. Unknown names are skipped so a
// newer simulator's file still loads.
std::optional<MouseState> StateFromText(std::string_view text);

}  // namespace mousedeck::sim
