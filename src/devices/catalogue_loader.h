#pragma once

#include <string>
#include <string_view>

#include "devices/catalogue_view.h"
#include "devices/device_catalogue.h"
#include "devices/text_lookup.h"

namespace mousedeck::xml {
class XmlDocument;
}

namespace mousedeck::devices {

// Language text shown before the version in the window title.
inline constexpr int kVersionTitleText = 17;

// Reads the catalogue from a parsed config.xml, cursor at the top level.
// Elements are searched forward only, each level in this order:
//   config > device > mouse* > mode*, then config > software > website,
//   feedback, qa, store, upgrade, copyright.
// So a `software` placed before `device` is not found, and a child out of
// order is skipped. Missing attributes read as empty text, numbers leniently.
DeviceCatalogue ReadCatalogue(xml::XmlDocument& document, std::string_view skin_folder);

// Empties `catalogue` and the device cards, then reads
// <application>/config.xml: one card per product, the title caption when the
// file names its software. False, with the catalogue left empty, when the
// file is missing or not well-formed XML (a truncated file is not half-read).
bool LoadCatalogue(const ProductFolders& folders, const TextLookup& text, DeviceCatalogue& catalogue,
                   CatalogueView& view);

// "<version word>: v<version>".
std::string TitleCaption(std::string_view version_word, std::string_view version);

}  // namespace mousedeck::devices
