#include "update/entry_name.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace mousedeck::update {
namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

// One clean-up step; false when none applies.
bool CleanOnce(std::string& name) {
    if (name.size() >= 2 && name[1] == ':') {
        name.erase(0, 2);
        return true;
    }
    if (!name.empty() && IsSeparator(name[0])) {
        name.erase(0, 1);
        return true;
    }
    std::size_t first = std::string::npos;
    for (const std::string_view step : std::array<std::string_view, 4>{"\\..\\", "\\../", "/../", "/..\\"}) {
        first = std::min(first, name.find(step));
    }
    if (first != std::string::npos) {
        name.erase(0, first + 4);
        return true;
    }
    return false;
}

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + extra >= text.size()) {
            return false;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        const bool overlong = (extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000);
        if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

std::string FromCodePage437(std::string_view text) {
    const iconv_t converter = iconv_open("UTF-8", "CP437");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::string(text);
    }
    std::string in(text);
    std::string out(text.size() * 3, '\0');  // at most 3 UTF-8 bytes per code page character
    char* in_at = in.data();
    std::size_t in_left = in.size();
    char* out_at = out.data();
    std::size_t out_left = out.size();
    const std::size_t result = iconv(converter, &in_at, &in_left, &out_at, &out_left);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) {
        return std::string(text);
    }
    out.resize(out.size() - out_left);
    return out;
}

}  // namespace

std::string EntryNameText(std::string_view stored, bool marked_utf8) {
    if (marked_utf8 || IsValidUtf8(stored)) {
        return std::string(stored);
    }
    return FromCodePage437(stored);
}

std::string CleanEntryName(std::string_view name) {
    std::string cleaned(name);
    while (CleanOnce(cleaned)) {
    }
    return cleaned;
}

std::optional<EntryPath> ResolveEntryName(std::string_view name) {
    const std::string cleaned = CleanEntryName(name);
    EntryPath path;
    path.is_folder = !cleaned.empty() && IsSeparator(cleaned.back());
    std::size_t start = 0;
    while (start <= cleaned.size()) {
        std::size_t end = start;
        while (end < cleaned.size() && !IsSeparator(cleaned[end])) {
            ++end;
        }
        const std::string_view part = std::string_view(cleaned).substr(start, end - start);
        if (part == "..") {
            if (path.parts.empty()) {
                return std::nullopt;
            }
            path.parts.pop_back();
        } else if (!part.empty() && part != ".") {
            path.parts.emplace_back(part);
        }
        start = end + 1;
    }
    return path;
}

}  // namespace mousedeck::update
