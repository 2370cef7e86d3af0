#pragma once

#include <functional>
#include <mutex>
#include <string>

#include "devices/text_lookup.h"
#include "update/http_options.h"
#include "update/update_state.h"

namespace mousedeck::hid {
class DeviceManager;
}

namespace mousedeck::update {

class UpdateObserver;

// The firmware versions on the information page and the check for a newer
// mouse firmware. Owned by the application controller, one per main window.
//
// Threads: ShowVersions on the device worker after each device read; Check
// wherever the network may block (the NetworkQueue, or the worker); the
// Press*Button routines and Prompt on the user-interface thread; the setters
// and getters anywhere. State is guarded by one mutex, never held during a
// request or an observer call.
class FirmwareUpdater {
public:
    FirmwareUpdater(UpdateObserver& observer, devices::TextLookup text, HttpOptions http);

    // The current product's firmware address (the description's `firmware`
    // url); empty when it names none.
    void SetFirmwareAddress(std::string url);
    std::string FirmwareAddress() const;
    // The mouse's version as read through the receiver (command 0x20); a
    // cable read sets it in ShowVersions instead.
    void SetMouseVersion(std::string version);
    std::string MouseVersion() const;
    std::string ReceiverVersion() const;
    std::string LatestVersion() const;
    UpdateState State() const;

    // Resets the captions and status lines, then, through the receiver
    // (ConnectionKind 1), takes the receiver's version from its release
    // number and offers the receiver button; otherwise takes the mouse's
    // version from the wired interface's release number and offers the
    // firmware button. A missing interface leaves that version empty.
    void ShowVersions(const hid::DeviceManager& manager);

    // Asks "<firmware address>/mouse/version". An answer of 1 to 9 version
    // characters becomes the latest version; with it and the mouse's version
    // both known, a newer one enables the firmware button, shows it and
    // offers the upgrade (OfferFirmwareUpdate); otherwise the mouse is up
    // to date and the button is disabled. No request without an address.
    void Check();

    // UI thread. With no firmware address a notice says there is nothing to
    // check; otherwise `queue_check` (task 24) is called.
    void PressFirmwareButton(const std::function<void()>& queue_check);
    // UI thread. The receiver has no separate upgrade: only a notice.
    void PressReceiverButton();
    // UI thread, after OfferFirmwareUpdate: asks the user; on yes calls
    // `queue_upgrade` (task 27) and opens the firmware dialog. True on yes.
    bool Prompt(const std::function<void()>& queue_upgrade);

private:
    std::string Text(int number) const { return TextOf(text_, number); }

    UpdateObserver& observer_;
    const devices::TextLookup text_;
    const HttpOptions http_;

    mutable std::mutex mutex_;
    std::string firmware_url_;
    std::string mouse_version_;
    std::string receiver_version_;
    std::string latest_version_;
    UpdateState state_ = UpdateState::kUnchecked;
};

}  // namespace mousedeck::update
