#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "update/http_options.h"
#include "update/http_transfer.h"

namespace mousedeck::update {

// Remembers the last progress value it passed on and passes on a value only
// when it differs, so a listener sees each percentage once. One object per
// listener, kept across downloads.
class DownloadProgress {
public:
    using Listener = std::function<void(int percent)>;
    explicit DownloadProgress(Listener listener) : listener_(std::move(listener)) {}

    void Post(int percent);

private:
    Listener listener_;
    int last_ = -1;
};

struct TextAnswer {
    FetchStatus status = FetchStatus::kFailed;
    std::string text;  // empty unless kOk
};

// The body of `url` as text, up to its first zero byte. A body longer than
// options.max_text_bytes is refused whole (kFailed).
TextAnswer FetchText(const std::string& url, const HttpOptions& options);

// Downloads `url` into `file`, posting progress to `progress` when given:
// 0 before the session, 2 once it exists, 8 when the answer opens, 10 once
// the file is created, then, when the server announced a length of at least
// one 10240-byte piece, 10 + 90 x received / length as the body arrives,
// and 100 at the end. A body shorter than one piece therefore posts 0, 2, 8,
// 10 and 100 only.
//
// An existing file at `file` is replaced (a link there is replaced, never
// followed). kOk means the whole body is in the file; after any failure,
// including a failed write, the partial file is removed so that nothing
// half-downloaded is ever unpacked or started.
FetchStatus FetchFile(const std::string& url, const std::filesystem::path& file, const HttpOptions& options,
                      DownloadProgress* progress);

}  // namespace mousedeck::update
