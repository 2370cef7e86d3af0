#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "update/http_options.h"

namespace mousedeck::update {

enum class FetchStatus {
    kNoSession,  // the HTTP library could not be set up
    kFailed,     // no answer, an error status, a time-out, cancelled, or refused by a handler
    kOk,
};

// What a transfer tells its caller, in this order. Each handler may be empty.
struct TransferHandlers {
    // The session exists and the request is about to go out.
    std::function<void()> session_ready;
    // The final answer (after redirects) has a 2xx status and its body
    // starts now, or it came with no body. `content_length` is -1 when the
    // server did not say. Called at most once; false ends the transfer as a
    // failure.
    std::function<bool(int64_t content_length)> opened;
    // One piece of the body; false ends the transfer as a failure.
    std::function<bool(std::string_view piece)> body;
};

// One HTTP GET of http or https (no other scheme, also after a redirect),
// following redirects, with certificate verification always on, the agent
// name, "Accept: */*" and no-cache request headers, bounded by `options`.
// A status of 400 or more, or any status outside 2xx after redirects, is a
// failure. Proxies come from the usual environment variables (http_proxy,
// https_proxy, no_proxy). Safe to run on several threads at once.
FetchStatus HttpGet(const std::string& url, const HttpOptions& options, const TransferHandlers& handlers);

}  // namespace mousedeck::update
