#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace mousedeck::ctl::test {

struct ChildResult {
    int exit_code = -1;  // -1 when the child did not exit normally (killed, timed out)
    std::string out;
    std::string err;
};

// A program started with its own environment and its output captured. The
// destructor kills and reaps a child that is still running.
class ChildProcess {
public:
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::map<std::string, std::string>& environment);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    // Reads output until standard output holds `text`; false when the
    // child ended or `timeout` passed first.
    bool WaitForOutput(const std::string& text, std::chrono::milliseconds timeout);
    // Sends `signal_number` to a running child.
    void Signal(int signal_number);
    // Reads both outputs to their end and waits for the exit; a child still
    // running after `timeout` is killed.
    ChildResult Finish(std::chrono::milliseconds timeout);

private:
    // Reads what is there until `done` holds, both outputs end or the
    // deadline passes.
    template <typename Done>
    void Pump(std::chrono::steady_clock::time_point deadline, Done done);

    pid_t pid_ = -1;
    std::string out_;
    std::string err_;
    int out_fd_ = -1;
    int err_fd_ = -1;
};

// Runs the program to its end.
ChildResult RunChild(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                     const std::map<std::string, std::string>& environment,
                     std::chrono::milliseconds timeout = std::chrono::seconds(60));

}  // namespace mousedeck::ctl::test
