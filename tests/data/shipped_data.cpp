#include "shipped_data.h"

#include <algorithm>
#include <cctype>

#include "devices/catalogue_loader.h"
#include "devices/catalogue_view.h"
#include "shell/app_paths.h"
#include "shell/lang_text.h"
#include "shell/language_state.h"
#include "support/temp_home.h"

namespace mousedeck::test {
namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsLanHeader(std::string_view line) {
    if (line.size() != 5 || line.front() != '[' || line.back() != ']') {
        return false;
    }
    std::string name(line.substr(1, 3));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name == "LAN";
}

}  // namespace

devices::ProductFolders ShippedFolders() {
    const std::string folder = ExecutableFolder().string();
    return {folder, folder + "/skins/default"};
}

std::filesystem::path ShippedLanguageFile(int lcid) {
    return ExecutableFolder() / "language" / (std::to_string(lcid) + ".lan");
}

std::vector<int> ShippedLanguageIds() {
    std::vector<int> ids;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(ExecutableFolder() / "language", ec)) {
        const std::string stem = entry.path().stem().string();
        if (entry.path().extension() == ".lan" && !stem.empty() &&
            std::all_of(stem.begin(), stem.end(), [](unsigned char c) { return std::isdigit(c) != 0; })) {
            ids.push_back(std::stoi(stem));
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

devices::DeviceCatalogue LoadShippedCatalogue() {
    devices::DeviceCatalogue catalogue;
    devices::CatalogueView ignored;
    devices::LoadCatalogue(ShippedFolders(), {}, catalogue, ignored);
    return catalogue;
}

std::string ShippedText(int lcid, int number) {
    shell::PathEnvironment environment;
    environment.executable = ExecutableFolder() / "data_tests";
    environment.data_dir = ExecutableFolder().string();
    const shell::AppPaths paths("Mousedeck Demo", environment);
    shell::LanguageState language;
    language.SetCurrent(lcid);
    const shell::LanguageTexts texts(paths, language);
    return texts.LangText(number);
}

bool EveryLanguageHasText(int number) {
    const std::vector<int> ids = ShippedLanguageIds();
    return !ids.empty() &&
           std::all_of(ids.begin(), ids.end(), [&](int lcid) { return !ShippedText(lcid, number).empty(); });
}

LanScan ScanLanguageFile(std::string_view bytes) {
    LanScan scan;
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        scan.problems.push_back("UTF-16 file: ship language files as UTF-8");
        return scan;
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    bool in_lan = false;
    bool seen_lan = false;
    int number = 0;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view raw = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        ++number;
        const std::string_view line = Trim(raw);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        const std::string where = "line " + std::to_string(number) + ": ";
        if (line.front() == '[') {
            in_lan = IsLanHeader(line);
            if (in_lan && seen_lan) {
                scan.problems.push_back(where + "second [LAN] section is never read");
            } else if (!in_lan) {
                scan.problems.push_back(where + "section other than [LAN]");
            }
            seen_lan = seen_lan || in_lan;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            scan.problems.push_back(where + "neither a comment nor key=value");
            continue;
        }
        if (!in_lan) {
            scan.problems.push_back(where + "text outside [LAN]");
            continue;
        }
        scan.lines.push_back(
            {std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1))), number});
    }
    if (!seen_lan) {
        scan.problems.push_back("no [LAN] section");
    }
    return scan;
}

}  // namespace mousedeck::test
