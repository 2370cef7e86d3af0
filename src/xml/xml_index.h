#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mousedeck::xml {

// One element as offsets into the document text. Entry 0 of an index is the
// document itself (its children are the top-level elements), so 0 also
// means "none" in every link.
struct XmlElement {
    std::uint32_t start = 0;        // '<' of the start tag
    std::uint32_t tag_end = 0;      // just past the start tag's '>'
    std::uint32_t content_end = 0;  // '<' of the end tag; tag_end when self-closing
    std::uint32_t end = 0;          // just past the element
    std::uint32_t name_length = 0;  // the name starts at start + 1
    std::int32_t parent = 0;
    std::int32_t first_child = 0;
    std::int32_t last_child = 0;
    std::int32_t next_sibling = 0;
    bool self_closing = false;  // written as "<name .../>"
};

// The elements of a document in the order they were found or added, with
// their tree links. Keeps the offsets true while the text is edited.
class XmlIndex {
public:
    static constexpr std::int32_t kDocument = 0;

    // Only the document entry, spanning text_size bytes.
    void Reset(std::size_t text_size);

    std::size_t size() const { return elements_.size(); }
    const XmlElement& operator[](std::int32_t i) const { return elements_[static_cast<std::size_t>(i)]; }
    XmlElement& operator[](std::int32_t i) { return elements_[static_cast<std::size_t>(i)]; }

    // Adds an element (its offsets set by the caller) as a child of parent:
    // after `after` when that is a child of parent, else as the last child.
    std::int32_t Add(const XmlElement& element, std::int32_t parent, std::int32_t after = 0);

    // Records that `removed` bytes at pos were replaced by `inserted` bytes.
    // An offset at the end of the replaced range moves when it marks where
    // something begins (start, content_end) and stays when it marks where
    // something ends (tag_end, end): text inserted right after an element
    // lies outside it, before the element that follows.
    void Replace(std::size_t pos, std::size_t removed, std::size_t inserted, std::size_t new_text_size);

private:
    std::vector<XmlElement> elements_;
};

}  // namespace mousedeck::xml
