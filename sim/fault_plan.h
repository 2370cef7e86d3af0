#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace mousedeck::sim {

// What goes wrong with one exchange.
enum class FaultKind {
    kWriteFailure,  // the write returns -1; the mouse never sees the report
    kNoReply,       // the write succeeds, the report is lost: nothing done, nothing answered
    kNak,           // the report is refused: reply byte 1 = kStatusRejected, nothing done
    kGarbage,       // a 64-byte reply of noise (byte 1 never 0) in place of the answer; nothing done
    kShortReply,    // the report is handled but only the first `short_length` reply bytes arrive
    kUnplug,        // the write succeeds, then the link (cable or receiver) is pulled before any answer
};

// Which reports a fault applies to: command frames or boot-loader reports.
enum class FaultTarget { kCommands, kBootLoader };

struct FaultRule {
    FaultKind kind = FaultKind::kNoReply;
    // 0: every report from now on; N: only the Nth report from now on (1-based).
    int nth = 0;
    FaultTarget target = FaultTarget::kCommands;
    int short_length = 2;  // kShortReply: bytes delivered (reply bytes 0 and 1 by default)
};

// The faults a test has asked for, matched against a running count of the
// reports each target has received.
class FaultPlan {
public:
    void Add(const FaultRule& rule);
    void Clear();

    // Counts one report for the target and returns the fault that hits it,
    // if any. A rule for the Nth report is used up when it fires; of several
    // rules the earliest added wins.
    std::optional<FaultRule> Next(FaultTarget target);

private:
    struct Entry {
        FaultRule rule;
        uint64_t at = 0;  // absolute count of the report it hits; 0 = every report
    };
    std::vector<Entry> entries_;
    uint64_t counts_[2] = {0, 0};
};

}  // namespace mousedeck::sim
