#include "update/http_client.h"

#include <fcntl.h>

#include <algorithm>

#include "update/unique_fd.h"

namespace mousedeck::update {
namespace {

// The piece size progress is counted in: a download shorter than one piece
// shows no steps between 10 and 100.
constexpr int64_t kPieceBytes = 10240;

class OutputFile {
public:
    // Removes whatever is at `file` (a link itself, not its target) and
    // creates a new empty file there.
    bool Create(const std::filesystem::path& file) {
        ::unlink(file.c_str());
        fd_ = UniqueFd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
        return fd_.valid();
    }
    bool Write(std::string_view bytes) { return WriteAll(fd_.get(), bytes.data(), bytes.size()); }
    bool Close() { return fd_.Close(); }

private:
    UniqueFd fd_;
};

}  // namespace

void DownloadProgress::Post(int percent) {
    if (percent == last_) {
        return;
    }
    last_ = percent;
    if (listener_) {
        listener_(percent);
    }
}

TextAnswer FetchText(const std::string& url, const HttpOptions& options) {
    std::string body;
    TransferHandlers handlers;
    handlers.opened = [&](int64_t length) {
        return length < 0 || static_cast<uint64_t>(length) <= options.max_text_bytes;
    };
    handlers.body = [&](std::string_view piece) {
        if (piece.size() > options.max_text_bytes - body.size()) {
            return false;
        }
        body.append(piece);
        return true;
    };
    TextAnswer answer;
    answer.status = HttpGet(url, options, handlers);
    if (answer.status == FetchStatus::kOk) {
        answer.text = body.substr(0, body.find('\0'));
    }
    return answer;
}

FetchStatus FetchFile(const std::string& url, const std::filesystem::path& file, const HttpOptions& options,
                      DownloadProgress* progress) {
    const auto post = [progress](int percent) {
        if (progress != nullptr) {
            progress->Post(percent);
        }
    };
    OutputFile output;
    bool created = false;
    int64_t length = -1;
    int64_t received = 0;

    TransferHandlers handlers;
    handlers.session_ready = [&] { post(2); };
    handlers.opened = [&](int64_t announced) {
        post(8);
        created = output.Create(file);
        if (!created) {
            return false;
        }
        length = announced;
        post(10);
        return true;
    };
    handlers.body = [&](std::string_view piece) {
        if (!output.Write(piece)) {
            return false;
        }
        received += static_cast<int64_t>(piece.size());
        if (length >= kPieceBytes) {
            post(static_cast<int>(10 + std::min<int64_t>(90, 90 * received / length)));
        }
        return true;
    };

    post(0);
    FetchStatus status = HttpGet(url, options, handlers);
    if (created && !output.Close() && status == FetchStatus::kOk) {
        status = FetchStatus::kFailed;
    }
    if (status != FetchStatus::kOk) {
        if (created) {
            ::unlink(file.c_str());
        }
        return status;
    }
    post(100);
    return FetchStatus::kOk;
}

}  // namespace mousedeck::update
