#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace mousedeck::ctl {

// How a run ends.
enum ExitCode : int {
    kExitDone = 0,             // done, and the mouse acknowledged every command
    kExitNotAcknowledged = 1,  // stored, but not acknowledged or the mouse is not connected
    kExitUsage = 2,            // the command line or a value was refused
    kExitNoDevice = 3,         // no supported device, nothing to act on
};

// What a command prints and how it ends: lines for people, one JSON
// document for programs. Errors go to standard error in the human form
// and into the document's "error" member in the JSON form.
class Report {
public:
    // A line of the human-readable output.
    void Line(std::string text) { lines_.push_back(std::move(text)); }
    // The JSON document's members; "result" and "exit_code" are added by Print.
    nlohmann::ordered_json& Json() { return json_; }

    // Ends the run with `code` and `message` on standard error.
    void Fail(int code, std::string message);
    // A refused command line or value (exit code 2): `message` says what is
    // wrong and what is accepted.
    void Usage(std::string message) { Fail(kExitUsage, std::move(message)); }
    // A successful end that is not an acknowledgement by the mouse
    // ("done": nothing needed to be sent, or it is a query).
    void SetResult(int code, std::string result);

    // The JSON document on one line, for a command that printed JSON lines
    // before it (monitor).
    void Compact() { compact_ = true; }

    int ExitCode() const { return exit_code_; }
    bool Failed() const { return !error_.empty(); }
    const std::string& Result() const { return result_; }

    void Print(bool json) const;

private:
    std::vector<std::string> lines_;
    nlohmann::ordered_json json_ = nlohmann::ordered_json::object();
    std::string error_;
    std::string result_ = "done";
    int exit_code_ = kExitDone;
    bool compact_ = false;
};

}  // namespace mousedeck::ctl
