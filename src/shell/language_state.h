#pragma once

#include <atomic>

namespace mousedeck::shell {

// The language the interface shows before anything chooses one.
inline constexpr int kInitialLanguage = 2052;

// The current interface language (an LCID). One object, owned by whoever
// owns the application and passed by reference; any thread may read it while
// the user-interface thread changes it.
class LanguageState {
public:
    int Current() const { return lcid_.load(std::memory_order_acquire); }
    void SetCurrent(int lcid) { lcid_.store(lcid, std::memory_order_release); }

private:
    std::atomic<int> lcid_{kInitialLanguage};
};

}  // namespace mousedeck::shell
