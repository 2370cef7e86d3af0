#pragma once

#include <string>
#include <vector>

#include "devices/catalogue_view.h"

namespace mousedeck::devices {

// Records every view call as one line of text, in call order.
class RecordingCatalogueView : public CatalogueView {
public:
    std::vector<std::string> calls;
    std::vector<DescriptionButton> shown_buttons;

    void ClearDeviceCards() override { calls.push_back("ClearDeviceCards"); }
    void AddDeviceCard(const std::string& name, int device_type, const std::string& image_path) override {
        calls.push_back("AddDeviceCard " + name + " " + std::to_string(device_type) + " " + image_path);
    }
    void ShowTitleCaption(const std::string& caption) override {
        calls.push_back("ShowTitleCaption " + caption);
    }
    void ShowMousePicture(const std::string& image_path) override {
        calls.push_back("ShowMousePicture " + image_path);
    }
    void ShowLightingTab(bool visible) override {
        calls.push_back(std::string("ShowLightingTab ") + (visible ? "1" : "0"));
    }
    void ShowPageOptions(const PageOptions& o) override {
        calls.push_back(std::string("ShowPageOptions ") + (o.show_dpi_tips ? "1" : "0") +
                        (o.show_save_tips ? "1" : "0") + (o.show_lod ? "1" : "0") +
                        (o.show_sensor ? "1" : "0"));
    }
    void ShowButtons(const std::vector<DescriptionButton>& buttons) override {
        calls.push_back("ShowButtons " + std::to_string(buttons.size()));
        shown_buttons = buttons;
    }
};

}  // namespace mousedeck::devices
