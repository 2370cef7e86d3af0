#pragma once

#include "pages/performance/performance_view.h"
#include "report.h"
#include "session.h"

namespace mousedeck::ctl {

// The mouse's sensor and report-rate capability from the last read-back,
// and the product's page switches.
pages::performance::PerformanceInputs InputsOf(Session& session);
// The performance settings of the current profile as the page shows them.
pages::performance::PerformanceView ReadPerformance(Session& session);

// Each adds one setting to the report: a line (labels in the interface
// language where it has them) and a member of the JSON document.
using pages::performance::PerformanceView;
void PutReportRate(const PerformanceView& view, Report& report);
void PutDpiStages(const PerformanceView& view, Report& report);
void PutLiftOff(const PerformanceView& view, Report& report);
void PutSensor(const PerformanceView& view, Session& session, Report& report);
void PutSleep(const PerformanceView& view, Session& session, Report& report);
void PutWakeOnMove(const PerformanceView& view, Session& session, Report& report);
void PutLightsOffOnMove(const PerformanceView& view, Session& session, Report& report);
void PutDebounce(const PerformanceView& view, Report& report);
// All of the above, in page order; the options the product does not offer
// are left out.
void PutPerformance(const PerformanceView& view, Session& session, Report& report);

}  // namespace mousedeck::ctl
