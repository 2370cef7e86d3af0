#include "report.h"

#include <cstdio>

namespace mousedeck::ctl {
namespace {

const char* ResultOfFailure(int code) {
    switch (code) {
        case kExitUsage:
            return "usage";
        case kExitNoDevice:
            return "no_device";
        default:
            return "failed";
    }
}

}  // namespace

void Report::Fail(int code, std::string message) {
    exit_code_ = code;
    error_ = std::move(message);
    result_ = ResultOfFailure(code);
}

void Report::SetResult(int code, std::string result) {
    exit_code_ = code;
    result_ = std::move(result);
}

void Report::Print(bool json) const {
    if (json) {
        nlohmann::ordered_json document = json_;
        document["result"] = result_;
        document["exit_code"] = exit_code_;
        if (!error_.empty()) {
            document["error"] = error_;
        }
        // Invalid UTF-8 from a damaged file is replaced, never thrown.
        const int indent = compact_ ? -1 : 2;
        std::fputs(
            document.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace).c_str(),
            stdout);
        std::fputc('\n', stdout);
        return;
    }
    for (const std::string& line : lines_) {
        std::fputs(line.c_str(), stdout);
        std::fputc('\n', stdout);
    }
    if (!error_.empty()) {
        std::fprintf(stderr, "mousedeckctl: %s\n", error_.c_str());
    }
}

}  // namespace mousedeck::ctl
