#pragma once

#include <string>
#include <vector>

#include "devices/device_description.h"

namespace mousedeck::devices {

// What loading the catalogue and a product description changes on screen.
// Front ends override what they show; every method does nothing by default.
//
// Threads: the catalogue calls come from the thread that loads config.xml
// (the UI thread at start-up). The description calls come from whichever
// thread selects the current product, which is the device worker after a
// hot-plug or device read: a GUI must queue them to its own thread.
class CatalogueView {
public:
    virtual ~CatalogueView() = default;

    // Device cards, one per catalogue product.
    virtual void ClearDeviceCards() {}
    virtual void AddDeviceCard(const std::string& /*name*/, int /*device_type*/,
                               const std::string& /*image_path*/) {}
    // Window title: the localised "version" word, ": v" and the version.
    virtual void ShowTitleCaption(const std::string& /*caption*/) {}

    // The mouse picture of the button page. It is shown only when the image
    // loads and is wider than 1 pixel, its right edge kRightMargin pixels from
    // the window's right edge and its top at kTop (before display scaling).
    static constexpr int kMousePictureRightMargin = 150;
    static constexpr int kMousePictureTop = 120;
    virtual void ShowMousePicture(const std::string& /*image_path*/) {}
    // Lighting tab (tab 4) shown or hidden; the tabs are laid out again.
    virtual void ShowLightingTab(bool /*visible*/) {}
    // Optional page parts offered or withdrawn; the pages are laid out again.
    virtual void ShowPageOptions(const PageOptions& /*options*/) {}
    // Replaces the markers on the mouse picture and the rows of the button
    // list with these buttons, in this order, and selects the first of both.
    // Names and descriptions are language text numbers.
    virtual void ShowButtons(const std::vector<DescriptionButton>& /*buttons*/) {}
};

}  // namespace mousedeck::devices
