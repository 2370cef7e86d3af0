#include "pages/macros/checked_xml_writer.h"

#include <string>

namespace mousedeck::pages::macros {
namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

}  // namespace

CheckedXmlWriter::CheckedXmlWriter() {
    // The declaration alone has no root element, so the parse reports false;
    // what counts is that the edits that follow are accepted.
    doc_.ResetText(kDeclaration);
}

void CheckedXmlWriter::Append(std::string_view name) {
    ok_ = doc_.AppendElement(name) && ok_;
}

void CheckedXmlWriter::Enter() {
    ok_ = doc_.EnterElement() && ok_;
}

void CheckedXmlWriter::Leave() {
    ok_ = doc_.LeaveElement() && ok_;
}

void CheckedXmlWriter::Set(std::string_view name, std::string_view value) {
    ok_ = doc_.SetAttribute(name, value) && ok_;
}

void CheckedXmlWriter::Set(std::string_view name, int value) {
    Set(name, std::to_string(value));
}

std::optional<xml::XmlDocument> CheckedXmlWriter::Finish() {
    if (!ok_) {
        return std::nullopt;
    }
    return std::move(doc_);
}

}  // namespace mousedeck::pages::macros
