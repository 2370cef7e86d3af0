#include "devices/discovery/hotplug_monitor.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>

#include "devices/discovery/hidraw_usages.h"
#include "devices/discovery/uevent_parser.h"
#include "xml/unique_fd.h"

namespace mousedeck::discovery {
namespace {

struct UdevUnref {
    void operator()(udev* u) const { udev_unref(u); }
};
struct MonitorUnref {
    void operator()(udev_monitor* m) const { udev_monitor_unref(m); }
};
struct DeviceUnref {
    void operator()(udev_device* d) const { udev_device_unref(d); }
};
using UdevDevice = std::unique_ptr<udev_device, DeviceUnref>;

std::string Text(const char* value) {
    return value != nullptr ? value : "";
}

// Gathers what the event needs from the node and, on arrival, its parents.
// The parents belong to `device` and are released with it.
UeventFields FieldsOf(udev_device* device) {
    UeventFields fields;
    fields.action = Text(udev_device_get_action(device));
    fields.devpath = Text(udev_device_get_devpath(device));
    fields.devnode = Text(udev_device_get_devnode(device));
    if (fields.action != "add") {
        return fields;
    }
    if (udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr)) {
        fields.hid_id = Text(udev_device_get_property_value(hid, "HID_ID"));
        if (const char* syspath = udev_device_get_syspath(hid)) {
            fields.report_descriptor =
                ReadSysfsDescriptor(std::filesystem::path(syspath) / "report_descriptor");
        }
    }
    if (udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_interface")) {
        fields.interface_number = Text(udev_device_get_sysattr_value(usb, "bInterfaceNumber"));
    }
    if (fields.report_descriptor.empty() && !fields.devnode.empty()) {
        fields.report_descriptor = ReadNodeDescriptor(fields.devnode);
    }
    return fields;
}

}  // namespace

struct HotplugMonitor::Resources {
    std::unique_ptr<udev, UdevUnref> context;
    std::unique_ptr<udev_monitor, MonitorUnref> monitor;
    xml::UniqueFd stop_fd;
};

HotplugMonitor::HotplugMonitor(Listener listener) : listener_(std::move(listener)) {}

HotplugMonitor::~HotplugMonitor() {
    Stop();
}

bool HotplugMonitor::Start() {
    if (Running()) {
        return true;
    }
    auto resources = std::make_unique<Resources>();
    resources->context.reset(udev_new());
    if (!resources->context) {
        return false;
    }
    resources->monitor.reset(udev_monitor_new_from_netlink(resources->context.get(), "udev"));
    if (!resources->monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(resources->monitor.get(), "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(resources->monitor.get()) < 0) {
        return false;
    }
    resources->stop_fd = xml::UniqueFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!resources->stop_fd.valid()) {
        return false;
    }
    resources_ = std::move(resources);
    thread_ = std::thread([this] { Loop(); });
    return true;
}

void HotplugMonitor::Stop() {
    if (!thread_.joinable()) {
        return;
    }
    const uint64_t one = 1;
    // An eventfd write of 1 cannot fail short of overflow; the loop also
    // leaves on any poll error, so the join below never waits for an event.
    [[maybe_unused]] const ssize_t written = ::write(resources_->stop_fd.get(), &one, sizeof one);
    thread_.join();
    resources_.reset();
}

void HotplugMonitor::Loop() {
    udev_monitor* monitor = resources_->monitor.get();
    pollfd fds[2] = {{udev_monitor_get_fd(monitor), POLLIN, 0}, {resources_->stop_fd.get(), POLLIN, 0}};
    while (true) {
        fds[0].revents = 0;
        fds[1].revents = 0;
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[1].revents != 0) {
            return;
        }
        if ((fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            return;
        }
        if ((fds[0].revents & POLLIN) == 0) {
            continue;
        }
        const UdevDevice device(udev_monitor_receive_device(monitor));
        if (!device) {
            continue;
        }
        if (const auto event = HotplugEventFromUevent(FieldsOf(device.get())); event && listener_) {
            listener_(*event);
        }
    }
}

}  // namespace mousedeck::discovery
