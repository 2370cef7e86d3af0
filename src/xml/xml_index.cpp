#include "xml/xml_index.h"

namespace mousedeck::xml {
namespace {

void Move(std::uint32_t& offset, std::size_t boundary, bool at_boundary, std::int64_t delta) {
    if (offset > boundary || (at_boundary && offset == boundary)) {
        offset = static_cast<std::uint32_t>(static_cast<std::int64_t>(offset) + delta);
    }
}

}  // namespace

void XmlIndex::Reset(std::size_t text_size) {
    elements_.clear();
    XmlElement document;
    document.content_end = static_cast<std::uint32_t>(text_size);
    document.end = static_cast<std::uint32_t>(text_size);
    elements_.push_back(document);
}

std::int32_t XmlIndex::Add(const XmlElement& element, std::int32_t parent, std::int32_t after) {
    const auto id = static_cast<std::int32_t>(elements_.size());
    elements_.push_back(element);
    XmlElement& added = elements_.back();
    added.parent = parent;
    added.first_child = 0;
    added.last_child = 0;
    XmlElement& owner = (*this)[parent];
    if (after != 0 && (*this)[after].parent == parent) {
        added.next_sibling = (*this)[after].next_sibling;
        (*this)[after].next_sibling = id;
        if (owner.last_child == after) {
            owner.last_child = id;
        }
    } else {
        added.next_sibling = 0;
        if (owner.last_child != 0) {
            (*this)[owner.last_child].next_sibling = id;
        } else {
            owner.first_child = id;
        }
        owner.last_child = id;
    }
    return id;
}

void XmlIndex::Replace(std::size_t pos, std::size_t removed, std::size_t inserted,
                       std::size_t new_text_size) {
    const std::size_t boundary = pos + removed;
    const std::int64_t delta = static_cast<std::int64_t>(inserted) - static_cast<std::int64_t>(removed);
    for (std::size_t i = 1; i < elements_.size(); ++i) {
        XmlElement& e = elements_[i];
        if (e.end < boundary) {
            continue;  // wholly before the edit: end is the largest offset
        }
        Move(e.start, boundary, true, delta);
        Move(e.tag_end, boundary, false, delta);
        Move(e.content_end, boundary, true, delta);
        Move(e.end, boundary, false, delta);
        if (e.self_closing) {
            e.content_end = e.tag_end;
        }
    }
    elements_[0].content_end = static_cast<std::uint32_t>(new_text_size);
    elements_[0].end = static_cast<std::uint32_t>(new_text_size);
}

}  // namespace mousedeck::xml
