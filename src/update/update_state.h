#pragma once

#include <string>

#include "devices/text_lookup.h"

namespace mousedeck::update {

// What the last check found.
enum class UpdateState {
    kUnchecked = 0,  // no check has finished with an answer
    kNewer = 1,      // the server has a newer version
    kUpToDate = 2,
};

// Language text numbers the update routines show.
namespace texts {
inline constexpr int kMouseFirmware = 551;     // mouse firmware caption and box title
inline constexpr int kReceiverFirmware = 552;  // receiver firmware caption and box title
inline constexpr int kUpToDate = 580;          // "latest version" status
inline constexpr int kUpdateTitle = 581;       // application update box title
inline constexpr int kNewVersion = 582;        // "new version" status and prompt
inline constexpr int kUpdateQuestion = 583;    // "update now?" in the prompts
inline constexpr int kDownloading = 590;
inline constexpr int kUnpacking = 591;
inline constexpr int kWriting = 592;
inline constexpr int kFinished = 593;
}  // namespace texts

// A text of the lookup, or "" when there is no lookup.
inline std::string TextOf(const devices::TextLookup& lookup, int number) {
    return lookup ? lookup(number) : std::string();
}

}  // namespace mousedeck::update
