#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>

extern char** environ;

namespace mousedeck::ctl::test {
namespace {

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           const std::map<std::string, std::string>& environment) {
    int out[2] = {-1, -1};
    int err[2] = {-1, -1};
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
        CloseFd(out[0]);
        CloseFd(out[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);

    std::vector<std::string> argv_text{program.string()};
    argv_text.insert(argv_text.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : argv_text) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> env_text;
    for (const auto& [name, value] : environment) {
        env_text.push_back(name + "=" + value);
    }
    std::vector<char*> envp;
    for (std::string& text : env_text) {
        envp.push_back(text.data());
    }
    envp.push_back(nullptr);

    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    out_fd_ = out[0];
    err_fd_ = err[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    CloseFd(out_fd_);
    CloseFd(err_fd_);
}

template <typename Done>
void ChildProcess::Pump(std::chrono::steady_clock::time_point deadline, Done done) {
    std::array<char, 4096> buffer{};
    while ((out_fd_ >= 0 || err_fd_ >= 0) && !done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return;
        }
        std::array<pollfd, 2> fds{{{out_fd_, POLLIN, 0}, {err_fd_, POLLIN, 0}}};
        if (::poll(fds.data(), fds.size(), static_cast<int>(left.count())) < 0) {
            continue;
        }
        for (std::size_t k = 0; k < fds.size(); ++k) {
            int& fd = k == 0 ? out_fd_ : err_fd_;
            if (fd < 0 || fds[k].revents == 0) {
                continue;
            }
            const ssize_t n = ::read(fd, buffer.data(), buffer.size());
            if (n > 0) {
                (k == 0 ? out_ : err_).append(buffer.data(), static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                CloseFd(fd);
            }
        }
    }
}

void ChildProcess::Signal(int signal_number) {
    if (pid_ > 0) {
        ::kill(pid_, signal_number);
    }
}

bool ChildProcess::WaitForOutput(const std::string& text, std::chrono::milliseconds timeout) {
    const auto found = [&] { return out_.find(text) != std::string::npos; };
    Pump(std::chrono::steady_clock::now() + timeout, found);
    return found();
}

ChildResult ChildProcess::Finish(std::chrono::milliseconds timeout) {
    ChildResult result;
    if (pid_ <= 0) {
        return result;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Pump(deadline, [] { return false; });
    if (out_fd_ >= 0 || err_fd_ >= 0) {
        ::kill(pid_, SIGKILL);  // still writing at the deadline
    }
    int status = 0;
    if (::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status)) {
        result.exit_code = WEXITSTATUS(status);
    }
    pid_ = -1;
    CloseFd(out_fd_);
    CloseFd(err_fd_);
    result.out = std::move(out_);
    result.err = std::move(err_);
    return result;
}

ChildResult RunChild(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                     const std::map<std::string, std::string>& environment,
                     std::chrono::milliseconds timeout) {
    ChildProcess child(program, arguments, environment);
    return child.Finish(timeout);
}

}  // namespace mousedeck::ctl::test
