// Arbitrary bytes as a macro file, imported into a fresh settings database.
// Whatever the bytes, the import stores exactly the macros the reader saw
// (or nothing), and what was stored survives an export and a second import
// unchanged: the re-exported file is the same byte for byte.
#include <stdlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <tuple>
#include <vector>

#include "pages/macros/macro_export.h"
#include "pages/macros/macro_file_reader.h"
#include "pages/macros/macro_import.h"
#include "shell/app_paths.h"
#include "shell/lang_text.h"
#include "shell/language_state.h"
#include "store/settings_database.h"
#include "../pages/macros/stored_macros.h"

namespace {

namespace fs = std::filesystem;
using namespace mousedeck;
using pages::macros::MacroFileFormat;
using pages::macros::MacroFileMacro;
using pages::macros::MacroFileStatus;

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

const fs::path& Root() {
    static const fs::path root = [] {
        char pattern[] = "/dev/shm/macro_file_fuzz-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        Check(made != nullptr);
        return fs::path(made);
    }();
    return root;
}

// Language texts with the words the macro list replaces in names.
struct Texts {
    Texts() {
        fs::create_directories(Root() / "app/language");
        std::ofstream(Root() / "app/language/1033.lan") << "[LAN]\n31=Duplicate\n351=Macro\n";
        language.SetCurrent(1033);
    }
    static shell::PathEnvironment Environment() {
        shell::PathEnvironment environment;
        environment.data_dir = (Root() / "app").string();
        environment.home = Root().string();
        return environment;
    }
    shell::AppPaths paths{"Fuzz", Environment()};
    shell::LanguageState language;
    shell::LanguageTexts texts{paths, language};
};

// A settings database in a folder of its own, created anew.
void OpenFresh(store::SettingsDatabase& db, const std::string& folder) {
    db.Close();
    std::error_code ignored;
    fs::remove_all(Root() / folder, ignored);
    Check(db.OpenForDevice(Root() / folder, "F", 101));
}

// Records in one order whatever order equal record_index values came in.
std::vector<MacroFileMacro> Sorted(std::vector<MacroFileMacro> macros) {
    for (MacroFileMacro& macro : macros) {
        std::sort(macro.records.begin(), macro.records.end(), [](const auto& a, const auto& b) {
            return std::tie(a.record_index, a.type, a.value, a.delay_time, a.desc) <
                   std::tie(b.record_index, b.type, b.value, b.delay_time, b.desc);
        });
    }
    return macros;
}

// Takes the databases and files of one input away again, so a run leaves
// only the folder and the language file behind however it ends.
struct RemoveAfterInput {
    store::SettingsDatabase& db;
    store::SettingsDatabase& copy;
    ~RemoveAfterInput() {
        db.Close();
        copy.Close();
        std::error_code ignored;
        for (const char* name : {"db", "copy", "in.xml", "first.xml", "second.xml"}) {
            fs::remove_all(Root() / name, ignored);
        }
    }
};

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Texts texts;
    static store::SettingsDatabase db;
    static store::SettingsDatabase copy;
    const RemoveAfterInput cleanup{db, copy};
    pages::macros::MacroListView view;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Both formats read from the bytes without a database.
    pages::macros::ReadMacroBytes(bytes, MacroFileFormat::kA);
    pages::macros::ReadMacroBytes(bytes, MacroFileFormat::kB);

    const fs::path file = Root() / "in.xml";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(size));
    OpenFresh(db, "db");
    const auto read = pages::macros::ReadMacroBytes(bytes, std::nullopt);
    const auto result = pages::macros::ImportMacroFile(db, file.string(), std::nullopt, texts.texts, view);
    Check(result.status == read.status);
    if (result.status != MacroFileStatus::kOk) {
        Check(db.ListMacros().empty());
        return 0;
    }
    Check(Sorted(pages::macros::StoredMacros(db)) == Sorted(read.macros));

    // Export, import into another fresh database, export again.
    const fs::path first = Root() / "first.xml";
    const fs::path second = Root() / "second.xml";
    Check(pages::macros::ExportMacroFileB(db, first.string()) == MacroFileStatus::kOk);
    OpenFresh(copy, "copy");
    const auto again =
        pages::macros::ImportMacroFile(copy, first.string(), MacroFileFormat::kB, texts.texts, view);
    Check(again.status == MacroFileStatus::kOk);
    Check(Sorted(pages::macros::StoredMacros(copy)) == Sorted(pages::macros::StoredMacros(db)));
    Check(pages::macros::ExportMacroFileB(copy, second.string()) == MacroFileStatus::kOk);
    Check(ReadAll(first) == ReadAll(second));
    return 0;
}
