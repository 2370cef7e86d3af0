#include "pages/macros/macro_file_reader.h"

#include "shell/lenient_number.h"

namespace mousedeck::pages::macros {
namespace {

namespace mx = macro_xml;

int NumberOf(const xml::XmlDocument& doc, std::string_view name) {
    return shell::ParseLenientInt(doc.AttributeOf(name));
}

store::MacroEntry ReadHeader(const xml::XmlDocument& doc) {
    store::MacroEntry macro;
    macro.name = doc.AttributeOf(mx::kName);
    macro.play_type = NumberOf(doc, mx::kPlayType);
    macro.play_times = NumberOf(doc, mx::kPlayTimes);
    macro.delay_type = NumberOf(doc, mx::kDelayType);
    macro.delay_time = NumberOf(doc, mx::kDelayTime);
    return macro;
}

// Every `item` among the children of the current element; the cursor ends
// back on that element.
std::vector<store::MacroRecord> ReadRecords(xml::XmlDocument& doc) {
    std::vector<store::MacroRecord> records;
    doc.EnterElement();
    while (doc.FindNext(mx::kItem)) {
        store::MacroRecord record;
        record.desc = doc.AttributeOf(mx::kDesc);
        record.record_index = NumberOf(doc, mx::kIndex);
        record.type = NumberOf(doc, mx::kType);
        record.value = NumberOf(doc, mx::kValue);
        record.delay_time = NumberOf(doc, mx::kTimestamp);
        records.push_back(std::move(record));
    }
    doc.LeaveElement();
    return records;
}

// Moves the cursor into the root; false when the root is not `macro`.
bool EnterRoot(xml::XmlDocument& doc) {
    doc.ResetPosition();
    return doc.FindNext(mx::kRoot) && doc.EnterElement();
}

MacroFileFormat DetectFormat(xml::XmlDocument& doc) {
    const bool has_info = doc.FindNext(mx::kInfo);
    doc.ResetPosition();
    return has_info ? MacroFileFormat::kA : MacroFileFormat::kB;
}

void ReadFormatA(xml::XmlDocument& doc, MacroFileContents& contents) {
    if (!doc.FindNext(mx::kInfo)) {
        contents.status = MacroFileStatus::kNoMacro;
        return;
    }
    MacroFileMacro entry;
    entry.macro = ReadHeader(doc);
    if (doc.FindNext(mx::kItems)) {
        entry.records = ReadRecords(doc);
    }
    contents.macros.push_back(std::move(entry));
}

void ReadFormatB(xml::XmlDocument& doc, MacroFileContents& contents) {
    while (doc.FindNext(mx::kMacroItem)) {
        MacroFileMacro entry;
        entry.macro = ReadHeader(doc);
        doc.EnterElement();
        if (doc.FindNext(mx::kRecordItem)) {
            entry.records = ReadRecords(doc);
        }
        doc.LeaveElement();
        contents.macros.push_back(std::move(entry));
    }
}

MacroFileContents Failed(MacroFileStatus status) {
    MacroFileContents contents;
    contents.status = status;
    return contents;
}

}  // namespace

MacroFileContents ReadMacroDocument(xml::XmlDocument& doc, std::optional<MacroFileFormat> format) {
    if (!EnterRoot(doc)) {
        return Failed(MacroFileStatus::kMalformed);
    }
    MacroFileContents contents;
    if (!format) {
        format = DetectFormat(doc);
        EnterRoot(doc);
    }
    contents.format = *format;
    if (*format == MacroFileFormat::kA) {
        ReadFormatA(doc, contents);
    } else {
        ReadFormatB(doc, contents);
    }
    return contents;
}

MacroFileContents ReadMacroFile(const std::string& path, std::optional<MacroFileFormat> format) {
    xml::XmlDocument doc;
    if (!doc.LoadText(path)) {
        return Failed(MacroFileStatus::kUnreadable);
    }
    if (!doc.ParseText()) {
        return Failed(MacroFileStatus::kMalformed);
    }
    return ReadMacroDocument(doc, format);
}

MacroFileContents ReadMacroBytes(std::string_view bytes, std::optional<MacroFileFormat> format) {
    xml::XmlDocument doc;
    doc.SetBytes(bytes);
    if (!doc.ParseText()) {
        return Failed(MacroFileStatus::kMalformed);
    }
    return ReadMacroDocument(doc, format);
}

}  // namespace mousedeck::pages::macros
