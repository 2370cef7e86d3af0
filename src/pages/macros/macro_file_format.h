#pragma once

#include <string_view>
#include <vector>

#include "store/records.h"

namespace mousedeck::pages::macros {

// Macro files are UTF-8 XML under a root `macro`, in one of two layouts:
//   A, one macro:   macro > macroinfo, macroitems > item*
//   B, any number:  macro > macro_item* > record_item > item*
// `macroinfo` and `macro_item` carry the macro's header, `item` one record.
// Attribute names and numeric codes are those of the macro tables.
enum class MacroFileFormat { kA, kB };

namespace macro_xml {
inline constexpr std::string_view kRoot = "macro";
inline constexpr std::string_view kInfo = "macroinfo";        // A: the header
inline constexpr std::string_view kItems = "macroitems";      // A: the records
inline constexpr std::string_view kMacroItem = "macro_item";  // B: header and records
inline constexpr std::string_view kRecordItem = "record_item";
inline constexpr std::string_view kItem = "item";

// Header attributes, in the order written.
inline constexpr std::string_view kName = "macro_name";      // name
inline constexpr std::string_view kPlayType = "macro_type";  // play_type (play mode)
inline constexpr std::string_view kPlayTimes = "play_times";
inline constexpr std::string_view kDelayType = "delay_type";
inline constexpr std::string_view kDelayTime = "delay_time";  // fixed delay, ms

// Record attributes, in the order written.
inline constexpr std::string_view kDesc = "desc";
inline constexpr std::string_view kIndex = "index";  // record_index
inline constexpr std::string_view kType = "type";    // record kind
inline constexpr std::string_view kValue = "value";
inline constexpr std::string_view kTimestamp = "timestamp";  // the record's delay_time column
}  // namespace macro_xml

// One macro as a file carries it. `macro.macro_id` and the records'
// `record_id` and `macro_id` are not part of a file and stay 0 when read.
struct MacroFileMacro {
    store::MacroEntry macro;
    std::vector<store::MacroRecord> records;

    bool operator==(const MacroFileMacro&) const = default;
};

// Outcome of a macro file operation.
enum class MacroFileStatus {
    kOk,
    kUnreadable,      // missing file, or it could not be read
    kMalformed,       // not well-formed XML, or the root is not `macro`
    kNoMacro,         // format A without `macroinfo`
    kNoSuchMacro,     // export of a macro the database does not hold
    kWriteFailed,     // the file could not be written; an old file stays whole
    kDatabaseFailed,  // some macros could not be stored (see the import result)
};

}  // namespace mousedeck::pages::macros
