#include "update/http_transfer.h"

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <mutex>

namespace mousedeck::update {
namespace {

using Clock = std::chrono::steady_clock;

// Longest the loop sleeps before it looks at the cancel flag and the stall
// bound again; curl wakes it sooner when the socket has news.
constexpr int kPollSliceMs = 20;
constexpr long kMaxRedirects = 10;

void InitialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;
using Multi = std::unique_ptr<CURLM, MultiDeleter>;
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

// Keeps the easy handle in the multi handle for the transfer's life; the
// handle must leave the multi handle before either is cleaned up.
class Attached {
public:
    Attached(CURLM* multi, CURL* easy) : multi_(multi), easy_(easy) {
        ok_ = curl_multi_add_handle(multi_, easy_) == CURLM_OK;
    }
    ~Attached() {
        if (ok_) {
            curl_multi_remove_handle(multi_, easy_);
        }
    }
    Attached(const Attached&) = delete;
    Attached& operator=(const Attached&) = delete;
    bool ok() const { return ok_; }

private:
    CURLM* multi_;
    CURL* easy_;
    bool ok_ = false;
};

class Receiver {
public:
    Receiver(CURL* easy, const TransferHandlers& handlers) : easy_(easy), handlers_(handlers) {}

    static size_t OnBody(char* data, size_t size, size_t count, void* self) {
        auto& receiver = *static_cast<Receiver*>(self);
        const size_t bytes = size * count;
        receiver.last_activity = Clock::now();
        if (!receiver.Open()) {
            return 0;  // anything but `bytes` ends the transfer as a write error
        }
        if (receiver.handlers_.body && !receiver.handlers_.body(std::string_view(data, bytes))) {
            return 0;
        }
        return bytes;
    }

    static size_t OnHeader(char* /*data*/, size_t size, size_t count, void* self) {
        static_cast<Receiver*>(self)->last_activity = Clock::now();
        return size * count;
    }

    // Once per transfer: checks the final status and hands the length over.
    bool Open() {
        if (opened_) {
            return accepted_;
        }
        opened_ = true;
        long status = 0;
        curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
        if (status < 200 || status > 299) {
            return accepted_ = false;
        }
        curl_off_t length = -1;
        curl_easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        accepted_ = !handlers_.opened || handlers_.opened(static_cast<int64_t>(length));
        return accepted_;
    }

    Clock::time_point last_activity = Clock::now();

private:
    CURL* easy_;
    const TransferHandlers& handlers_;
    bool opened_ = false;
    bool accepted_ = false;
};

bool Configure(CURL* easy, const std::string& url, const HttpOptions& options, curl_slist* headers,
               Receiver& receiver) {
    bool ok = true;
    const auto set = [&](CURLoption option, auto value) {
        ok = ok && curl_easy_setopt(easy, option, value) == CURLE_OK;
    };
    set(CURLOPT_URL, url.c_str());
    set(CURLOPT_PROTOCOLS_STR, "http,https");
    set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    set(CURLOPT_FOLLOWLOCATION, 1L);
    set(CURLOPT_MAXREDIRS, kMaxRedirects);
    set(CURLOPT_SSL_VERIFYPEER, 1L);
    set(CURLOPT_SSL_VERIFYHOST, 2L);
    set(CURLOPT_USERAGENT, options.user_agent.c_str());
    set(CURLOPT_HTTPHEADER, headers);
    set(CURLOPT_FAILONERROR, 1L);
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connect_timeout.count()));
    set(CURLOPT_WRITEFUNCTION, &Receiver::OnBody);
    set(CURLOPT_WRITEDATA, &receiver);
    set(CURLOPT_HEADERFUNCTION, &Receiver::OnHeader);
    set(CURLOPT_HEADERDATA, &receiver);
    return ok;
}

}  // namespace

FetchStatus HttpGet(const std::string& url, const HttpOptions& options, const TransferHandlers& handlers) {
    InitialiseCurlOnce();
    const Easy easy(curl_easy_init());
    const Multi multi(curl_multi_init());
    curl_slist* lines = nullptr;
    for (const char* line : {"Accept: */*", "Cache-Control: no-cache", "Pragma: no-cache"}) {
        curl_slist* grown = curl_slist_append(lines, line);
        if (grown == nullptr) {
            curl_slist_free_all(lines);
            return FetchStatus::kNoSession;
        }
        lines = grown;
    }
    const HeaderList headers(lines);
    Receiver receiver(easy.get(), handlers);
    if (!easy || !multi || !Configure(easy.get(), url, options, headers.get(), receiver)) {
        return FetchStatus::kNoSession;
    }
    if (handlers.session_ready) {
        handlers.session_ready();
    }

    const Attached attached(multi.get(), easy.get());
    if (!attached.ok()) {
        return FetchStatus::kFailed;
    }
    receiver.last_activity = Clock::now();
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            return FetchStatus::kFailed;
        }
        if (running == 0) {
            break;
        }
        if (options.cancel != nullptr && options.cancel->load()) {
            return FetchStatus::kFailed;
        }
        if (Clock::now() - receiver.last_activity > options.stall_timeout) {
            return FetchStatus::kFailed;
        }
        if (curl_multi_poll(multi.get(), nullptr, 0, kPollSliceMs, nullptr) != CURLM_OK) {
            return FetchStatus::kFailed;
        }
    }

    int queued = 0;
    CURLcode result = CURLE_FAILED_INIT;
    while (CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == easy.get()) {
            result = message->data.result;
        }
    }
    // An answer without a body has not been looked at yet.
    if (result != CURLE_OK || !receiver.Open()) {
        return FetchStatus::kFailed;
    }
    return FetchStatus::kOk;
}

}  // namespace mousedeck::update
