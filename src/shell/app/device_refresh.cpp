#include "shell/app/device_refresh.h"

#include <string>
#include <thread>

#include "devices/discovery/device_discovery.h"
#include "hid/task_code.h"
#include "shell/app/controller_state.h"
#include "shell/app/task_runner.h"

namespace mousedeck::shell::app {
namespace {

constexpr std::string_view kReadFailed = "获取鼠标数据异常";

}  // namespace

DeviceRefresh::DeviceRefresh(const AppContext& context, PageRefresher& pages)
    : context_(context), pages_(pages), read_back_(context) {}

TaskOutcome DeviceRefresh::FindAndRead(std::chrono::milliseconds delay) {
    context_.discovery.RebuildAndEnumerate();
    return AfterConnect(delay);
}

bool DeviceRefresh::ReadAndShow(ReadBackKind kind) {
    if (!read_back_.Read(kind)) {
        return false;
    }
    pages_.RefreshDevicePages();
    context_.view.RefreshPage(Page::kInformation);
    return true;
}

TaskOutcome DeviceRefresh::AfterConnect(std::chrono::milliseconds delay) {
    std::this_thread::sleep_for(delay);
    context_.state.SetOnline(false);
    const int kind = context_.discovery.RefreshAndSelect();
    if (kind < 0) {
        return TaskOutcome::kNothingSent;
    }
    pages_.EnsureProfiles();
    pages_.RefreshDevicePages();
    if (!ReadAndShow(ReadBackKind::kFull)) {
        context_.Trace(std::string(kReadFailed) + ", 当前模式: " + std::to_string(kind));
        return TaskOutcome::kNotAcknowledged;
    }
    context_.runner.RunNow(hid::kTaskCheckFirmware);
    return TaskOutcome::kAcknowledged;
}

TaskOutcome DeviceRefresh::AfterRemoval() {
    std::this_thread::sleep_for(context_.timings.removal_settle);
    context_.state.SetOnline(false);
    const int kind = context_.discovery.RefreshAndSelect();
    if (kind < 0) {
        return TaskOutcome::kNothingSent;
    }
    // The product left may be another one, whose database was just opened:
    // its profiles must exist and its active one become current before the
    // read-back stores into it.
    pages_.EnsureProfiles();
    if (!ReadAndShow(ReadBackKind::kFull)) {
        context_.Trace(std::string(kReadFailed) + ", 当前模式: " + std::to_string(kind));
        return TaskOutcome::kNotAcknowledged;
    }
    return TaskOutcome::kAcknowledged;
}

TaskOutcome DeviceRefresh::AfterSelection() {
    pages_.EnsureProfiles();
    pages_.RefreshDevicePages();
    if (!ReadAndShow(ReadBackKind::kFull)) {
        context_.Trace(kReadFailed);
        return TaskOutcome::kNotAcknowledged;
    }
    return TaskOutcome::kAcknowledged;
}

void DeviceRefresh::AfterReconnect() {
    pages_.RefreshDevicePages();
    if (!ReadAndShow(ReadBackKind::kAfterReconnect)) {
        context_.Trace(kReadFailed);
    }
}

}  // namespace mousedeck::shell::app
