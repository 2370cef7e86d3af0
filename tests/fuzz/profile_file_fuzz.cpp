// Arbitrary bytes as a profile file, imported into the first profile of a
// fresh settings database. A file that is not read changes nothing; one
// that is read leaves a profile whose export, imported into a second
// profile seeded the same way, exports to the same bytes.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "pages/profiles/profile_export.h"
#include "pages/profiles/profile_file_reader.h"
#include "pages/profiles/profile_import.h"
#include "store/config_defaults.h"
#include "store/profile_setup.h"
#include "store/settings_database.h"

namespace {

namespace fs = std::filesystem;
using namespace mousedeck;
using pages::profiles::ProfileFileStatus;
using pages::profiles::ProfileTarget;

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

const fs::path& Root() {
    static const fs::path root = [] {
        char pattern[] = "/dev/shm/profile_file_fuzz-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        Check(made != nullptr);
        return fs::path(made);
    }();
    return root;
}

// A fresh database with two profiles seeded alike: every default key, three
// lighting rows (effect 1 active) and two button assignments.
void OpenFresh(store::SettingsDatabase& db) {
    db.Close();
    std::error_code ignored;
    fs::remove_all(Root() / "db", ignored);
    Check(db.OpenForDevice(Root() / "db", "F", 101));
    for (int profile = 1; profile <= 2; ++profile) {
        Check(db.AddProfile({.name = "Profile " + std::to_string(profile)}, store::DefaultConfigRows()) ==
              profile);
        for (int mode : {1, 2, 0}) {
            Check(db.AddLightRow({.profile = profile,
                                  .mode = mode,
                                  .brightness = 4,
                                  .speed = 2,
                                  .colorful = 1,
                                  .color_values = {255, 65280, 16711680, 16776960, 65535, 16711935, 16777215},
                                  .config_func = 3,
                                  .reserved = 280 + mode}) > 0);
        }
        Check(db.SetActiveLight(profile, 1));
        Check(db.SaveBinding({.profile = profile, .key_code = 1, .macro_type = 1, .macro_value = 3}) > 0);
        Check(db.SaveBinding({.profile = profile,
                              .key_code = 5,
                              .macro_type = 4,
                              .macro_value = 2,
                              .macro_desc = "Custom 1"}) > 0);
    }
    Check(db.SetActiveProfile(1));
}

// Takes the database and files of one input away again, so a run leaves
// only its empty folder behind however it ends.
struct RemoveAfterInput {
    store::SettingsDatabase& db;
    ~RemoveAfterInput() {
        db.Close();
        std::error_code ignored;
        for (const char* name : {"db", "a", "b"}) {
            fs::remove_all(Root() / name, ignored);
        }
    }
};

std::string Export(const ProfileTarget& target) {
    std::optional<xml::XmlDocument> doc = pages::profiles::BuildProfileFile(target, "name");
    Check(doc.has_value());
    return doc->SaveBytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static store::SettingsDatabase db;
    const RemoveAfterInput cleanup{db};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The length chooses whether the product has lighting: a mutation that
    // adds or drops one byte tries the other.
    const bool lighting = (size & 1) != 0;
    const devices::TextLookup text = [](int) { return std::string("Profil"); };
    store::ProfileView view;
    int writes = 0;
    const auto write_all = [&writes] { ++writes; };

    OpenFresh(db);
    const ProfileTarget first{db, 1, lighting};
    const ProfileTarget second{db, 2, lighting};
    const std::string before = Export(first);

    fs::create_directories(Root() / "a");
    const fs::path file = Root() / "a" / "Imported.xml";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(size));
    const auto read = pages::profiles::ReadProfileBytes(bytes, lighting);
    const ProfileFileStatus status =
        pages::profiles::ImportProfileFile(first, file.string(), text, view, write_all);
    Check(status == read.status);
    if (status != ProfileFileStatus::kOk) {
        Check(Export(first) == before && db.GetProfileName(1) == "Profile 1" && writes == 0);
        return 0;
    }
    Check(db.GetProfileName(1) == "Imported" && writes == 1);

    // Export, import into the second profile under the same file name, export again.
    fs::create_directories(Root() / "b");
    const fs::path exported = Root() / "b" / "Imported.xml";
    Check(pages::profiles::ExportProfileFile(first, text, exported.string()) == ProfileFileStatus::kOk);
    Check(pages::profiles::ImportProfileFile(second, exported.string(), text, view, write_all) ==
          ProfileFileStatus::kOk);
    Check(Export(second) == Export(first));
    return 0;
}
