#include "sim/fault_plan.h"

#include <vector>

namespace mousedeck::sim {
namespace {

std::size_t IndexOf(FaultTarget target) {
    return target == FaultTarget::kCommands ? 0 : 1;
}

}  // namespace

void FaultPlan::Add(const FaultRule& rule) {
    Entry entry{rule, 0};
    if (rule.nth > 0) {
        entry.at = counts_[IndexOf(rule.target)] + static_cast<uint64_t>(rule.nth);
    }
    entries_.push_back(entry);
}

void FaultPlan::Clear() {
    entries_.clear();
}

std::optional<FaultRule> FaultPlan::Next(FaultTarget target) {
    const uint64_t count = ++counts_[IndexOf(target)];
    std::erase_if(entries_,
                  [&](const Entry& e) { return e.rule.target == target && e.at != 0 && e.at < count; });
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->rule.target != target || (it->at != 0 && it->at != count)) {
            continue;
        }
        const FaultRule rule = it->rule;
        if (it->at != 0) {
            entries_.erase(it);
        }
        return rule;
    }
    return std::nullopt;
}

}  // namespace mousedeck::sim
