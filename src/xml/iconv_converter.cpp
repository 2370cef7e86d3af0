#include "xml/iconv_converter.h"

#include <iconv.h>

#include <cerrno>
#include <utility>

namespace mousedeck::xml {
namespace {

iconv_t Closed() {
    return reinterpret_cast<iconv_t>(-1);
}

// Sequence length announced by a UTF-8 lead byte; 1 for anything invalid so
// a bad byte is skipped on its own.
std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    if (lead >= 0xC2) {
        return 2;
    }
    return 1;
}

}  // namespace

IconvConverter::IconvConverter(std::string_view to_encoding, std::string_view from_encoding)
    : handle_(Closed()) {
    handle_ = iconv_open(std::string(to_encoding).c_str(), std::string(from_encoding).c_str());
}

IconvConverter::~IconvConverter() {
    Close();
}

IconvConverter::IconvConverter(IconvConverter&& other) noexcept
    : handle_(std::exchange(other.handle_, Closed())) {}

IconvConverter& IconvConverter::operator=(IconvConverter&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, Closed());
    }
    return *this;
}

void IconvConverter::Close() {
    if (handle_ != Closed()) {
        iconv_close(static_cast<iconv_t>(handle_));
        handle_ = Closed();
    }
}

bool IconvConverter::IsOpen() const {
    return handle_ != Closed();
}

IconvConverter::Result IconvConverter::Convert(std::string_view input, Step step,
                                               std::string_view replacement,
                                               std::string (*replace_byte)(unsigned char)) const {
    Result result;
    if (!IsOpen()) {
        return result;
    }
    auto cd = static_cast<iconv_t>(handle_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // reset the shift state

    std::string buffer(4096, '\0');
    // iconv takes char** for the input although it never writes through it.
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    while (in_left > 0) {
        char* out = buffer.data();
        std::size_t out_left = buffer.size();
        const std::size_t rc = iconv(cd, &in, &in_left, &out, &out_left);
        result.output.append(buffer.data(), buffer.size() - out_left);
        if (rc != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        if (errno == EINVAL) {  // input ends inside a sequence
            result.truncated = true;
            ++result.replaced;
            result.output.append(replacement);
            break;
        }
        // EILSEQ (or anything else): replace and step over the bad sequence.
        std::size_t skip = step == Step::kUtf16Unit ? 2 : 1;
        if (step == Step::kUtf8Sequence) {
            skip = Utf8SequenceLength(static_cast<unsigned char>(*in));
            // Step over only the bytes that really continue the sequence.
            std::size_t i = 1;
            while (i < skip && i < in_left && (static_cast<unsigned char>(in[i]) & 0xC0) == 0x80) {
                ++i;
            }
            skip = i;
        }
        if (skip > in_left) {
            skip = in_left;
        }
        ++result.replaced;
        if (replace_byte != nullptr && step == Step::kByte) {
            result.output.append(replace_byte(static_cast<unsigned char>(*in)));
        } else {
            result.output.append(replacement);
        }
        in += skip;
        in_left -= skip;
    }
    // Flush any shift state (stateful targets such as ISO-2022).
    char* out = buffer.data();
    std::size_t out_left = buffer.size();
    if (iconv(cd, nullptr, nullptr, &out, &out_left) != static_cast<std::size_t>(-1)) {
        result.output.append(buffer.data(), buffer.size() - out_left);
    }
    return result;
}

}  // namespace mousedeck::xml
