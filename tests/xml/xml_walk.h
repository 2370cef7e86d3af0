#pragma once

#include <string>

#include "xml/xml_document.h"

namespace mousedeck::xml {

// The element tree as the cursor sees it, one line per element: depth dots,
// the name, then the listed attributes that are present. Leaves the cursor
// at the top level.
inline std::string WalkTree(XmlDocument& doc, std::initializer_list<const char*> attributes = {"id"}) {
    doc.ResetPosition();
    std::string out;
    int depth = 0;
    for (int guard = 0; guard < 100000; ++guard) {
        if (doc.FindNext("")) {
            out += std::string(static_cast<std::size_t>(depth), '.') + doc.ElementName();
            for (const char* name : attributes) {
                const std::string value = doc.AttributeOf(name);
                if (!value.empty()) {
                    out += std::string(" ") + name + "=" + value;
                }
            }
            out += "\n";
            doc.EnterElement();
            ++depth;
        } else if (depth > 0) {
            doc.LeaveElement();
            --depth;
        } else {
            break;
        }
    }
    doc.ResetPosition();
    return out;
}

}  // namespace mousedeck::xml
