#include "loopback_server.h"

#include <chrono>

namespace mousedeck::update::test {

struct LoopbackServer::Route {
    enum class Kind { kBody, kChunked, kRedirect, kStall };
    Kind kind = Kind::kBody;
    std::string body;
    std::string to;
    std::size_t announced = 0;
    bool silent = false;
};

LoopbackServer::LoopbackServer() {
    server_.Get(R"(.*)", [this](const httplib::Request& request, httplib::Response& response) {
        Handle(request, response);
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // stop() is lost on a server whose loop has not started yet.
    while (!server_.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

LoopbackServer::~LoopbackServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    released_.notify_all();
    server_.stop();
    thread_.join();
}

std::string LoopbackServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LoopbackServer::Serve(const std::string& path, std::string body) {
    auto route = std::make_shared<Route>();
    route->body = std::move(body);
    std::lock_guard lock(mutex_);
    routes_[path] = std::move(route);
}

void LoopbackServer::ServeChunked(const std::string& path, std::string body) {
    auto route = std::make_shared<Route>();
    route->kind = Route::Kind::kChunked;
    route->body = std::move(body);
    std::lock_guard lock(mutex_);
    routes_[path] = std::move(route);
}

void LoopbackServer::Redirect(const std::string& path, const std::string& to) {
    auto route = std::make_shared<Route>();
    route->kind = Route::Kind::kRedirect;
    route->to = to;
    std::lock_guard lock(mutex_);
    routes_[path] = std::move(route);
}

void LoopbackServer::ServeStall(const std::string& path, std::string head, std::size_t announced,
                                bool silent) {
    auto route = std::make_shared<Route>();
    route->kind = Route::Kind::kStall;
    route->body = std::move(head);
    route->announced = announced;
    route->silent = silent;
    std::lock_guard lock(mutex_);
    routes_[path] = std::move(route);
}

std::vector<LoopbackServer::Seen> LoopbackServer::Requests() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

void LoopbackServer::Hold() const {
    std::unique_lock lock(mutex_);
    released_.wait(lock, [this] { return stopping_; });
}

void LoopbackServer::Handle(const httplib::Request& request, httplib::Response& response) {
    std::shared_ptr<Route> route;
    {
        std::lock_guard lock(mutex_);
        seen_.push_back({request.path, request.headers});
        const auto found = routes_.find(request.path);
        if (found != routes_.end()) {
            route = found->second;
        }
    }
    if (!route) {
        // Short and digits only: it would pass for a version if the status
        // were ignored.
        response.status = 404;
        response.set_content("404", "text/plain");
        return;
    }
    switch (route->kind) {
        case Route::Kind::kBody:
            response.set_content(route->body, "application/octet-stream");
            break;
        case Route::Kind::kChunked:
            response.set_chunked_content_provider("application/octet-stream",
                                                  [route](size_t /*offset*/, httplib::DataSink& sink) {
                                                      sink.write(route->body.data(), route->body.size());
                                                      sink.done();
                                                      return true;
                                                  });
            break;
        case Route::Kind::kRedirect:
            response.set_redirect(Url(route->to));
            break;
        case Route::Kind::kStall:
            if (route->silent) {
                Hold();
                response.status = 500;
                return;
            }
            response.set_content_provider(
                route->announced, "application/octet-stream",
                [this, route](size_t offset, size_t /*length*/, httplib::DataSink& sink) {
                    if (offset == 0 && !route->body.empty()) {
                        sink.write(route->body.data(), route->body.size());
                        return true;
                    }
                    Hold();
                    return false;
                });
            break;
    }
}

}  // namespace mousedeck::update::test
