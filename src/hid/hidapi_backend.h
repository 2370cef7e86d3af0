#pragma once

#include "hid/hid_backend.h"

namespace mousedeck::hid {

// The real backend. Enumeration is hidapi's (hidraw flavour), which lists one
// entry per top-level collection with its usage page and usage. An opened
// interface is the hidraw node itself, used the way hidapi's hidraw backend
// uses it, for two reasons: a read blocked on another thread can be woken
// (hidapi cannot), and hidapi keeps one error text per device that both its
// read and its write rewrite, which is not safe from two threads.
// Writes shorter than the interface's output report are padded with zeros to
// its length, as the protocol expects.
class HidapiBackend final : public HidBackend {
public:
    HidapiBackend();
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    // False when hidapi could not start; every enumeration is then empty.
    bool Available() const { return available_; }

    std::vector<HidDeviceInfo> Enumerate(uint16_t vendor_id, uint16_t product_id) override;
    std::unique_ptr<HidHandle> Open(const std::string& path) override;

private:
    bool available_ = false;
};

}  // namespace mousedeck::hid
