#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "loopback_server.h"
#include "support/temp_home.h"
#include "update/http_client.h"

namespace mousedeck::update {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

HttpOptions ShortBounds() {
    HttpOptions options;
    options.connect_timeout = 2s;
    options.stall_timeout = 300ms;
    return options;
}

class HttpClientTest : public ::testing::Test {
protected:
    test::LoopbackServer server;
    mousedeck::test::TempDir dir;
    HttpOptions options = ShortBounds();
};

TEST_F(HttpClientTest, TextAnswers) {
    server.Serve("/version", "1.0.2");
    server.Serve("/zero", std::string("106\0trailing", 12));
    server.ServeChunked("/chunked", "2.0");
    server.Serve("/new", "3.1");
    server.Redirect("/old", "/new");
    server.Serve("/empty", "");
    struct Case {
        const char* path;
        FetchStatus status;
        const char* text;
    };
    const Case cases[] = {
        {"/version", FetchStatus::kOk, "1.0.2"},
        {"/zero", FetchStatus::kOk, "106"},  // up to the first zero byte
        {"/chunked", FetchStatus::kOk, "2.0"},
        {"/old", FetchStatus::kOk, "3.1"},  // redirects are followed
        {"/empty", FetchStatus::kOk, ""},
        {"/missing", FetchStatus::kFailed, ""},  // a 404 whose page reads "404" is no answer
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const TextAnswer answer = FetchText(server.Url(c.path), options);
        EXPECT_EQ(answer.status, c.status);
        EXPECT_EQ(answer.text, c.text);
    }
}

TEST_F(HttpClientTest, RequestCarriesAgentAndNoCacheHeaders) {
    server.Serve("/version", "1");
    ASSERT_EQ(FetchText(server.Url("/version"), options).status, FetchStatus::kOk);
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const auto& headers = requests[0].headers;
    const auto value = [&](const char* name) {
        const auto found = headers.find(name);
        return found == headers.end() ? std::string("(none)") : found->second;
    };
    EXPECT_EQ(value("User-Agent"), "IIC2.0/PC 5.5.0000");
    EXPECT_EQ(value("Accept"), "*/*");
    EXPECT_EQ(value("Cache-Control"), "no-cache");
    EXPECT_EQ(value("Pragma"), "no-cache");
}

TEST_F(HttpClientTest, TextAnswersAreCapped) {
    options.max_text_bytes = 64 * 1024;
    const std::string at_cap(options.max_text_bytes, '7');
    const std::string over_cap(options.max_text_bytes + 1, '7');
    server.Serve("/at", at_cap);
    server.Serve("/over", over_cap);
    server.ServeChunked("/over-chunked", over_cap);  // no length announced: counted as it comes

    EXPECT_EQ(FetchText(server.Url("/at"), options).text, at_cap);
    for (const char* path : {"/over", "/over-chunked"}) {
        SCOPED_TRACE(path);
        const TextAnswer answer = FetchText(server.Url(path), options);
        EXPECT_EQ(answer.status, FetchStatus::kFailed);
        EXPECT_TRUE(answer.text.empty());
    }
}

TEST_F(HttpClientTest, OnlyHttpAndHttps) {
    mousedeck::test::WriteFile(dir / "local", "1.0");
    for (const std::string& url : {"file://" + (dir / "local").string(), std::string("ftp://127.0.0.1/x"),
                                   std::string("gopher://127.0.0.1/x")}) {
        SCOPED_TRACE(url);
        EXPECT_EQ(FetchText(url, options).status, FetchStatus::kFailed);
    }
}

// A server that stops sending, before or after its headers, costs the caller
// the stall bound and no more; the next request is served as usual.
TEST_F(HttpClientTest, StalledServerTimesOutWithinTheBound) {
    server.ServeStall("/head-then-nothing", "1.", 100);
    server.ServeStall("/silent", "", 0, /*silent=*/true);
    server.Serve("/version", "1.0.3");
    for (const char* path : {"/head-then-nothing", "/silent"}) {
        SCOPED_TRACE(path);
        const auto start = Clock::now();
        const TextAnswer answer = FetchText(server.Url(path), options);
        const auto took = Clock::now() - start;
        EXPECT_EQ(answer.status, FetchStatus::kFailed);
        EXPECT_GE(took, options.stall_timeout);
        EXPECT_LT(took, options.stall_timeout + 1s);
    }
    EXPECT_EQ(FetchText(server.Url("/version"), options).text, "1.0.3");
}

// A listener whose accept queue is full drops new connection requests, so a
// connect to it hangs until the connect bound.
TEST_F(HttpClientTest, ConnectTimesOutWithinTheBound) {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    std::vector<int> fillers;
    for (int i = 0; i < 3; ++i) {
        fillers.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        ::connect(fillers.back(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    std::this_thread::sleep_for(50ms);

    options.connect_timeout = 300ms;
    options.stall_timeout = 10s;
    const auto start = Clock::now();
    const TextAnswer answer =
        FetchText("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/version", options);
    const auto took = Clock::now() - start;
    EXPECT_EQ(answer.status, FetchStatus::kFailed);
    EXPECT_GE(took, 250ms);
    EXPECT_LT(took, 2s);
    for (const int fd : fillers) {
        ::close(fd);
    }
    ::close(listener);
}

TEST_F(HttpClientTest, CancelEndsAStalledTransferAtOnce) {
    server.ServeStall("/silent", "", 0, /*silent=*/true);
    std::atomic<bool> cancel{false};
    options.stall_timeout = 30s;
    options.cancel = &cancel;
    std::thread closer([&] {
        std::this_thread::sleep_for(100ms);
        cancel = true;
    });
    const auto start = Clock::now();
    const TextAnswer answer = FetchText(server.Url("/silent"), options);
    const auto took = Clock::now() - start;
    closer.join();
    EXPECT_EQ(answer.status, FetchStatus::kFailed);
    EXPECT_LT(took, 1s);
}

struct Download {
    FetchStatus status;
    std::vector<int> posted;
};

class FetchFileTest : public HttpClientTest {
protected:
    Download Get(const std::string& path, const std::filesystem::path& file) {
        Download result;
        DownloadProgress progress([&](int percent) { result.posted.push_back(percent); });
        result.status = FetchFile(server.Url(path), file, options, &progress);
        return result;
    }
};

TEST_F(FetchFileTest, ShortBodyPostsTheFixedSteps) {
    server.Serve("/short", std::string(10239, 'x'));
    server.ServeChunked("/unknown-length", std::string(50000, 'y'));
    const struct {
        const char* path;
        std::size_t size;
    } cases[] = {{"/short", 10239}, {"/unknown-length", 50000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const Download got = Get(c.path, dir / "file.bin");
        EXPECT_EQ(got.status, FetchStatus::kOk);
        EXPECT_EQ(got.posted, (std::vector<int>{0, 2, 8, 10, 100}));
        EXPECT_EQ(mousedeck::test::ReadFile(dir / "file.bin").size(), c.size);
    }
}

// With a known length the steps rise from 10 to 100 as the body arrives and
// never pass 100, whatever sizes the pieces arrive in (15000 bytes is one
// piece and a half, where counting 90 per read would show 190).
TEST_F(FetchFileTest, LongBodyPostsRisingStepsUpTo100) {
    for (const std::size_t size : {std::size_t{10240}, std::size_t{15000}, std::size_t{300000}}) {
        SCOPED_TRACE(size);
        std::string body(size, '\0');
        for (std::size_t i = 0; i < size; ++i) {
            body[i] = static_cast<char>(i * 31);
        }
        server.Serve("/big", body);
        const Download got = Get("/big", dir / "big.bin");
        ASSERT_EQ(got.status, FetchStatus::kOk);
        ASSERT_GE(got.posted.size(), 5u);
        EXPECT_EQ(std::vector<int>(got.posted.begin(), got.posted.begin() + 4),
                  (std::vector<int>{0, 2, 8, 10}));
        EXPECT_EQ(got.posted.back(), 100);
        for (std::size_t i = 1; i < got.posted.size(); ++i) {
            EXPECT_LT(got.posted[i - 1], got.posted[i]);
        }
        EXPECT_EQ(mousedeck::test::ReadFile(dir / "big.bin"), body);
    }
}

TEST_F(FetchFileTest, FailuresLeaveNoFile) {
    server.ServeStall("/stall", std::string(20000, 'z'), 100000);  // a fifth, then nothing
    for (const char* path : {"/missing", "/stall"}) {
        SCOPED_TRACE(path);
        mousedeck::test::WriteFile(dir / "file.bin", "earlier download");
        const Download got = Get(path, dir / "file.bin");
        EXPECT_EQ(got.status, FetchStatus::kFailed);
        if (std::string(path) == "/missing") {
            EXPECT_EQ(got.posted, (std::vector<int>{0, 2})) << "the answer never opened";
        } else {
            ASSERT_GE(got.posted.size(), 5u);
            EXPECT_EQ(std::vector<int>(got.posted.begin(), got.posted.begin() + 4),
                      (std::vector<int>{0, 2, 8, 10}));
            EXPECT_EQ(got.posted.back(), 28) << "10 + 90 x 20000 / 100000, and no 100";
            EXPECT_FALSE(std::filesystem::exists(dir / "file.bin")) << "a partial download is never unpacked";
        }
    }
}

TEST_F(FetchFileTest, ALinkAtThePathIsReplacedNotFollowed) {
    server.Serve("/file", "new bytes");
    mousedeck::test::WriteFile(dir / "elsewhere", "precious");
    std::filesystem::create_symlink(dir / "elsewhere", dir / "file.bin");
    EXPECT_EQ(Get("/file", dir / "file.bin").status, FetchStatus::kOk);
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "file.bin"));
    EXPECT_EQ(mousedeck::test::ReadFile(dir / "file.bin"), "new bytes");
    EXPECT_EQ(mousedeck::test::ReadFile(dir / "elsewhere"), "precious");
}

TEST_F(FetchFileTest, UnwritableTargetFails) {
    server.Serve("/file", "bytes");
    const Download got = Get("/file", dir / "no-such-folder" / "file.bin");
    EXPECT_EQ(got.status, FetchStatus::kFailed);
    EXPECT_EQ(got.posted, (std::vector<int>{0, 2, 8}));
}

TEST(DownloadProgressTest, PostsEachChangeOnce) {
    std::vector<int> posted;
    DownloadProgress progress([&](int percent) { posted.push_back(percent); });
    for (const int p : {0, 0, 2, 2, 100, 0, 0}) {
        progress.Post(p);
    }
    EXPECT_EQ(posted, (std::vector<int>{0, 2, 100, 0}));
}

}  // namespace
}  // namespace mousedeck::update
