#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xml/xml_escape.h"

namespace mousedeck::xml {

// One XML document held as text with an index of its elements and a cursor
// that walks the index. Reading decodes any of the usual encodings to UTF-8;
// writing keeps the text as it is except where elements and attributes were
// added, so files written here have a fixed, byte-exact layout:
//   <?xml version="1.0" encoding="UTF-8"?>\r\n
//   <root>\r\n
//   <item a="1"/>\r\n
//   </root>\r\n
// Each appended element is followed by CR LF, nothing is indented, a
// childless element is closed with "/>", and the first child added to such
// an element turns it into a start tag, CR LF, the children and an end tag.
//
// Cursor: a parent element (none = the top level), the current element at
// that level (none = before the first) and a remembered child position of
// the current element. FindNext moves among siblings, EnterElement descends
// into the current element, LeaveElement climbs back.
//
// Not thread-safe: a document belongs to the thread that uses it. A
// moved-from document may only be assigned to or destroyed.
class XmlDocument {
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(XmlDocument&&) noexcept;
    XmlDocument& operator=(XmlDocument&&) noexcept;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Reads and decodes the whole file (see DecodeText in text_encoding.h);
    // false, with the document unchanged, when it cannot be opened or read
    // or is larger than the parser takes. The text still needs ParseText.
    bool LoadText(const std::string& path);
    // Decodes bytes exactly as LoadText decodes a file's contents.
    void SetBytes(std::string_view bytes);
    // Builds the element index and resets the cursor to the top level; true
    // only for well-formed text with exactly one root element. Ill-formed
    // text is still indexed as far as it can be read.
    bool ParseText();
    // Replaces the document text (UTF-8) and parses it; a document made this
    // way is written without a byte-order mark.
    bool ResetText(std::string_view text);

    // Moves the cursor back to the top level, before the first element,
    // keeping the index (and any edits).
    void ResetPosition();
    // Moves to the next sibling named `name` after the current element, or
    // from the parent's first child when there is none; on failure the
    // cursor stays where it was. An empty name matches any element.
    bool FindNext(std::string_view name);
    // Descends into the current element, resuming at its remembered child;
    // false (no change) when there is no current element.
    bool EnterElement();
    // Climbs to the parent, which becomes current and remembers the element
    // that was current as its child; false at the top level.
    bool LeaveElement();
    // Name of the current element; empty when there is none.
    std::string ElementName() const;
    // Unescaped value; empty when there is no current element or attribute.
    std::string AttributeOf(std::string_view name) const;
    // Unescaped character data (CDATA included) of the current element when
    // it has no child elements; empty otherwise.
    std::string TextOf() const;

    // Inserts "<name/>" CR LF after the current element (at the end of the
    // parent when there is none) and makes it current. Refused (false, text
    // unchanged) when `name` is not an XML name or the text was not parsed
    // free of syntax errors, because edits rely on the index's offsets.
    bool AppendElement(std::string_view name);
    // Replaces the value of the current element's attribute in place, or
    // adds ` name="value"` at the end of its start tag; the value is
    // escaped. Refused like AppendElement, and when there is no current
    // element.
    bool SetAttribute(std::string_view name, std::string_view value);

    // Writes the document text in its declared encoding (UTF-8 when none),
    // with a byte-order mark only when the text was read with one. The file
    // is replaced at once (written beside it, then renamed), so a failed
    // write leaves the old file whole. False when it cannot be written.
    bool SaveText(const std::string& path);
    // The bytes SaveText writes: the text in its declared encoding, with a
    // byte-order mark as above. Logs like SaveText.
    std::string SaveBytes();

    const std::string& Text() const;  // UTF-8
    // Diagnostic log of named conditions, for tests and debugging only.
    const std::vector<std::string>& ResultLog() const;
    // True when the log holds the condition (an entry is a name, optionally
    // followed by a space and a detail).
    bool HasResult(std::string_view condition) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace mousedeck::xml
