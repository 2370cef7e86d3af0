#pragma once

#include <cstdint>

namespace mousedeck::discovery {

// Language texts this layer shows.
inline constexpr int kCaptionNoDevice = 50;       // connection caption: no device
inline constexpr int kCaptionWired = 51;          // connected by cable
inline constexpr int kCaptionReceiver = 52;       // connected through the receiver
inline constexpr int kNotIdentifiedMessage = 56;  // the chosen mouse did not answer
inline constexpr int kNotIdentifiedTitle = 57;

// What device discovery changes on screen. Front ends override what they
// show; every method does nothing by default. Texts are language text
// numbers, so a front end can show them again after a language change.
//
// Threads: OnDeviceCardChosen calls come from the UI thread. RefreshAndSelect
// and MarkReceiverConnected run on the device worker, and UpdateUSBDevice on
// whichever thread hands it a hot-plug event (the udev monitor's thread, or
// the thread that plugged a simulated mouse): a GUI must queue those calls to
// its own thread, keeping their order. No discovery lock is held during a
// call, but an implementation must not wait for the worker inside one.
class DiscoveryView {
public:
    virtual ~DiscoveryView() = default;

    // Device cards, one per catalogue product (created by the catalogue load).
    // Every card shows "not connected" in every connection mode.
    virtual void ShowAllCardsAbsent() {}
    // The card of `device_type` in connection mode 0 (cable) or 1 (receiver):
    // 1 present, 0 or 2 not reachable (the interface's online state).
    virtual void ShowCardState(int /*device_type*/, int /*connection_mode*/, int /*state*/) {}
    // The release number (bcdDevice) of an interface of the card's product,
    // in the connection mode it came through.
    virtual void ShowCardVersion(int /*device_type*/, int /*connection_mode*/, int /*release_number*/) {}
    // The battery bytes the mouse reports, in the order the mouse protocol
    // hands them to the card.
    virtual void ShowCardBattery(int /*device_type*/, uint8_t /*first*/, uint8_t /*second*/) {}
    // The card that stands for the current product.
    virtual void ShowSelectedCard(int /*device_type*/) {}

    // The connection caption of the device pages' header:
    // kCaptionNoDevice, kCaptionWired or kCaptionReceiver.
    virtual void ShowConnectionCaption(int /*text_number*/) {}

    // The three views of the main window, one at a time.
    // No device: its picture and text, tab 0 selected, pages and list hidden.
    virtual void ShowNoDeviceView() {}
    // The device cards, for the user to pick one; pages, header and the
    // no-device view hidden.
    virtual void ShowDeviceList() {}
    // The device pages and their header, on tab 1 (the button page).
    virtual void ShowDevicePages() {}
    // The settings page, if it is showing, is hidden and the title bar's
    // maximize and settings buttons come back.
    virtual void HideSettingsPage() {}

    // A message box with one OK button.
    virtual void ShowMessage(int /*title_text*/, int /*message_text*/) {}
    // The device situation changed: close menus, key and colour pickers,
    // tips and open message boxes (as "cancel"), hide the wait notice, stop
    // macro recording and take the focus off the DPI control.
    virtual void ClosePopups() {}
    // A device of a catalogue vendor whose product id the catalogue does not
    // list was plugged in: it is not supported by this program.
    virtual void ShowUnsupportedDevice(uint16_t /*vendor_id*/, uint16_t /*product_id*/) {}
};

}  // namespace mousedeck::discovery
