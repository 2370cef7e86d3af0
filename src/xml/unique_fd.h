#pragma once

#include <unistd.h>

#include <string_view>

namespace mousedeck::xml {

// Owns one file descriptor and closes it once. The lowest layer's, so every
// library that opens a descriptor can use it.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Close(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            Close();
            fd_ = other.fd_;
            other.fd_ = -1;
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now; for a written file the result is the last chance to see a
    // write error.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_ = -1;
};

// Writes all of `bytes`, retrying after interruptions; false on error.
bool WriteAll(int fd, std::string_view bytes);

}  // namespace mousedeck::xml
