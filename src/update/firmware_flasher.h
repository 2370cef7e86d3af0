#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>

namespace mousedeck::hid {
class DeviceManager;
}

namespace mousedeck::update {

enum class FlashOutcome {
    kImageRefused,    // empty, or longer than kMaxImageBytes: nothing sent
    kNoBootLoader,    // no interface for commands, or no boot-loader interface of its ids
    kBeginFailed,     // the begin report was not accepted: no data sent
    kTransferFailed,  // a data report was not accepted: the rest not sent, the end report sent
    kDone,            // every data report accepted and the end report sent
};

struct FlashTiming {
    // Pause after each of the first two data reports, while the loader
    // erases its flash.
    std::chrono::milliseconds first_reports_pause{10};
};

// Writes `image` into the mouse through the boot-loader interface of the
// device that carries commands (DeviceManager::SelectedIds, then
// OpenUpgradeInterface): the begin report, the data reports (48 image bytes
// each, no read-back unless a write fails), and, once the begin report was
// accepted, the end report whatever the transfer's outcome.
//
// `progress` gets 10 + 90 x k / m after the k-th of the m full data reports
// (nothing for an image shorter than 48 bytes, nothing for the last, partial
// report). Runs on the device worker, which must run no other task and read
// no notifications meanwhile.
FlashOutcome FlashImage(hid::DeviceManager& manager, std::span<const uint8_t> image,
                        const std::function<void(int percent)>& progress, FlashTiming timing = {});

}  // namespace mousedeck::update
