#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mousedeck::xml {

// One XML document held as text with an index of its elements and a cursor
// that walks the index. Reading decodes any of the usual encodings to UTF-8;
// writing keeps the text as it is except where elements and attributes were
// added, so files written here have a fixed, byte-exact layout.
//
// Cursor: a parent element, the current element at that level and a
// remembered child position. FindNext moves among siblings, EnterElement
// descends into the current element, LeaveElement climbs back.
class XmlDocument {
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(XmlDocument&&) noexcept;
    XmlDocument& operator=(XmlDocument&&) noexcept;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Reads and decodes the whole file; false when it cannot be opened or read.
    bool LoadText(const std::string& path);
    // Decodes bytes exactly as LoadText decodes a file's contents.
    void SetBytes(std::string_view bytes);
    // Builds the element index and resets the cursor to the top level; true
    // only for well-formed text with exactly one root element.
    bool ParseText();
    // Replaces the document text (UTF-8) and parses it.
    bool ResetText(std::string_view text);

    bool FindNext(std::string_view name);
    bool EnterElement();
    bool LeaveElement();
    // Unescaped value; empty when there is no current element or attribute.
    std::string AttributeOf(std::string_view name) const;
    // Unescaped text content of the current element; empty when none.
    std::string TextOf() const;

    void AppendElement(std::string_view name);
    void SetAttribute(std::string_view name, std::string_view value);

    // Writes the document text in its declared encoding (UTF-8 when none).
    bool SaveText(const std::string& path);

    const std::string& Text() const;  // UTF-8
    // Diagnostic log of named conditions, for tests and debugging only.
    const std::vector<std::string>& ResultLog() const;
    bool HasResult(std::string_view condition) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

std::string EscapeAttribute(std::string_view value);
std::string EscapeText(std::string_view text);
std::string Unescape(std::string_view text);

}  // namespace mousedeck::xml
