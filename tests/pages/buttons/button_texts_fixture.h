#pragma once

#include <gtest/gtest.h>

#include <string>

#include "shell/app_paths.h"
#include "shell/lang_text.h"
#include "shell/language_state.h"
#include "support/temp_home.h"

namespace mousedeck::pages::buttons {

// An application folder of its own with small language files, so the texts
// a test expects are the ones it wrote.
class ButtonTextsTest : public ::testing::Test {
protected:
    ButtonTextsTest() {
        WriteLanguage(1033,
                      "31=Copy\n32=Paste\n36=Cut\n106=Left click\n107=Right click\n108=Middle click\n"
                      "109=Forward\n110=Back\n112=Scroll up\n113=Scroll down\n114=Tilt left\n115=Tilt right\n"
                      "117=Volume up\n118=Volume down\n119=Mute\n120=Media player\n121=Play or pause\n"
                      "122=Previous track\n123=Next track\n124=Stop playback\n127=Brightness up\n"
                      "128=Brightness down\n129=Calculator\n130=File manager\n131=Browser home\n132=Email\n"
                      "133=Show desktop\n134=Switch windows\n139=Disabled\n142=DPI cycle\n"
                      "151=Report rate cycle\n152=Profile cycle\n153=Battery level\n154=Sniper DPI\n"
                      "155=Lift-off cycle\n161=Rapid fire\n180=Triple click\n181=Lighting cycle\n"
                      "182=Rapid fire settings\n351=Custom\n");
        WriteLanguage(2052, "31=复制\n107=右键\n351=自定义\n");
        WriteLanguage(1028, "351=自訂\n");
        WriteLanguage(1041, "351=カスタム\n");
        WriteLanguage(1049, "351=Пользовательский\n");
        Use(1033);
    }

    void WriteLanguage(int lcid, const std::string& lines) {
        test::WriteFile(app / ("language/" + std::to_string(lcid) + ".lan"), "[LAN]\n" + lines);
    }
    void Use(int lcid) { language.SetCurrent(lcid); }

    static shell::PathEnvironment Environment(const test::TempDir& folder) {
        shell::PathEnvironment environment;
        environment.data_dir = folder.path().string();
        environment.home = folder.path().string();
        return environment;
    }

    test::TempDir app;
    shell::AppPaths paths{"Product", Environment(app)};
    shell::LanguageState language;
    shell::LanguageTexts texts{paths, language};
};

}  // namespace mousedeck::pages::buttons
