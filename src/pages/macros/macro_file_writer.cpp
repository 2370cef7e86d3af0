#include "pages/macros/macro_file_writer.h"

#include "pages/macros/checked_xml_writer.h"

namespace mousedeck::pages::macros {
namespace {

namespace mx = macro_xml;

void AppendHeader(CheckedXmlWriter& writer, std::string_view element, const store::MacroEntry& macro,
                  std::string_view name) {
    writer.Append(element);
    writer.Set(mx::kName, name);
    writer.Set(mx::kPlayType, macro.play_type);
    writer.Set(mx::kPlayTimes, macro.play_times);
    writer.Set(mx::kDelayType, macro.delay_type);
    writer.Set(mx::kDelayTime, macro.delay_time);
}

// One `item` per record at the current level.
void AppendRecords(CheckedXmlWriter& writer, std::span<const store::MacroRecord> records) {
    for (const store::MacroRecord& record : records) {
        writer.Append(mx::kItem);
        writer.Set(mx::kDesc, record.desc);
        writer.Set(mx::kIndex, record.record_index);
        writer.Set(mx::kType, record.type);
        writer.Set(mx::kValue, record.value);
        writer.Set(mx::kTimestamp, record.delay_time);
    }
}

}  // namespace

std::optional<xml::XmlDocument> BuildMacroFileA(const store::MacroEntry& macro, std::string_view shown_name,
                                                std::span<const store::MacroRecord> records) {
    CheckedXmlWriter writer;
    writer.Append(mx::kRoot);
    writer.Enter();
    AppendHeader(writer, mx::kInfo, macro, shown_name);
    writer.Append(mx::kItems);
    writer.Enter();
    AppendRecords(writer, records);
    return writer.Finish();
}

std::optional<xml::XmlDocument> BuildMacroFileB(std::span<const MacroFileMacro> macros) {
    CheckedXmlWriter writer;
    writer.Append(mx::kRoot);
    writer.Enter();
    for (const MacroFileMacro& entry : macros) {
        AppendHeader(writer, mx::kMacroItem, entry.macro, entry.macro.name);
        if (entry.records.empty()) {
            continue;
        }
        writer.Enter();
        writer.Append(mx::kRecordItem);
        writer.Enter();
        AppendRecords(writer, entry.records);
        writer.Leave();
        writer.Leave();
    }
    return writer.Finish();
}

}  // namespace mousedeck::pages::macros
