#include "shell/ini_document.h"

#include <algorithm>

namespace mousedeck::shell {
namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool BreaksLine(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A value that reading would change (blanks at an end, one pair of quotes
// around it) goes in quotes, which reading removes again.
std::string StoredForm(std::string_view value) {
    const bool needs_quotes = Trim(value) != value ||
                              (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front());
    return needs_quotes ? "\"" + std::string(value) + "\"" : std::string(value);
}

std::string_view SectionName(std::string_view trimmed_line) {
    std::string_view name = trimmed_line.substr(1);
    const std::size_t close = name.find(']');
    if (close != std::string_view::npos) {
        name = name.substr(0, close);
    }
    return Trim(name);
}

}  // namespace

IniDocument::IniDocument(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines_.emplace_back(text.substr(start));
            break;
        }
        lines_.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    Index();
}

void IniDocument::Index() {
    sections_.clear();
    sections_.push_back(Section{});
    Section* current = &sections_.front();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = Trim(lines_[i]);
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[') {
            const std::string name = Lower(SectionName(line));
            const bool seen = std::any_of(sections_.begin(), sections_.end(),
                                          [&](const Section& s) { return s.name == name; });
            if (seen) {
                current = nullptr;  // a repeated section is never searched
                continue;
            }
            sections_.push_back(Section{name, true, i, {}, {}});
            current = &sections_.back();
            continue;
        }
        if (current == nullptr) {
            continue;
        }
        current->last_line = i;
        current->has_lines = true;
        if (line.front() == ';') {
            continue;
        }
        const std::size_t equals = line.find('=');
        std::string key = Lower(Trim(line.substr(0, equals)));
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : Unquote(Trim(line.substr(equals + 1)));
        if (current->values.try_emplace(key, value).second) {
            current->key_lines.emplace(std::move(key), i);
        }
    }
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    const std::string lower = Lower(Trim(name));
    for (const Section& section : sections_) {
        if (section.name == lower) {
            return &section;
        }
    }
    return nullptr;
}

std::optional<std::string_view> IniDocument::Find(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    const auto value = found->values.find(Lower(Trim(key)));
    if (value == found->values.end()) {
        return std::nullopt;
    }
    return std::string_view(value->second);
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (BreaksLine(section) || BreaksLine(key) || BreaksLine(value) || key.empty() ||
        key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';' ||
        section.find(']') != std::string_view::npos) {
        return false;
    }
    std::string line = std::string(key) + "=" + StoredForm(value);
    const Section* found = FindSection(section);
    if (found == nullptr) {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) {
            lines_.emplace_back();
        }
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(line));
    } else if (const auto at = found->key_lines.find(Lower(key)); at != found->key_lines.end()) {
        // Keeps the key as the file spells it.
        const std::string_view old_line = Trim(lines_[at->second]);
        line = std::string(Trim(old_line.substr(0, old_line.find('=')))) + "=" + StoredForm(value);
        lines_[at->second] = std::move(line);
    } else {
        const std::size_t insert_at = found->has_lines ? found->last_line + 1 : 0;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(line));
    }
    Index();
    return true;
}

std::string IniDocument::Text() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += '\n';
    }
    return text;
}

}  // namespace mousedeck::shell
