#pragma once

#include "report.h"
#include "session.h"

namespace mousedeck::ctl {

// Ends `report` as a page operation turned out, after the command added
// what it changed:
//   a question refused for want of --yes   exit 2, the question and the hint
//   a refusal shown (no connected mouse)    exit 3, its message
//   the operation refused or not stored     exit 1
//   a task the mouse did not acknowledge,
//   or nothing sent (not connected)         exit 1: the value is kept and
//                                           goes with the next write (when
//                                           the session kept it for the
//                                           next run)
//   every task acknowledged, or none due    exit 0
// The JSON document gets "acknowledged" and the tasks with their outcomes.
void Conclude(const ActionOutcome& outcome, Session& session, Report& report);

// Fails `report` with exit code 2 for a question the user did not confirm.
void RefuseUnconfirmed(int title_text, int message_text, Session& session, Report& report);

}  // namespace mousedeck::ctl
