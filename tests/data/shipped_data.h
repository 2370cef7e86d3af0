#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "devices/catalogue_entries.h"
#include "devices/device_catalogue.h"

namespace mousedeck::test {

// The product data as the build ships it: copied beside the test executable.
devices::ProductFolders ShippedFolders();
std::filesystem::path ShippedLanguageFile(int lcid);
// LCIDs of the language/<lcid>.lan files that ship, ascending.
std::vector<int> ShippedLanguageIds();

// config.xml read by the catalogue reader; empty when it cannot be read.
devices::DeviceCatalogue LoadShippedCatalogue();

// The text of this number in a language, read by the program's own lookup.
std::string ShippedText(int lcid, int number);
// Whether every shipped language holds a non-empty text of this number.
bool EveryLanguageHasText(int number);

// One `key=value` line of a language file's [LAN] section, as written. The
// program's reader answers one number at a time; this lists the lines so
// each can be compared with what the reader returns.
struct LanLine {
    std::string key;
    std::string value;
    int line = 0;  // 1-based
};

// The lines of the [LAN] section and the problems a reader would hide:
// text before the section, a second [LAN] section, lines that are neither
// comments nor key=value, a byte-order mark other than UTF-8's.
struct LanScan {
    std::vector<LanLine> lines;
    std::vector<std::string> problems;
};
LanScan ScanLanguageFile(std::string_view bytes);

}  // namespace mousedeck::test
