#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "devices/text_lookup.h"
#include "update/firmware_flasher.h"
#include "update/http_options.h"
#include "update/update_folder.h"

namespace mousedeck::hid {
class DeviceManager;
}

namespace mousedeck::update {

class FlashGuard;
class NetworkQueue;
class UpdateObserver;

struct UpgradeTiming {
    FlashTiming flash;
    // Before and after the firmware dialog closes at the end.
    std::chrono::milliseconds dialog_close_pause{100};
};

// The firmware upgrade the user agreed to (task 27): download
// "<address>//mouse//firmware-<version>.zip" into the temporary folder
// (emptied first), unpack it, read "firmware     -<version>.bin" (the word,
// five spaces, a hyphen) and write it into the mouse, with the firmware
// dialog's steps: 5 % downloading, 7 % and 10 % unpacking, the transfer's
// steps, 100 % finished; then the dialog closes.
//
// Split in two so the network never holds up the device: Download (network
// and files, any thread) and Flash (device, on the worker). RunTask wires
// them through a NetworkQueue; Run does everything on the calling thread
// (for a caller that may block, like the command line).
class FirmwareUpgrade {
public:
    FirmwareUpgrade(UpdateObserver& observer, devices::TextLookup text, HttpOptions http, UpdateFolder folder,
                    FlashGuard& guard, UpgradeTiming timing = {});

    // The image, or nothing when the download, the archive or the image
    // failed (then only the 5 % or 7 % step was shown). The archive and the
    // image file are deleted once read. Images longer than kMaxImageBytes
    // are not read.
    std::optional<std::vector<uint8_t>> Download(const std::string& firmware_url, const std::string& version);
    // Device worker. Writes the image (FlashImage) while holding the flash
    // guard, showing the transfer's steps, then the 100 % step.
    FlashOutcome Flash(hid::DeviceManager& manager, std::span<const uint8_t> image);
    // Waits, closes the firmware dialog, waits again.
    void Finish();
    // Download, Flash when an image came, Finish: all on this thread.
    void Run(hid::DeviceManager& manager, const std::string& firmware_url, const std::string& version);

    // The routine of task 27 on the device worker. The first call posts the
    // download to `network` and returns; when it yields an image, the job
    // calls `queue_flash` (which pushes task 27 again) and the next call
    // flashes it and finishes; without an image the job finishes itself. A
    // call while a download is under way does nothing, as that download
    // will queue the flash.
    void RunTask(hid::DeviceManager& manager, const std::string& firmware_url, const std::string& version,
                 NetworkQueue& network, std::function<void()> queue_flash);

private:
    void Step(int percent, int text);

    UpdateObserver& observer_;
    const devices::TextLookup text_;
    const HttpOptions http_;
    const UpdateFolder folder_;
    FlashGuard& guard_;
    const UpgradeTiming timing_;

    std::mutex mutex_;
    bool downloading_ = false;
    std::optional<std::vector<uint8_t>> pending_;
};

}  // namespace mousedeck::update
