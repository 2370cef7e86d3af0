#pragma once

#include <string>

#include "report.h"
#include "session.h"

namespace mousedeck::ctl {

// "cable", "receiver" or "none" for a connection caption text number.
const char* ConnectionWord(int caption);

// The name of a product of the catalogue; its device type when it has none.
std::string ProductName(Session& session, int device_type);

// "<product>: <connection caption>" and the JSON member "device".
void PutCurrentProduct(Session& session, Report& report);
// "Profile <n> of 4: <shown name>" and the JSON member "profile".
void PutCurrentProfile(Session& session, Report& report);
// How the profile list shows a profile's stored name.
std::string ShownProfileName(Session& session, const std::string& stored);

}  // namespace mousedeck::ctl
