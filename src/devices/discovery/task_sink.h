#pragma once

#include <functional>

namespace mousedeck::discovery {

// How discovery reaches the device worker; the controller passes the
// worker's own calls. Either may be empty (nothing is queued or switched).
// Both are called from the UI thread, the worker and the hot-plug thread.
struct TaskSink {
    std::function<void(int code)> push_task;   // appends a task code (hid::TaskCode)
    std::function<void(bool on)> set_polling;  // the idle worker reads notifications while on
};

}  // namespace mousedeck::discovery
