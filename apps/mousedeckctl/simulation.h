#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "shell/app/hotplug_source.h"
#include "sim/simulated_hid_backend.h"
#include "sim/simulated_mouse.h"

namespace mousedeck::ctl {

// The simulated mouse behind --simulate: one product of the shipped
// catalogue, its state kept in a file so that separate runs meet the same
// mouse. A new mouse has its cable and its receiver plugged in.
class Simulation {
public:
    // The product of `device_type` (0: the first of the catalogue) from the
    // product data in `application_folder`; null with `error` set when there
    // is no such product.
    static std::unique_ptr<Simulation> Create(const std::filesystem::path& application_folder,
                                              int device_type, std::string& error);

    sim::SimulatedMouse& Mouse() { return mouse_; }
    sim::SimulatedHidBackend& Backend() { return backend_; }
    const std::string& StatePath() const { return state_path_; }
    // The mouse's plug events as hot-plug events, for a controller that
    // follows arrivals and removals.
    shell::app::HotplugFactory Hotplug();

    // $MOUSEDECK_SIM_STATE when set; else
    // $XDG_STATE_HOME/mousedeck/simulated-mouse.<device_type>.state, with
    // ~/.local/state for an unset XDG_STATE_HOME.
    static std::string StatePathFor(int device_type);

private:
    Simulation(sim::SimProduct product, sim::SimOptions options);

    std::string state_path_;
    sim::SimulatedMouse mouse_;
    sim::SimulatedHidBackend backend_;
};

}  // namespace mousedeck::ctl
