#include "xml/xml_syntax.h"

namespace mousedeck::xml {

bool IsXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsNameStartChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}

bool IsNameChar(char c) {
    return IsNameStartChar(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool IsXmlName(std::string_view name) {
    return !name.empty() && IsNameStartChar(name.front()) && NameEnd(name, 0) == name.size();
}

std::size_t NameEnd(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsNameChar(text[pos])) {
        ++pos;
    }
    return pos;
}

TagScan NextAttribute(std::string_view text, std::size_t& pos, std::size_t limit, AttributeToken& token) {
    if (limit > text.size()) {
        limit = text.size();
    }
    const std::size_t before = pos;
    while (pos < limit && IsXmlSpace(text[pos])) {
        ++pos;
    }
    if (pos >= limit) {
        return TagScan::kUnterminated;
    }
    if (text[pos] == '>' || (text[pos] == '/' && pos + 1 < limit && text[pos + 1] == '>')) {
        return TagScan::kClose;
    }
    if (pos == before || !IsNameStartChar(text[pos])) {
        return TagScan::kMalformed;
    }
    token.name_begin = pos;
    pos = NameEnd(text.substr(0, limit), pos);
    token.name_end = pos;
    while (pos < limit && IsXmlSpace(text[pos])) {
        ++pos;
    }
    if (pos >= limit) {
        return TagScan::kUnterminated;
    }
    if (text[pos] != '=') {
        return TagScan::kMalformed;
    }
    ++pos;
    while (pos < limit && IsXmlSpace(text[pos])) {
        ++pos;
    }
    if (pos >= limit) {
        return TagScan::kUnterminated;
    }
    const char quote = text[pos];
    if (quote != '"' && quote != '\'') {
        return TagScan::kMalformed;
    }
    const std::size_t close = text.substr(0, limit).find(quote, pos + 1);
    if (close == std::string_view::npos) {
        pos = limit;
        return TagScan::kUnterminated;
    }
    token.value_begin = pos + 1;
    token.value_end = close;
    pos = close + 1;
    return TagScan::kAttribute;
}

}  // namespace mousedeck::xml
