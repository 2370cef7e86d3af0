// Decoding, parsing, the cursor and the writer of XmlDocument on arbitrary
// bytes. Besides the sanitizers, three properties are checked: decoded text
// is always well-formed UTF-8; text saved in one of the common encodings
// without loss reads back the same; and after edits the document's own
// index agrees with the index a fresh parse of its text builds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "xml/text_encoding.h"
#include "xml/utf8.h"
#include "xml/xml_document.h"

namespace {

using mousedeck::xml::XmlDocument;

constexpr std::size_t kMaxInput = 64 * 1024;
constexpr int kMaxSteps = 4096;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Depth-first walk over at most kMaxSteps cursor moves, recording names,
// a few attributes and the text of leaves; leaves the cursor at the top.
std::string Walk(XmlDocument& doc) {
    std::string out;
    int depth = 0;
    for (int step = 0; step < kMaxSteps; ++step) {
        if (doc.FindNext("")) {
            out += "<" + doc.ElementName() + " a=" + doc.AttributeOf("a") + " k=" + doc.AttributeOf("k") +
                   " t=" + doc.TextOf();
            Check(doc.EnterElement());
            ++depth;
        } else if (depth > 0) {
            Check(doc.LeaveElement());
            --depth;
            out += ">";
        } else {
            break;
        }
    }
    while (depth-- > 0) {
        Check(doc.LeaveElement());
    }
    Check(!doc.LeaveElement());
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput) {
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    XmlDocument doc;
    doc.SetBytes(bytes);
    Check(mousedeck::xml::CheckUtf8(doc.Text()).valid &&
          !mousedeck::xml::CheckUtf8(doc.Text()).truncated_end);
    doc.ParseText();

    // Save and read back.
    {
        const std::string saved = doc.SaveBytes();
        const std::string declared =
            mousedeck::xml::DeclaredEncoding(std::string_view(doc.Text()).substr(0, 1024));
        bool common = false;
        for (const char* name :
             {"", "UTF-8", "UTF-16", "UTF-16LE", "UTF-16BE", "ISO-8859-1", "windows-1252"}) {
            common = common || mousedeck::xml::SameEncoding(declared, name);
        }
        if (common && !doc.HasResult("conversion_loss")) {
            XmlDocument reread;
            reread.SetBytes(saved);
            Check(reread.Text() == doc.Text());
        }
    }

    // Named lookups in the order a reader would make them.
    if (doc.FindNext("a") && doc.EnterElement()) {
        doc.FindNext("b");
        doc.AttributeOf("a");
        doc.EnterElement();
        doc.FindNext("a");
        doc.LeaveElement();
        doc.LeaveElement();
    }
    doc.ParseText();
    Walk(doc);

    // Edits at a spot the input chooses, then the index must match a fresh parse.
    doc.ParseText();
    const std::size_t moves = size > 0 ? data[0] % 8 : 0;
    for (std::size_t i = 0; i < moves; ++i) {
        if (!doc.FindNext("") || (i % 3 == 2 && !doc.EnterElement())) {
            break;
        }
    }
    const bool appended = doc.AppendElement("fz");
    doc.SetAttribute("k", "<&\"'>");
    doc.SetAttribute("a", "1");
    doc.SetAttribute("a", "22");
    if (appended) {
        Check(doc.AttributeOf("a") == "22" && doc.AttributeOf("k") == "<&\"'>");
        Check(doc.EnterElement());
        Check(doc.AppendElement("c"));
        Check(doc.SetAttribute("a", "x&y"));
        Check(doc.AppendElement("d"));
        Check(doc.LeaveElement());
        Check(doc.AppendElement("e"));
        doc.ResetPosition();
        XmlDocument fresh;
        fresh.ResetText(doc.Text());
        Check(Walk(doc) == Walk(fresh));
    }
    return 0;
}
