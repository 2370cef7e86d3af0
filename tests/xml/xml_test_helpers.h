#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "xml/xml_document.h"

namespace mousedeck::xml {

// UTF-16 code units as bytes in the given order, without a byte-order mark.
inline std::string Utf16(std::u16string_view units, bool big_endian) {
    std::string out;
    for (char16_t u : units) {
        const char lo = static_cast<char>(u & 0xFF);
        const char hi = static_cast<char>(u >> 8);
        out += big_endian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

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
