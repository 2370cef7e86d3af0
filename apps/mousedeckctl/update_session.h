#pragma once

#include <memory>

#include "command_line.h"
#include "report.h"
#include "session.h"
#include "update/update_service.h"
#include "update_terminal.h"

namespace mousedeck::ctl {

// A session with the update routines (tasks 23, 24, 26, 27) registered,
// for the update and firmware commands only: other commands never reach
// the update server. Ends in the order the routines need: the exit waits
// for a running flash (and says why), the network thread stops, the worker
// stops, and only then the routines go.
//
// The signals that end a program (SIGINT, SIGTERM, SIGHUP) are blocked for
// the whole run and taken in Wait, so an interrupt during a flash waits for
// it instead of cutting it.
class UpdateSession {
public:
    // Null, with the failure in `report`, as StartWithDevice. `device`:
    // also require a connected mouse.
    static std::unique_ptr<UpdateSession> Start(const Invocation& invocation, Report& report, bool device);
    ~UpdateSession();
    UpdateSession(const UpdateSession&) = delete;
    UpdateSession& operator=(const UpdateSession&) = delete;

    // Queues `code` and waits until the worker and the network thread both
    // have nothing left (the jobs of one queue may queue work on the
    // other). False when that took too long or the user interrupted.
    bool Run(int code);
    bool Wait();
    bool Interrupted() const { return interrupted_; }

    Session& Base() { return *session_; }
    update::UpdateService& Service() { return *service_; }
    UpdateTerminal& Terminal() { return terminal_; }

private:
    UpdateSession(std::unique_ptr<Session> session, bool bar);

    UpdateTerminal terminal_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<update::UpdateService> service_;
    bool interrupted_ = false;
};

}  // namespace mousedeck::ctl
