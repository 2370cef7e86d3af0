#pragma once

#include "pages/lighting/lighting_view.h"
#include "report.h"
#include "session.h"

namespace mousedeck::ctl {

// The lighting of the current profile as the page shows it.
pages::lighting::LightingView ReadLighting(Session& session);

// The effect with its brightness, speed and colours, and the effects the
// mouse offers: a line each and the JSON member "lighting" (null for a
// product without lighting).
void PutLighting(const pages::lighting::LightingView& view, Session& session, Report& report);

}  // namespace mousedeck::ctl
