#pragma once

#include <cstdint>
#include <string>

namespace mousedeck::devices {

// Folders the product data is read from. `application` holds config.xml and
// device/; `skin` holds the pictures, device pictures in its device/ folder.
struct ProductFolders {
    std::string application;
    std::string skin;
};

// One product of the catalogue (a `mouse` element of config.xml).
struct CatalogueMouse {
    std::string name;         // shown on the device card
    int device_type = 0;      // identifies the product everywhere
    std::string device_attr;  // file stem of device/<attr>.xml and db/<attr>_data1.db
    std::string image_path;   // device card picture: <skin>/device/<image>
};

// One connection mode of a product (a `mode` element), carrying its product's
// fields so a hot-plug check needs only this list.
struct CatalogueMode {
    std::string name;
    int device_type = 0;
    std::string device_attr;
    std::string image_path;
    int value = 0;  // connection mode: 0 wired, 1 dongle
    std::string desc;
    // Hexadecimal in the file, with or without "0x". Kept at 32 bits: an id
    // written beyond 0xFFFF can never equal a USB id, instead of being cut
    // down to one that might.
    uint32_t vendor_id = 0;
    uint32_t product_id = 0;
    std::string dev_id;  // the 4-character identity the mouse reports; shorter accepts any
    std::string hid_interface;
};

// What identifies an interface as a catalogue product; one per mode, in file
// order. The HID layer converts these into its own rule type.
struct MatchRule {
    uint32_t vendor_id = 0;
    uint32_t product_id = 0;
    int device_type = 0;
    int mode = 0;  // connection mode: 0 wired, 1 dongle
    std::string dev_id;

    bool operator==(const MatchRule&) const = default;
};

// The `software` element of config.xml.
struct SoftwareInfo {
    bool present = false;  // the element was found
    std::string caption;   // product-line name (the device name)
    std::string version;
    std::string website_url;
    std::string feedback_url;
    std::string qa_url;
    std::string store_url;
    std::string upgrade_url;
    std::string copyright;
};

}  // namespace mousedeck::devices
