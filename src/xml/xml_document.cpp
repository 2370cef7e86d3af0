#include "xml/xml_document.h"

#include <algorithm>
#include <cstdint>

#include "xml/file_bytes.h"
#include "xml/text_encoding.h"
#include "xml/xml_index.h"
#include "xml/xml_parser.h"
#include "xml/xml_syntax.h"

namespace mousedeck::xml {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// The log is for diagnosis; a caller repeating a refused edit must not make
// it grow without end.
constexpr std::size_t kMaxLogEntries = 256;
// Where SaveText looks for the declaration.
constexpr std::size_t kDeclarationHead = 1024;

}  // namespace

struct XmlDocument::Impl {
    std::string text;
    XmlIndex index;
    // Cursor; 0 is the document for `parent` and "none" for the others.
    std::int32_t parent = XmlIndex::kDocument;
    std::int32_t current = 0;
    std::int32_t child = 0;
    std::string read_encoding;
    bool byte_order_mark = false;
    // Edits need offsets that describe complete elements: only after a parse
    // without syntax marks.
    bool editable = false;
    std::vector<std::string> log;

    Impl() { index.Reset(0); }

    void Log(std::string condition) {
        if (log.size() < kMaxLogEntries) {
            log.push_back(std::move(condition));
        }
    }

    void NewText() {
        log.clear();
        index.Reset(text.size());
        parent = XmlIndex::kDocument;
        current = 0;
        child = 0;
        editable = false;
    }

    std::string_view NameOf(std::int32_t id) const {
        const XmlElement& e = index[id];
        return std::string_view(text).substr(e.start + 1, e.name_length);
    }

    // The attribute's value range inside the current element's start tag.
    bool FindAttribute(std::string_view name, AttributeToken& token) const {
        const XmlElement& e = index[current];
        std::size_t pos = e.start + 1 + e.name_length;
        while (NextAttribute(text, pos, e.tag_end, token) == TagScan::kAttribute) {
            if (std::string_view(text).substr(token.name_begin, token.name_end - token.name_begin) == name) {
                return true;
            }
        }
        return false;
    }

    void Splice(std::size_t pos, std::size_t removed, std::string_view inserted) {
        text.replace(pos, removed, inserted);
        index.Replace(pos, removed, inserted.size(), text.size());
    }

    bool CanEdit(std::size_t growth) {
        if (!editable || text.size() + growth > kMaxTextSize) {
            Log("write_refused");
            return false;
        }
        return true;
    }
};

XmlDocument::XmlDocument() : impl_(std::make_unique<Impl>()) {}
XmlDocument::~XmlDocument() = default;
XmlDocument::XmlDocument(XmlDocument&&) noexcept = default;
XmlDocument& XmlDocument::operator=(XmlDocument&&) noexcept = default;

bool XmlDocument::LoadText(const std::string& path) {
    // A file above the parser's limit could never be indexed; one that
    // grows past it when decoded is refused by ParseText.
    const FileBytes read = ReadFileBytes(path, kMaxTextSize);
    if (read.status != ReadStatus::kOk) {
        impl_->Log("file_error");
        return false;
    }
    SetBytes(read.bytes);
    impl_->Log("read");
    return true;
}

void XmlDocument::SetBytes(std::string_view bytes) {
    DecodedText decoded = DecodeText(bytes);
    impl_->text = std::move(decoded.text);
    impl_->NewText();
    impl_->read_encoding = std::move(decoded.encoding);
    impl_->byte_order_mark = decoded.byte_order_mark;
    for (auto& condition : decoded.conditions) {
        impl_->Log(std::move(condition));
    }
}

bool XmlDocument::ParseText() {
    const ParseResult result = ParseXml(impl_->text, impl_->index);
    ResetPosition();
    impl_->editable = result.syntax_ok;
    for (const auto& condition : result.conditions) {
        impl_->Log(condition);
    }
    return result.WellFormed();
}

bool XmlDocument::ResetText(std::string_view text) {
    impl_->text.assign(text);
    impl_->NewText();
    impl_->read_encoding.clear();
    impl_->byte_order_mark = false;
    return ParseText();
}

void XmlDocument::ResetPosition() {
    impl_->parent = XmlIndex::kDocument;
    impl_->current = 0;
    impl_->child = 0;
}

bool XmlDocument::FindNext(std::string_view name) {
    Impl& d = *impl_;
    std::int32_t id = d.current != 0 ? d.index[d.current].next_sibling : d.index[d.parent].first_child;
    for (; id != 0; id = d.index[id].next_sibling) {
        if (name.empty() || d.NameOf(id) == name) {
            d.current = id;
            d.child = 0;
            return true;
        }
    }
    return false;
}

bool XmlDocument::EnterElement() {
    Impl& d = *impl_;
    if (d.current == 0) {
        return false;
    }
    d.parent = d.current;
    d.current = d.child;
    d.child = 0;
    return true;
}

bool XmlDocument::LeaveElement() {
    Impl& d = *impl_;
    if (d.parent == XmlIndex::kDocument) {
        return false;
    }
    d.child = d.current;
    d.current = d.parent;
    d.parent = d.index[d.parent].parent;
    return true;
}

std::string XmlDocument::ElementName() const {
    return impl_->current == 0 ? std::string() : std::string(impl_->NameOf(impl_->current));
}

std::string XmlDocument::AttributeOf(std::string_view name) const {
    AttributeToken token;
    if (impl_->current == 0 || !impl_->FindAttribute(name, token)) {
        return {};
    }
    return Unescape(
        std::string_view(impl_->text).substr(token.value_begin, token.value_end - token.value_begin));
}

std::string XmlDocument::TextOf() const {
    const Impl& d = *impl_;
    if (d.current == 0 || d.index[d.current].first_child != 0) {
        return {};
    }
    const XmlElement& e = d.index[d.current];
    const std::string_view content = std::string_view(d.text).substr(e.tag_end, e.content_end - e.tag_end);
    std::string out;
    std::size_t pos = 0;
    while (pos < content.size()) {
        const std::size_t lt = std::min(content.find('<', pos), content.size());
        out += Unescape(content.substr(pos, lt - pos));
        if (lt == content.size()) {
            break;
        }
        const std::string_view rest = content.substr(lt);
        std::size_t close = std::string_view::npos;
        if (rest.starts_with("<![CDATA[")) {
            close = rest.find("]]>", 9);
            if (close != std::string_view::npos) {
                out += rest.substr(9, close - 9);
                close += 3;
            }
        } else if (rest.starts_with("<!--")) {
            close = rest.find("-->", 4);
            close = close == std::string_view::npos ? close : close + 3;
        } else if (rest.starts_with("<?")) {
            close = rest.find("?>", 2);
            close = close == std::string_view::npos ? close : close + 2;
        }
        if (close == std::string_view::npos) {
            break;
        }
        pos = lt + close;
    }
    return out;
}

bool XmlDocument::AppendElement(std::string_view name) {
    Impl& d = *impl_;
    if (!IsXmlName(name)) {
        d.Log("write_refused");
        return false;
    }
    const std::string piece = "<" + std::string(name) + "/>" + std::string(kLineEnd);
    const std::size_t parent_name = d.parent != 0 ? d.index[d.parent].name_length : 0;
    if (!d.CanEdit(piece.size() + parent_name + 2 * kLineEnd.size() + 3)) {
        return false;
    }
    XmlElement added;
    added.self_closing = true;
    added.name_length = static_cast<std::uint32_t>(name.size());
    const auto place = [&](std::size_t at) {
        added.start = static_cast<std::uint32_t>(at);
        added.tag_end = static_cast<std::uint32_t>(at + name.size() + 3);
        added.content_end = added.tag_end;
        added.end = added.tag_end;
    };

    std::int32_t id = 0;
    if (d.current != 0) {
        // After the current element and the line break that ends it.
        std::size_t at = d.index[d.current].end;
        if (std::string_view(d.text).substr(at, 2) == kLineEnd) {
            at += 2;
        } else if (at < d.text.size() && d.text[at] == '\n') {
            at += 1;
        }
        d.Splice(at, 0, piece);
        place(at);
        id = d.index.Add(added, d.parent, d.current);
    } else if (d.parent != XmlIndex::kDocument && d.index[d.parent].self_closing) {
        // "<p/>" becomes "<p>" CR LF, the child, "</p>".
        const std::string end_tag = "</" + std::string(d.NameOf(d.parent)) + ">";
        const std::size_t at = d.index[d.parent].tag_end - 2;
        d.Splice(at, 2, ">" + std::string(kLineEnd) + piece + end_tag);
        XmlElement& p = d.index[d.parent];
        p.self_closing = false;
        p.tag_end = static_cast<std::uint32_t>(at + 1);
        p.content_end = static_cast<std::uint32_t>(at + 1 + kLineEnd.size() + piece.size());
        p.end = static_cast<std::uint32_t>(p.content_end + end_tag.size());
        place(at + 1 + kLineEnd.size());
        id = d.index.Add(added, d.parent);
    } else {
        const std::size_t at = d.index[d.parent].content_end;
        d.Splice(at, 0, piece);
        place(at);
        id = d.index.Add(added, d.parent);
    }
    d.current = id;
    d.child = 0;
    return true;
}

bool XmlDocument::SetAttribute(std::string_view name, std::string_view value) {
    Impl& d = *impl_;
    const std::string escaped = EscapeAttribute(value);
    if (d.current == 0 || !IsXmlName(name)) {
        d.Log("write_refused");
        return false;
    }
    if (!d.CanEdit(name.size() + escaped.size() + 4)) {
        return false;
    }
    AttributeToken token;
    if (d.FindAttribute(name, token)) {
        d.Splice(token.value_begin, token.value_end - token.value_begin, escaped);
        return true;
    }
    const XmlElement& e = d.index[d.current];
    std::size_t at = e.tag_end - (e.self_closing ? 2 : 1);
    const std::size_t name_end = e.start + 1 + e.name_length;
    while (at > name_end && IsXmlSpace(d.text[at - 1])) {
        --at;
    }
    d.Splice(at, 0, " " + std::string(name) + "=\"" + escaped + "\"");
    return true;
}

bool XmlDocument::SaveText(const std::string& path) {
    if (!ReplaceFileBytes(path, SaveBytes())) {
        impl_->Log("file_error");
        return false;
    }
    return true;
}

std::string XmlDocument::SaveBytes() {
    Impl& d = *impl_;
    std::string encoding = DeclaredEncoding(std::string_view(d.text).substr(0, kDeclarationHead));
    // "UTF-16" names no byte order: keep the one the file was read in.
    if (SameEncoding(encoding, "UTF-16") && SameEncoding(d.read_encoding, kUtf16Be)) {
        encoding = std::string(kUtf16Be);
    }
    EncodedText encoded = EncodeText(d.text, encoding, d.byte_order_mark);
    for (auto& condition : encoded.conditions) {
        d.Log(std::move(condition));
    }
    return std::move(encoded.bytes);
}

const std::string& XmlDocument::Text() const {
    return impl_->text;
}

const std::vector<std::string>& XmlDocument::ResultLog() const {
    return impl_->log;
}

bool XmlDocument::HasResult(std::string_view condition) const {
    return std::any_of(impl_->log.begin(), impl_->log.end(), [&](const std::string& entry) {
        return entry.starts_with(condition) &&
               (entry.size() == condition.size() || entry[condition.size()] == ' ');
    });
}

}  // namespace mousedeck::xml
