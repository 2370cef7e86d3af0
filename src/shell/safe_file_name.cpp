#include "shell/safe_file_name.h"

namespace mousedeck::shell {
namespace {

bool Unsafe(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '/' || c == '\\';
}

bool IsContinuationByte(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

}  // namespace

std::string SafeFileName(std::string_view stem, std::string_view suffix) {
    std::string safe;
    safe.reserve(stem.size() + suffix.size());
    for (const char c : stem) {
        safe.push_back(Unsafe(static_cast<unsigned char>(c)) ? '_' : c);
    }
    if (safe.size() > kMaxSafeStemBytes) {
        std::size_t cut = kMaxSafeStemBytes;
        while (cut > 0 && IsContinuationByte(static_cast<unsigned char>(safe[cut]))) {
            --cut;
        }
        safe.resize(cut);
    }
    safe.append(suffix);
    if (safe.empty() || safe == ".") {
        return "_";
    }
    if (safe == "..") {
        return "__";
    }
    return safe;
}

}  // namespace mousedeck::shell
