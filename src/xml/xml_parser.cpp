#include "xml/xml_parser.h"

#include <algorithm>

#include "xml/xml_syntax.h"

namespace mousedeck::xml {
namespace {

constexpr std::size_t kNpos = std::string_view::npos;

bool At(std::string_view text, std::size_t pos, std::string_view what) {
    return text.substr(pos, what.size()) == what;
}

std::uint32_t Offset(std::size_t pos) {
    return static_cast<std::uint32_t>(pos);
}

// End (just past '>') of a "<!" declaration such as DOCTYPE, whose internal
// subset may hold brackets, quoted literals and comments; npos when the text
// ends first.
std::size_t DeclarationEnd(std::string_view text, std::size_t pos) {
    int brackets = 0;
    for (pos += 2; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"' || c == '\'') {
            pos = text.find(c, pos + 1);
            if (pos == kNpos) {
                return kNpos;
            }
        } else if (c == '<' && At(text, pos, "<!--")) {
            pos = text.find("-->", pos + 4);
            if (pos == kNpos) {
                return kNpos;
            }
            pos += 2;
        } else if (c == '[') {
            ++brackets;
        } else if (c == ']') {
            brackets = std::max(0, brackets - 1);
        } else if (c == '>' && brackets == 0) {
            return pos + 1;
        }
    }
    return kNpos;
}

class Parser {
public:
    Parser(std::string_view text, XmlIndex& index) : text_(text), index_(index) {}

    ParseResult Run() {
        index_.Reset(text_.size());
        if (text_.size() > kMaxTextSize) {
            Mark("text_too_large");
            return std::move(result_);
        }
        std::size_t pos = 0;
        while ((pos = text_.find('<', pos)) != kNpos) {
            pos = Markup(pos);
        }
        for (auto it = open_.rbegin(); it != open_.rend(); ++it) {
            Mark("unended_start_tag");
            Close(*it, text_.size(), text_.size());
        }
        open_.clear();
        if (!result_.has_root) {
            result_.conditions.emplace_back("no_root_element");
        }
        return std::move(result_);
    }

private:
    // Handles the markup at pos ('<'); returns where to continue, or npos
    // when the rest of the text cannot be read.
    std::size_t Markup(std::size_t pos) {
        if (At(text_, pos, "<!--")) {
            return Skip(text_.find("-->", pos + 4), 3, "unterminated_comment");
        }
        if (At(text_, pos, "<![CDATA[")) {
            return Skip(text_.find("]]>", pos + 9), 3, "unterminated_cdata");
        }
        if (At(text_, pos, "<!")) {
            return Skip(DeclarationEnd(text_, pos), 0, "unterminated_doctype");
        }
        if (At(text_, pos, "<?")) {
            return Skip(text_.find("?>", pos + 2), 2, "unterminated_pi");
        }
        if (At(text_, pos, "</")) {
            return EndTag(pos);
        }
        return StartTag(pos);
    }

    std::size_t Skip(std::size_t found, std::size_t length, const char* condition) {
        if (found == kNpos) {
            Mark(condition);
            return kNpos;
        }
        return found + length;
    }

    std::size_t StartTag(std::size_t pos) {
        if (pos + 1 >= text_.size() || !IsNameStartChar(text_[pos + 1])) {
            Mark("tag_syntax");  // a '<' that starts no markup
            return pos + 1;
        }
        const std::size_t name_end = NameEnd(text_, pos + 1);
        std::size_t at = name_end;
        AttributeToken token;
        TagScan scan;
        while ((scan = NextAttribute(text_, at, text_.size(), token)) == TagScan::kAttribute) {
            if (text_.substr(token.value_begin, token.value_end - token.value_begin).find('<') != kNpos) {
                Mark("attribute_syntax");
            }
        }
        if (scan == TagScan::kUnterminated) {
            Mark("unterminated_tag_syntax");
            return kNpos;
        }
        if (scan == TagScan::kMalformed) {
            Mark("attribute_syntax");
            at = text_.find('>', at);
            if (at == kNpos) {
                Mark("unterminated_tag_syntax");
                return kNpos;
            }
            // Read as self-closing only when "/>" really ends it.
            if (at > name_end && text_[at - 1] == '/') {
                --at;
            }
        }
        const bool self_closing = text_[at] == '/';
        const std::size_t tag_end = at + (self_closing ? 2 : 1);

        if (open_.size() >= kMaxNestingDepth) {
            Mark("nesting_too_deep");
            return kNpos;
        }
        const std::int32_t parent = open_.empty() ? XmlIndex::kDocument : open_.back();
        if (parent == XmlIndex::kDocument) {
            if (result_.has_root) {
                if (!result_.root_has_sibling) {
                    result_.conditions.emplace_back("root_has_sibling");
                }
                result_.root_has_sibling = true;
            }
            result_.has_root = true;
        }
        XmlElement element;
        element.start = Offset(pos);
        element.tag_end = Offset(tag_end);
        element.content_end = Offset(tag_end);
        element.end = Offset(tag_end);
        element.name_length = Offset(name_end - pos - 1);
        element.self_closing = self_closing;
        const std::int32_t id = index_.Add(element, parent);
        if (!self_closing) {
            open_.push_back(id);
        }
        return tag_end;
    }

    std::size_t EndTag(std::size_t pos) {
        const std::size_t name_begin = pos + 2;
        const std::size_t name_end = NameEnd(text_, name_begin);
        std::size_t close = name_end;
        while (close < text_.size() && IsXmlSpace(text_[close])) {
            ++close;
        }
        if (close >= text_.size() || text_[close] != '>') {
            close = text_.find('>', close);
            if (close == kNpos) {
                Mark("unterminated_tag_syntax");
                return kNpos;
            }
            Mark("end_tag_syntax");
        }
        const std::string_view name = text_.substr(name_begin, name_end - name_begin);
        if (name.empty() || !IsNameStartChar(name.front())) {
            Mark("end_tag_syntax");
            return close + 1;
        }
        // The nearest open element of this name; the ones opened after it
        // were never ended.
        auto match = std::find_if(open_.rbegin(), open_.rend(), [&](std::int32_t id) {
            const XmlElement& e = index_[id];
            return e.name_length == name.size() && text_.substr(e.start + 1, e.name_length) == name;
        });
        if (match == open_.rend()) {
            Mark("lone_end_tag");
            return close + 1;
        }
        const auto keep = static_cast<std::size_t>(open_.rend() - match) - 1;
        while (open_.size() > keep + 1) {
            Mark("unended_start_tag");
            Close(open_.back(), pos, pos);
            open_.pop_back();
        }
        Close(open_.back(), pos, close + 1);
        open_.pop_back();
        return close + 1;
    }

    void Close(std::int32_t id, std::size_t content_end, std::size_t end) {
        index_[id].content_end = Offset(content_end);
        index_[id].end = Offset(end);
    }

    void Mark(const char* condition) {
        result_.syntax_ok = false;
        if (std::find(result_.conditions.begin(), result_.conditions.end(), condition) ==
            result_.conditions.end()) {
            result_.conditions.emplace_back(condition);
        }
    }

    std::string_view text_;
    XmlIndex& index_;
    std::vector<std::int32_t> open_;
    ParseResult result_;
};

}  // namespace

ParseResult ParseXml(std::string_view text, XmlIndex& index) {
    return Parser(text, index).Run();
}

}  // namespace mousedeck::xml
