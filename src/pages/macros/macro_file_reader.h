#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/macros/macro_file_format.h"
#include "xml/xml_document.h"

namespace mousedeck::pages::macros {

// What a macro file holds, read completely before anything is stored, so a
// file that cannot be read leaves the database untouched.
struct MacroFileContents {
    MacroFileStatus status = MacroFileStatus::kOk;
    MacroFileFormat format = MacroFileFormat::kA;
    std::vector<MacroFileMacro> macros;  // in file order; empty unless kOk
};

// Reading rules, those of the document cursor: each element is looked for
// among the siblings after the one last found, so elements out of the
// written order are not seen, and elements with other names are skipped.
// A number that is missing or not numeric reads as 0 (leading digits count,
// see shell::ParseLenientInt), a missing text as empty. Record `index`
// values are kept as written.
//
// `format` nothing detects it: format A when the root holds a `macroinfo`,
// else format B. Format A without `macroinfo` is kNoMacro; format B without
// any `macro_item` is kOk with no macros.

// From a document that parsed well-formed.
MacroFileContents ReadMacroDocument(xml::XmlDocument& doc, std::optional<MacroFileFormat> format);
// Loads and parses the file first: kUnreadable when it cannot be read,
// kMalformed when it is not well-formed or its root is not `macro`.
MacroFileContents ReadMacroFile(const std::string& path, std::optional<MacroFileFormat> format);
// The same from the file's bytes.
MacroFileContents ReadMacroBytes(std::string_view bytes, std::optional<MacroFileFormat> format);

}  // namespace mousedeck::pages::macros
