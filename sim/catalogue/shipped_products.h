#pragma once

#include <string>
#include <vector>

#include "devices/device_catalogue.h"
#include "devices/device_defaults.h"
#include "sim/sim_product.h"

namespace mousedeck::sim {

// One simulated product per catalogue product that has at least one usable
// mode, in catalogue order. Per connection value the first mode counts; a
// mode whose ids do not fit 16 bits is left out (no USB device has them).
// The mouse reports the catalogue's dev_id, cut or padded with '0' to four
// characters (a shorter dev_id accepts any identity). What the data files do
// not say (sensor code, highest rate, firmware releases, battery) keeps the
// SimProduct defaults.
std::vector<SimProduct> ProductsOfCatalogue(const devices::DeviceCatalogue& catalogue);

// The factory settings a description file's performance defaults give:
// DPI stages, colours, active stage and count, report rate, sleep time,
// wake-on-move, lights-off-on-move and lift-off. Absent elements keep the
// current values; numbers are read leniently.
void ApplyDeviceDefaults(const devices::DeviceDefaults& defaults, FactorySettings& factory);

// Reads <folder>/config.xml and each product's device/<attr>.xml. Empty
// when config.xml cannot be read; a missing description leaves that product
// with the built-in factory settings.
std::vector<SimProduct> LoadShippedProducts(const std::string& application_folder);

}  // namespace mousedeck::sim
