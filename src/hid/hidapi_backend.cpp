#include "hid/hidapi_backend.h"

#include <hidapi/hidapi.h>

#include "hid/hidraw_handle.h"

namespace mousedeck::hid {

HidapiBackend::HidapiBackend() : available_(hid_init() == 0) {}

HidapiBackend::~HidapiBackend() {
    if (available_) {
        hid_exit();
    }
}

std::vector<HidDeviceInfo> HidapiBackend::Enumerate(uint16_t vendor_id, uint16_t product_id) {
    std::vector<HidDeviceInfo> result;
    if (!available_) {
        return result;
    }
    hid_device_info* list = hid_enumerate(vendor_id, product_id);
    for (const hid_device_info* d = list; d != nullptr; d = d->next) {
        HidDeviceInfo info;
        info.path = d->path != nullptr ? d->path : "";
        info.vendor_id = d->vendor_id;
        info.product_id = d->product_id;
        info.release_number = d->release_number;
        info.usage_page = d->usage_page;
        info.usage = d->usage;
        info.interface_number = d->interface_number;
        result.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return result;
}

std::unique_ptr<HidHandle> HidapiBackend::Open(const std::string& path) {
    if (!available_ || path.empty()) {
        return nullptr;
    }
    return HidrawHandle::Open(path);
}

}  // namespace mousedeck::hid
