#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace mousedeck::hid {

// One HID top-level collection as enumeration reports it.
struct HidDeviceInfo {
    std::string path;
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    uint16_t release_number = 0;  // bcdDevice
    uint16_t usage_page = 0;
    uint16_t usage = 0;
    int interface_number = -1;  // USB interface number, -1 when unknown
};

// An open interface. Semantics follow hidapi: a write shorter than the output
// report is padded with zeros; a read drops a leading zero report id.
class HidHandle {
public:
    virtual ~HidHandle() = default;
    // Bytes written, or -1 on failure.
    virtual int Write(std::span<const uint8_t> report) = 0;
    // Bytes read, 0 on time-out, -1 on failure (the interface is gone).
    // timeout_ms < 0 blocks until data or failure.
    virtual int Read(std::span<uint8_t> buffer, int timeout_ms) = 0;

    // Each open command interface has one reader thread that blocks in Read
    // while the worker thread calls Write, so Read and Write must be safe to
    // call at the same time from two threads.
    //
    // A handle that can wake a blocked Read says so here; CancelReads then
    // makes every Read, the one blocked now and every later one, return 0 at
    // once (it is called from another thread to stop the reader). Handles that
    // cannot keep the defaults, and their reader polls in bounded slices.
    virtual bool CanCancelReads() const { return false; }
    virtual void CancelReads() {}
};

// The seam between the device channel and the operating system: the real
// backend wraps hidapi (hidraw), the simulated mouse implements it too.
class HidBackend {
public:
    virtual ~HidBackend() = default;
    // Every interface, or those of one vendor/product when the ids are not 0.
    virtual std::vector<HidDeviceInfo> Enumerate(uint16_t vendor_id, uint16_t product_id) = 0;
    // nullptr when the path cannot be opened.
    virtual std::unique_ptr<HidHandle> Open(const std::string& path) = 0;
};

}  // namespace mousedeck::hid
