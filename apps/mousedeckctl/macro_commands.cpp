#include "pages/macros/macro_commands.h"
#include "commands.h"
#include "pages/macros/macro_export.h"
#include "pages/macros/macro_import.h"
#include "pages/performance/value_words.h"

namespace mousedeck::ctl {
namespace {

namespace macros = pages::macros;
using macros::MacroFileFormat;
using macros::MacroFileStatus;

std::optional<int> ParseMacroId(const std::string& word, Report& report) {
    const std::optional<int> id = pages::performance::ParseWholeNumber(word);
    if (!id || *id < 0) {
        UsageOf("macro", "macro id '" + word + "' is not a number (see macro list)", report);
        return std::nullopt;
    }
    return id;
}

// --format a|b; `fallback` when the option is absent.
bool ParseFormat(const Invocation& invocation, std::optional<MacroFileFormat>& format, Report& report) {
    const std::optional<std::string> word = invocation.Option("format");
    if (!word) {
        return true;
    }
    if (*word == "a" || *word == "A") {
        format = MacroFileFormat::kA;
    } else if (*word == "b" || *word == "B") {
        format = MacroFileFormat::kB;
    } else {
        UsageOf("macro", "--format takes a (one macro) or b (every macro), not '" + *word + "'", report);
        return false;
    }
    return true;
}

std::string FileWords(MacroFileStatus status) {
    switch (status) {
        case MacroFileStatus::kOk:
            return "done";
        case MacroFileStatus::kUnreadable:
            return "the file cannot be read";
        case MacroFileStatus::kMalformed:
            return "the file is not a macro file (not well-formed XML, or no macro root)";
        case MacroFileStatus::kNoMacro:
            return "the file holds no macro";
        case MacroFileStatus::kNoSuchMacro:
            return "no such macro";
        case MacroFileStatus::kWriteFailed:
            return "the file cannot be written";
        case MacroFileStatus::kDatabaseFailed:
            return "some macros could not be stored";
    }
    return "";
}

void List(Session& session, Report& report) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const macros::MacroSummary& entry :
         macros::ListMacroSummaries(session.Controller().Database(), session.Texts())) {
        list.push_back(
            {{"id", entry.macro.macro_id}, {"name", entry.shown_name}, {"records", entry.record_count}});
        report.Line(std::to_string(entry.macro.macro_id) + "  " + entry.shown_name + "  (" +
                    std::to_string(entry.record_count) + " records)");
    }
    report.Json()["macros"] = list;
}

void Show(Session& session, int id, Report& report) {
    const std::optional<macros::MacroDetails> details =
        macros::ShowMacro(session.Controller().Database(), id, session.Texts());
    if (!details) {
        report.Fail(kExitNotAcknowledged, "no macro " + std::to_string(id) + " (see macro list)");
        return;
    }
    const store::MacroEntry& macro = details->macro;
    auto& json = report.Json();
    json["id"] = macro.macro_id;
    json["name"] = details->shown_name;
    json["play_type"] = macro.play_type;
    json["play_times"] = macro.play_times;
    json["delay_type"] = macro.delay_type;
    json["delay_time"] = macro.delay_time;
    report.Line(std::to_string(macro.macro_id) + "  " + details->shown_name + "  play " +
                std::to_string(macro.play_type) + " x" + std::to_string(macro.play_times) + ", delay " +
                std::to_string(macro.delay_type) + "/" + std::to_string(macro.delay_time) + " ms");
    nlohmann::ordered_json records = nlohmann::ordered_json::array();
    for (const store::MacroRecord& record : details->records) {
        records.push_back({{"index", record.record_index},
                           {"type", record.type},
                           {"value", record.value},
                           {"delay", record.delay_time},
                           {"desc", record.desc}});
        report.Line("  " + std::to_string(record.record_index) + "  type " + std::to_string(record.type) +
                    "  value " + std::to_string(record.value) + "  " + std::to_string(record.delay_time) +
                    " ms  " + record.desc);
    }
    json["records"] = records;
}

void Edit(macros::MacroEditStatus status, int id, Report& report) {
    switch (status) {
        case macros::MacroEditStatus::kOk:
            return;
        case macros::MacroEditStatus::kNoSuchMacro:
            report.Fail(kExitNotAcknowledged, "no macro " + std::to_string(id) + " (see macro list)");
            return;
        case macros::MacroEditStatus::kEmptyName:
            report.Usage("a macro name cannot be empty");
            return;
        case macros::MacroEditStatus::kDatabaseFailed:
            report.Fail(kExitNotAcknowledged, "the settings database refused the change");
            return;
    }
}

void Export(Session& session, const std::string& file, std::optional<MacroFileFormat> format,
            std::optional<int> id, Report& report) {
    MacroFileStatus status = MacroFileStatus::kOk;
    if (format == MacroFileFormat::kA) {
        status = macros::ExportMacroFileA(session.Controller().Database(), *id, session.Texts(), file);
    } else {
        status = macros::ExportMacroFileB(session.Controller().Database(), file);
    }
    report.Json()["file"] = file;
    if (status != MacroFileStatus::kOk) {
        report.Fail(kExitNotAcknowledged, FileWords(status));
        return;
    }
    report.Line("written to " + file);
}

void Import(Session& session, const std::string& file, std::optional<MacroFileFormat> format,
            Report& report) {
    macros::MacroListView ignored;
    const macros::MacroImportResult result =
        macros::ImportMacroFile(session.Controller().Database(), file, format, session.Texts(), ignored);
    report.Json()["imported"] = result.imported;
    report.Json()["failed"] = result.failed;
    for (const int id : result.imported) {
        report.Line("imported as macro " + std::to_string(id));
    }
    if (result.status != MacroFileStatus::kOk) {
        report.Fail(result.status == MacroFileStatus::kDatabaseFailed ? kExitNotAcknowledged : kExitUsage,
                    FileWords(result.status));
    }
}

}  // namespace

void RunMacro(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    const std::string what = args.empty() ? std::string() : args[0];
    const std::size_t count = args.size();
    const bool known = (what == "list" && count == 1) || (what == "show" && count == 2) ||
                       (what == "rename" && count == 3) || (what == "delete" && count == 2) ||
                       (what == "export" && count == 2) || (what == "import" && count == 2);
    if (!known) {
        UsageOf("macro",
                "macro takes list, show <id>, rename <id> <name>, delete <id>, "
                "export <file> [--format a|b] [--macro <id>] or import <file> [--format a|b]",
                report);
        return;
    }
    const bool files = what == "export" || what == "import";
    if (!files && (invocation.Has("format") || invocation.Has("macro"))) {
        UsageOf("macro", "--format and --macro go with export and import", report);
        return;
    }
    std::optional<MacroFileFormat> format;
    if (files && !ParseFormat(invocation, format, report)) {
        return;
    }
    std::optional<int> id;
    if (what == "show" || what == "rename" || what == "delete") {
        if (!(id = ParseMacroId(args[1], report))) {
            return;
        }
    }
    if (what == "rename" && args[2].empty()) {
        UsageOf("macro", "a macro name cannot be empty", report);
        return;
    }
    if (what == "import" && invocation.Has("macro")) {
        UsageOf("macro", "import takes no --macro", report);
        return;
    }
    if (what == "export") {
        if (const std::optional<std::string> word = invocation.Option("macro")) {
            if (!(id = ParseMacroId(*word, report))) {
                return;
            }
        }
        // One macro is format A, every macro format B, unless told otherwise.
        format = format.value_or(id ? MacroFileFormat::kA : MacroFileFormat::kB);
        if (format == MacroFileFormat::kA && !id) {
            UsageOf("macro", "format a holds one macro: name it with --macro <id>", report);
            return;
        }
        if (format == MacroFileFormat::kB && id) {
            UsageOf("macro", "format b holds every macro; --macro goes with format a", report);
            return;
        }
    }
    const auto session = StartWithDevice(invocation, report);
    if (!session) {
        return;
    }
    auto& db = session->Controller().Database();
    if (what == "list") {
        List(*session, report);
    } else if (what == "show") {
        Show(*session, *id, report);
    } else if (what == "rename") {
        Edit(macros::RenameMacroAndBindings(db, *id, args[2], session->Controller().CurrentProfile()), *id,
             report);
    } else if (what == "delete") {
        Edit(macros::DeleteMacroById(db, *id), *id, report);
    } else if (what == "export") {
        Export(*session, args[1], format, id, report);
    } else {
        Import(*session, args[1], format, report);
    }
}

}  // namespace mousedeck::ctl
