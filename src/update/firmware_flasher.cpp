#include "update/firmware_flasher.h"

#include <thread>

#include "hid/device_manager.h"
#include "update/firmware_reports.h"

namespace mousedeck::update {
namespace {

bool Exchange(hid::DeviceManager& manager, UpgradeReport report) {
    return manager.UpgradeExchange(std::span<uint8_t, kUpgradeReportSize>(report));
}

bool SendDataReports(hid::DeviceManager& manager, std::span<const uint8_t> image,
                     const std::function<void(int)>& progress, const FlashTiming& timing) {
    const std::size_t full_reports = image.size() / kImageBytesPerReport;
    const std::size_t reports = DataReportCount(image.size());
    int sum = 0;
    for (std::size_t k = 0; k < reports; ++k) {
        if (!Exchange(manager, DataReport(image, k))) {
            return false;
        }
        if (k >= full_reports) {
            break;  // the last, partial report: no pause, no progress
        }
        if (k < 2) {
            std::this_thread::sleep_for(timing.first_reports_pause);
        }
        sum += 90;
        if (progress) {
            progress(10 + sum / static_cast<int>(full_reports));
        }
    }
    return true;
}

}  // namespace

FlashOutcome FlashImage(hid::DeviceManager& manager, std::span<const uint8_t> image,
                        const std::function<void(int)>& progress, FlashTiming timing) {
    if (image.empty() || image.size() > kMaxImageBytes) {
        return FlashOutcome::kImageRefused;
    }
    const hid::UsbIds ids = manager.SelectedIds().value_or(hid::UsbIds{});
    if (!manager.OpenUpgradeInterface(ids.vendor_id, ids.product_id)) {
        return FlashOutcome::kNoBootLoader;
    }
    if (!Exchange(manager, BeginReport())) {
        return FlashOutcome::kBeginFailed;
    }
    const bool sent = SendDataReports(manager, image, progress, timing);
    Exchange(manager, EndReport());
    return sent ? FlashOutcome::kDone : FlashOutcome::kTransferFailed;
}

}  // namespace mousedeck::update
