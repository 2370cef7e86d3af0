#pragma once

#include <optional>
#include <string_view>

#include "xml/xml_document.h"

namespace mousedeck::pages::macros {

// Writes a new XML document element by element and remembers whether the
// document accepted every edit, so a caller can refuse to save a file with
// parts missing (the writer refuses edits beyond its size limit).
//
// The document starts as the UTF-8 declaration line and CR LF; each added
// element goes on its own line (see XmlDocument::AppendElement).
class CheckedXmlWriter {
public:
    CheckedXmlWriter();

    // XmlDocument::AppendElement, EnterElement, LeaveElement, SetAttribute.
    void Append(std::string_view name);
    void Enter();
    void Leave();
    void Set(std::string_view name, std::string_view value);
    void Set(std::string_view name, int value);  // signed decimal

    // The document, or nothing when any edit was refused.
    std::optional<xml::XmlDocument> Finish();

private:
    xml::XmlDocument doc_;
    bool ok_ = true;
};

}  // namespace mousedeck::pages::macros
