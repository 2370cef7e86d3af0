#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>

namespace mousedeck::update {

// What bounds one request to the update server. The defaults are the
// program's; tests shorten the waits.
struct HttpOptions {
    // Name, address and connection, each within this.
    std::chrono::milliseconds connect_timeout{5000};
    // A transfer that receives nothing for this long is given up; it counts
    // from the start of the request, so a server that accepts the connection
    // and never answers is caught too.
    std::chrono::milliseconds stall_timeout{15000};
    // Longest answer FetchText takes; a longer one is not a version text.
    std::size_t max_text_bytes = 64 * 1024;
    std::string user_agent = "IIC2.0/PC 5.5.0000";
    // When set and true, the transfer in progress ends (as a failure) within
    // a few tens of milliseconds: the program is closing.
    const std::atomic<bool>* cancel = nullptr;
};

}  // namespace mousedeck::update
