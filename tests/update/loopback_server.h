#pragma once

#include <httplib.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace mousedeck::update::test {

// A real HTTP server on 127.0.0.1 (a free port) for the length of a test.
// Paths are matched exactly as the client sent them, double slashes
// included; anything else answers 404.
class LoopbackServer {
public:
    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // "http://127.0.0.1:<port>" followed by `path`.
    std::string Url(const std::string& path = "") const;

    void Serve(const std::string& path, std::string body);
    // The same body sent chunked, so the length is not announced.
    void ServeChunked(const std::string& path, std::string body);
    void Redirect(const std::string& path, const std::string& to);
    // Sends the headers and `head` of a body announced as `announced` bytes,
    // then nothing more until the server goes. With `silent` not even the
    // headers are sent.
    void ServeStall(const std::string& path, std::string head, std::size_t announced, bool silent = false);

    // Every request so far: its path and headers.
    struct Seen {
        std::string path;
        httplib::Headers headers;
    };
    std::vector<Seen> Requests() const;

private:
    struct Route;
    void Handle(const httplib::Request& request, httplib::Response& response);
    void Hold() const;

    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    mutable std::condition_variable released_;
    bool stopping_ = false;
    std::map<std::string, std::shared_ptr<Route>> routes_;
    std::vector<Seen> seen_;
};

}  // namespace mousedeck::update::test
