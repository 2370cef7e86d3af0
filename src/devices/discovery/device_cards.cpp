#include "devices/discovery/device_cards.h"

#include <algorithm>

namespace mousedeck::discovery {
namespace {

bool Present(const DeviceCard& card) {
    return std::any_of(card.state.begin(), card.state.end(), [](int s) { return s > 0; });
}

}  // namespace

void DeviceCards::Reset(std::span<const devices::CatalogueMouse> mice) {
    cards_.clear();
    for (const auto& mouse : mice) {
        cards_.push_back({mouse.device_type, {}});
    }
}

bool DeviceCards::SetState(int device_type, int connection_mode, int state) {
    if (connection_mode < 0 || connection_mode >= static_cast<int>(DeviceCard{}.state.size())) {
        return false;
    }
    bool found = false;
    for (auto& card : cards_) {
        if (card.device_type == device_type) {
            card.state[static_cast<size_t>(connection_mode)] = state;
            found = true;
        }
    }
    return found;
}

int DeviceCards::StateOf(int device_type, int connection_mode) const {
    if (connection_mode < 0 || connection_mode >= static_cast<int>(DeviceCard{}.state.size())) {
        return 0;
    }
    const auto it = std::find_if(cards_.begin(), cards_.end(),
                                 [&](const DeviceCard& c) { return c.device_type == device_type; });
    return it != cards_.end() ? it->state[static_cast<size_t>(connection_mode)] : 0;
}

bool DeviceCards::IsPresent(int device_type) const {
    return std::any_of(cards_.begin(), cards_.end(),
                       [&](const DeviceCard& c) { return c.device_type == device_type && Present(c); });
}

bool DeviceCards::AnyPresent() const {
    return std::any_of(cards_.begin(), cards_.end(), Present);
}

int ChooseCard(const DeviceCards& cards, int wanted_type) {
    if (cards.IsPresent(wanted_type)) {
        return wanted_type;
    }
    const auto& all = cards.All();
    const auto first = std::find_if(all.begin(), all.end(), Present);
    return first != all.end() ? first->device_type : wanted_type;
}

}  // namespace mousedeck::discovery
