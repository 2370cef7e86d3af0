#include "xml/xml_escape.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "xml/utf8.h"

namespace mousedeck::xml {
namespace {

// Longest reference decoded: "&#x10FFFF;" plus leading zeros is allowed up
// to this many characters between '&' and ';'.
constexpr std::size_t kMaxReferenceLength = 16;

std::string Escape(std::string_view in, bool quotes) {
    std::string out;
    out.reserve(in.size() + in.size() / 8);
    for (char c : in) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '\'':
                out += quotes ? "&apos;" : "'";
                break;
            case '"':
                out += quotes ? "&quot;" : "\"";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

int DigitValue(char c, int base) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (base == 16 && c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (base == 16 && c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The character named by the body of a numeric reference ("#65", "#x41");
// false when the body is not one or the character is not allowed.
bool NumericReference(std::string_view body, char32_t& cp) {
    if (body.size() < 2 || body[0] != '#') {
        return false;
    }
    int base = 10;
    std::size_t pos = 1;
    if (body[1] == 'x') {
        base = 16;
        pos = 2;
    }
    if (pos >= body.size()) {
        return false;
    }
    std::uint32_t value = 0;
    for (; pos < body.size(); ++pos) {
        const int digit = DigitValue(body[pos], base);
        if (digit < 0) {
            return false;
        }
        value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
        if (value > 0x10FFFF) {
            return false;
        }
    }
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) {
        return false;
    }
    cp = value;
    return true;
}

}  // namespace

std::string EscapeAttribute(std::string_view value) {
    return Escape(value, true);
}

std::string EscapeText(std::string_view text) {
    return Escape(text, false);
}

std::string Unescape(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, char>, 5> kNamed{{
        {"lt", '<'},
        {"gt", '>'},
        {"amp", '&'},
        {"apos", '\''},
        {"quot", '"'},
    }};
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t amp = text.find('&', pos);
        if (amp == std::string_view::npos) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, amp - pos));
        const std::size_t semi = text.substr(amp + 1, kMaxReferenceLength + 1).find(';');
        if (semi == std::string_view::npos) {
            out.push_back('&');
            pos = amp + 1;
            continue;
        }
        const std::string_view body = text.substr(amp + 1, semi);
        bool decoded = false;
        for (const auto& [name, ch] : kNamed) {
            if (body == name) {
                out.push_back(ch);
                decoded = true;
                break;
            }
        }
        char32_t cp = 0;
        if (!decoded && NumericReference(body, cp)) {
            AppendUtf8(out, cp);
            decoded = true;
        }
        if (decoded) {
            pos = amp + 1 + semi + 1;
        } else {
            out.push_back('&');
            pos = amp + 1;
        }
    }
    return out;
}

}  // namespace mousedeck::xml
