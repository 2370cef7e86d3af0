#include "xml/text_encoding.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

#include "xml/iconv_converter.h"
#include "xml/utf8.h"

namespace mousedeck::xml {
namespace {

constexpr std::string_view kBomUtf8 = "\xEF\xBB\xBF";
constexpr std::string_view kBomUtf16Le = "\xFF\xFE";
constexpr std::string_view kBomUtf16Be = "\xFE\xFF";
constexpr std::string_view kReplacementChar = "\xEF\xBF\xBD";
// The reader looks for a declared encoding in this many leading bytes.
constexpr std::size_t kHeadSize = 1024;

std::string Normalized(std::string_view name) {
    std::string out;
    for (char c : name) {
        if (c != '-' && c != '_' && c != ' ') {
            out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
    }
    return out;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Encodings of 16 or 32 bits per unit. A declaration of one that was found
// by reading the bytes as 8-bit text cannot be true, so it is ignored.
bool IsWideEncoding(std::string_view name) {
    const std::string n = Normalized(name);
    return StartsWith(n, "utf16") || StartsWith(n, "utf32") || StartsWith(n, "ucs2") ||
           StartsWith(n, "ucs4") || n == "unicode";
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_' || c == '.' || c == ':';
}

std::size_t SkipSpace(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsSpace(text[pos])) {
        ++pos;
    }
    return pos;
}

// After `pos` (just past an attribute name): optional blanks, '=', optional
// blanks, an optionally quoted encoding name. Empty when malformed.
std::string ValueAfter(std::string_view text, std::size_t pos, bool quote_required) {
    pos = SkipSpace(text, pos);
    if (pos >= text.size() || text[pos] != '=') {
        return {};
    }
    pos = SkipSpace(text, pos + 1);
    char quote = 0;
    if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
        quote = text[pos++];
    } else if (quote_required) {
        return {};
    }
    const std::size_t start = pos;
    while (pos < text.size() && IsNameChar(text[pos])) {
        ++pos;
    }
    if (quote != 0 && (pos >= text.size() || text[pos] != quote)) {
        return {};
    }
    // Real encoding names are short; anything longer is not one.
    if (pos - start > 64) {
        return {};
    }
    return std::string(text.substr(start, pos - start));
}

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string XmlDeclarationEncoding(std::string_view decl) {
    // decl is the text of "<?xml ... ?>"; find the encoding pseudo-attribute.
    std::size_t pos = 5;
    while ((pos = decl.find("encoding", pos)) != std::string_view::npos) {
        const bool separated = pos > 0 && IsSpace(decl[pos - 1]);
        pos += 8;
        if (separated) {
            return ValueAfter(decl, pos, true);
        }
    }
    return {};
}

std::string MetaCharset(std::string_view head) {
    const std::string lower = LowerAscii(head);
    std::size_t pos = 0;
    while ((pos = lower.find("<meta", pos)) != std::string::npos) {
        pos += 5;
        if (pos < lower.size() && !IsSpace(lower[pos]) && lower[pos] != '/') {
            continue;
        }
        const std::size_t end = std::min(lower.find('>', pos), lower.size());
        const std::string_view tag = std::string_view(lower).substr(pos, end - pos);
        // Both <meta charset="x"> and content="text/html; charset=x".
        std::size_t at = 0;
        while ((at = tag.find("charset", at)) != std::string_view::npos) {
            at += 7;
            std::string value = ValueAfter(tag, at, false);
            if (!value.empty()) {
                // Report the name as written, not lower-cased.
                const std::size_t offset = pos + tag.find(value, at);
                return std::string(head.substr(offset, value.size()));
            }
        }
        pos = end;
    }
    return {};
}

std::string WithoutZeroBytes(std::string_view bytes, bool& removed) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        if (c != '\0') {
            out.push_back(c);
        }
    }
    removed = out.size() != bytes.size();
    return out;
}

std::string WithoutZeroUnits(std::string_view bytes, bool& removed) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        if (bytes[i] != '\0' || bytes[i + 1] != '\0') {
            out.push_back(bytes[i]);
            out.push_back(bytes[i + 1]);
        }
    }
    removed = out.size() != bytes.size();
    return out;
}

// Windows maps the five bytes that Windows-1252 leaves undefined to the C1
// control characters of the same value; glibc rejects them.
std::string AnsiUndefinedByte(unsigned char byte) {
    std::string out;
    AppendUtf8(out, byte);
    return out;
}

void DecodeUtf8(std::string_view body, DecodedText& result) {
    const Utf8Check check = CheckUtf8(body);
    std::size_t replaced = 0;
    result.text = RepairUtf8(body, &replaced);
    if (check.truncated_end) {
        result.conditions.emplace_back("truncation_error");
        --replaced;
    }
    if (replaced > 0) {
        result.conditions.emplace_back("invalid_sequence");
    }
}

void DecodeUtf16(std::string_view body, std::string_view encoding, DecodedText& result) {
    result.encoding = std::string(encoding);
    if (encoding == kUtf16Be) {
        result.conditions.emplace_back("endian_swap");
    }
    if (body.size() % 2 != 0) {
        body.remove_suffix(1);
        result.conditions.emplace_back("truncation_error");
    }
    bool removed = false;
    const std::string units = WithoutZeroUnits(body, removed);
    if (removed) {
        result.conditions.emplace_back("nulls_removed");
    }
    const IconvConverter converter(kUtf8, encoding);
    auto converted = converter.Convert(units, IconvConverter::Step::kUtf16Unit, kReplacementChar);
    result.text = std::move(converted.output);
    if (converted.truncated) {
        result.conditions.emplace_back("truncation_error");
        --converted.replaced;
    }
    if (converted.replaced > 0) {
        result.conditions.emplace_back("invalid_sequence");
    }
    result.conditions.emplace_back("converted_from " + result.encoding);
}

// Converts 8-bit text from a code page iconv knows; false when it does not.
bool DecodeCodePage(std::string_view body, std::string_view encoding, DecodedText& result) {
    const IconvConverter converter(kUtf8, encoding);
    if (!converter.IsOpen()) {
        return false;
    }
    const bool ansi = SameEncoding(encoding, kAnsiCodePage);
    auto converted = converter.Convert(body, IconvConverter::Step::kByte, kReplacementChar,
                                       ansi ? &AnsiUndefinedByte : nullptr);
    // iconv may pass a broken sequence of a multi-byte code page through;
    // the text inside must stay well-formed UTF-8 whatever the source was.
    result.text = RepairUtf8(converted.output);
    result.encoding = std::string(encoding);
    if (converted.truncated) {
        result.conditions.emplace_back("truncation_error");
    }
    if (converted.replaced > (converted.truncated ? 1U : 0U) && !ansi) {
        result.conditions.emplace_back("invalid_sequence");
    }
    result.conditions.emplace_back("converted_from " + result.encoding);
    return true;
}

}  // namespace

bool SameEncoding(std::string_view a, std::string_view b) {
    return Normalized(a) == Normalized(b);
}

std::string DeclaredEncoding(std::string_view head) {
    const std::size_t start = SkipSpace(head, 0);
    const std::string_view rest = head.substr(start);
    if (StartsWith(rest, "<?xml") && rest.size() > 5 && IsSpace(rest[5])) {
        const std::size_t end = std::min(rest.find("?>"), rest.size());
        return XmlDeclarationEncoding(rest.substr(0, end));
    }
    return MetaCharset(head);
}

DecodedText DecodeText(std::string_view bytes) {
    DecodedText result;
    if (StartsWith(bytes, kBomUtf8)) {
        result.byte_order_mark = true;
        bytes.remove_prefix(kBomUtf8.size());
    } else if (StartsWith(bytes, kBomUtf16Le)) {
        result.byte_order_mark = true;
        DecodeUtf16(bytes.substr(2), kUtf16Le, result);
        return result;
    } else if (StartsWith(bytes, kBomUtf16Be)) {
        result.byte_order_mark = true;
        DecodeUtf16(bytes.substr(2), kUtf16Be, result);
        return result;
    }

    bool removed = false;
    std::string body = WithoutZeroBytes(bytes, removed);
    if (removed) {
        result.conditions.emplace_back("nulls_removed");
    }
    // A mark that only zero bytes hid is still the mark; kept in the text it
    // would be written out as one and vanish on the next read.
    if (!result.byte_order_mark && StartsWith(body, kBomUtf8)) {
        result.byte_order_mark = true;
        body.erase(0, kBomUtf8.size());
    }
    result.encoding = std::string(kUtf8);
    if (result.byte_order_mark) {
        DecodeUtf8(body, result);
        return result;
    }

    const std::string declared = DeclaredEncoding(body.substr(0, std::min(body.size(), kHeadSize)));
    if (!declared.empty()) {
        if (SameEncoding(declared, kUtf8)) {
            DecodeUtf8(body, result);
            return result;
        }
        if (!IsWideEncoding(declared) && DecodeCodePage(body, declared, result)) {
            return result;
        }
        result.conditions.emplace_back("unknown_encoding " + declared);
    }

    // Nothing usable declared: UTF-8 when the bytes are UTF-8, else the ANSI
    // code page. Markup that is not UTF-8 goes the same way rather than
    // having its bytes replaced: no well-formed UTF-8 file reads differently.
    if (CheckUtf8(body).valid) {
        if (body.empty() || body.front() != '<') {
            result.conditions.emplace_back("utf8_detection");
        }
        DecodeUtf8(body, result);
        return result;
    }
    DecodeCodePage(body, kAnsiCodePage, result);
    return result;
}

EncodedText EncodeText(std::string_view utf8, std::string_view encoding, bool byte_order_mark) {
    EncodedText result;
    std::string target = encoding.empty() ? std::string(kUtf8) : std::string(encoding);
    const std::string n = Normalized(target);
    if (n == "utf16" || n == "unicode" || n == "ucs2") {
        target = std::string(kUtf16Le);
    }

    if (!SameEncoding(target, kUtf8)) {
        const IconvConverter converter(target, kUtf8);
        if (converter.IsOpen()) {
            const std::string question =
                converter.Convert("?", IconvConverter::Step::kUtf8Sequence, "").output;
            auto converted = converter.Convert(utf8, IconvConverter::Step::kUtf8Sequence, question);
            const bool le = SameEncoding(target, kUtf16Le);
            const bool be = SameEncoding(target, kUtf16Be);
            // A UTF-16 file without its mark cannot be read back in the right
            // byte order, so UTF-16 always gets one.
            if (le || be) {
                result.bytes = le ? kBomUtf16Le : kBomUtf16Be;
            }
            result.bytes += converted.output;
            result.encoding = target;
            result.conditions.emplace_back("converted_to " + target);
            if (converted.replaced > 0) {
                result.conditions.emplace_back("conversion_loss");
            }
            return result;
        }
        result.conditions.emplace_back("unknown_encoding " + target);
    }

    result.encoding = std::string(kUtf8);
    if (byte_order_mark) {
        result.bytes = kBomUtf8;
    }
    std::size_t replaced = 0;
    result.bytes += RepairUtf8(utf8, &replaced);
    if (replaced > 0) {
        result.conditions.emplace_back("conversion_loss");
    }
    return result;
}

}  // namespace mousedeck::xml
