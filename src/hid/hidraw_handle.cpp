#include "hid/hidraw_handle.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include "hid/report_descriptor.h"

namespace mousedeck::hid {

std::unique_ptr<HidrawHandle> HidrawHandle::Open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    const int cancel_fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (cancel_fd < 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<HidrawHandle>(new HidrawHandle(fd, cancel_fd));
}

HidrawHandle::HidrawHandle(int fd, int cancel_fd) : fd_(fd), cancel_fd_(cancel_fd), descriptor_(ReadDescriptor(fd)) {}

HidrawHandle::~HidrawHandle() {
    ::close(fd_);
    ::close(cancel_fd_);
}

std::vector<uint8_t> HidrawHandle::ReadDescriptor(int fd) {
    int size = 0;
    if (::ioctl(fd, HIDIOCGRDESCSIZE, &size) < 0 || size <= 0) {
        return {};
    }
    hidraw_report_descriptor descriptor{};
    descriptor.size = static_cast<uint32_t>(size);
    if (::ioctl(fd, HIDIOCGRDESC, &descriptor) < 0) {
        return {};
    }
    return std::vector<uint8_t>(descriptor.value, descriptor.value + descriptor.size);
}

int HidrawHandle::Write(std::span<const uint8_t> report) {
    if (report.empty()) {
        return -1;
    }
    std::vector<uint8_t> padded(report.begin(), report.end());
    if (const auto length = OutputReportLength(descriptor_, report[0]); length && padded.size() < *length + 1) {
        padded.resize(*length + 1, 0);
    }
    ssize_t n;
    do {
        n = ::write(fd_, padded.data(), padded.size());
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        return -1;
    }
    return static_cast<int>(std::min<size_t>(static_cast<size_t>(n), report.size()));
}

int HidrawHandle::Read(std::span<uint8_t> buffer, int timeout_ms) {
    pollfd fds[2] = {{fd_, POLLIN, 0}, {cancel_fd_, POLLIN, 0}};
    int ready;
    do {
        ready = ::poll(fds, 2, timeout_ms);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) {
        return -1;
    }
    if (ready == 0 || (fds[1].revents & POLLIN) != 0) {
        return 0;  // time-out, or cancelled (the eventfd stays signalled)
    }
    if ((fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
        return -1;
    }
    const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
    if (n < 0) {
        return errno == EAGAIN || errno == EINTR ? 0 : -1;
    }
    return static_cast<int>(n);
}

void HidrawHandle::CancelReads() {
    const uint64_t one = 1;
    (void)!::write(cancel_fd_, &one, sizeof one);
}

}  // namespace mousedeck::hid
