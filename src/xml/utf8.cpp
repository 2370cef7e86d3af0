#include "xml/utf8.h"

namespace mousedeck::xml {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

enum class SequenceState { kComplete, kInvalid, kCutOff };

// Examines the sequence starting at bytes[pos]; on kComplete and kCutOff
// `length` is the number of bytes it takes, on kInvalid the number of bytes
// to skip (the lead byte plus any continuation bytes that were acceptable).
SequenceState ReadSequence(std::string_view bytes, std::size_t pos, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (lead < 0x80) {
        length = 1;
        return SequenceState::kComplete;
    }
    std::size_t need = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 3;
        if (lead == 0xE0) {
            low = 0xA0;  // overlong
        }
        if (lead == 0xED) {
            high = 0x9F;  // surrogates
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 4;
        if (lead == 0xF0) {
            low = 0x90;  // overlong
        }
        if (lead == 0xF4) {
            high = 0x8F;  // above U+10FFFF
        }
    } else {
        length = 1;
        return SequenceState::kInvalid;
    }
    std::size_t i = 1;
    for (; i < need; ++i) {
        if (pos + i >= bytes.size()) {
            length = i;
            return SequenceState::kCutOff;
        }
        const auto byte = static_cast<unsigned char>(bytes[pos + i]);
        const unsigned char lo = i == 1 ? low : 0x80;
        const unsigned char hi = i == 1 ? high : 0xBF;
        if (byte < lo || byte > hi) {
            length = i;
            return SequenceState::kInvalid;
        }
    }
    length = need;
    return SequenceState::kComplete;
}

}  // namespace

Utf8Check CheckUtf8(std::string_view bytes) {
    Utf8Check check;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t length = 0;
        switch (ReadSequence(bytes, pos, length)) {
            case SequenceState::kComplete:
                pos += length;
                break;
            case SequenceState::kCutOff:
                check.valid = true;
                check.truncated_end = true;
                return check;
            case SequenceState::kInvalid:
                return check;
        }
    }
    check.valid = true;
    return check;
}

std::string RepairUtf8(std::string_view bytes, std::size_t* replaced) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t length = 0;
        if (ReadSequence(bytes, pos, length) == SequenceState::kComplete) {
            out.append(bytes.substr(pos, length));
        } else {
            out.append(kReplacement);
            ++count;
        }
        pos += length;
    }
    if (replaced != nullptr) {
        *replaced = count;
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        out.append(kReplacement);
    } else if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace mousedeck::xml
