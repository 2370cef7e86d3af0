#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "pages/macros/macro_file_format.h"
#include "store/records.h"
#include "xml/xml_document.h"

namespace mousedeck::pages::macros {

// The documents of the two macro file formats, ready for SaveText. The
// layout is the XML writer's: the declaration line, then one element per
// line ended by CR LF, no indentation, "/>" for elements without children.
// Numbers are written in signed decimal. Nothing when the writer refused an
// edit (a document beyond its size limit), so no file is ever written with
// part of its macros missing.

// Format A: `shown_name` is written as macro_name (the file carries the
// name as the macro list shows it); the other header values come from
// `macro`. `records` are written in the order given, an empty list as an
// empty `macroitems`.
std::optional<xml::XmlDocument> BuildMacroFileA(const store::MacroEntry& macro, std::string_view shown_name,
                                                std::span<const store::MacroRecord> records);

// Format B: every macro in the order given, with its stored name; a macro
// without records has no `record_item`.
std::optional<xml::XmlDocument> BuildMacroFileB(std::span<const MacroFileMacro> macros);

}  // namespace mousedeck::pages::macros
