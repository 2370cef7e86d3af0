// A short tour of the product data: the product line, its catalogue and a few
// interface texts in the language chosen for this user.
#include <cstdio>
#include <string>

#include "devices/catalogue_loader.h"
#include "shell/app_paths.h"
#include "shell/lang_text.h"
#include "shell/language_list.h"
#include "shell/settings_file.h"
#include "shell/startup_language.h"

namespace {

using namespace mousedeck;

const char* ModeName(int mode) { return mode == 0 ? "cable" : "receiver"; }

}  // namespace

int main() {
    const auto bootstrap = shell::AppPaths::FromProcess("");
    const shell::LanguageList list = shell::LoadLanguageList(bootstrap.CatalogueFile());
    if (!list.read) {
        std::fprintf(stderr, "cannot read %s\n", bootstrap.CatalogueFile().c_str());
        return 1;
    }
    const auto paths = shell::AppPaths::FromProcess(list.device_name);
    shell::SettingsFile settings(paths.SettingsFile());
    shell::LanguageState language;
    if (list.default_language) {
        language.SetCurrent(*list.default_language);
    }
    shell::ChooseStartupLanguage(language, settings, list.languages,
                                 shell::UserInterfaceLanguage(shell::LocaleEnvironment::FromProcess()));
    shell::LanguageTexts texts(paths, language);

    devices::DeviceCatalogue catalogue;
    devices::CatalogueView no_view;
    const devices::ProductFolders folders{paths.ApplicationFolder().string(), paths.SkinFolder("default").string()};
    if (!devices::LoadCatalogue(folders, [&](int n) { return texts.LangText(n); }, catalogue, no_view)) {
        std::fprintf(stderr, "cannot read the catalogue\n");
        return 1;
    }

    const auto& software = catalogue.Software();
    std::printf("%s\n", devices::TitleCaption(texts.LangText(devices::kVersionTitleText), software.version).c_str());
    std::printf("Product line: %s (language %d)\n", software.caption.c_str(), language.Current());
    std::printf("Product data: %s\n", paths.ApplicationFolder().c_str());
    std::printf("Settings:     %s\n", paths.SettingsFile().c_str());
    std::printf("Data folder:  %s\n\n", paths.DataFolder().c_str());
    for (const auto& mouse : catalogue.Mice()) {
        std::printf("%s  (device type %d, %s.xml)\n", mouse.name.c_str(), mouse.device_type, mouse.device_attr.c_str());
        for (const auto& mode : catalogue.Modes()) {
            if (mode.device_type == mouse.device_type) {
                std::printf("    %-8s  %04X:%04X  id %s\n", ModeName(mode.value), mode.vendor_id, mode.product_id,
                            mode.dev_id.c_str());
            }
        }
    }
    std::printf("\n");
    for (int number : {50, 51, 52, 61, 280, 281, 282}) {
        std::printf("text %3d: %s\n", number, texts.LangText(number).c_str());
    }
    return 0;
}
