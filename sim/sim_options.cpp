#include "sim/sim_options.h"

#include <cstdlib>

namespace mousedeck::sim {

SimOptions SimOptions::FromEnvironment() {
    SimOptions options;
    if (const char* log = std::getenv("MOUSEDECK_SIM_LOG")) {
        options.log_path = log;
    }
    if (const char* state = std::getenv("MOUSEDECK_SIM_STATE")) {
        options.state_path = state;
    }
    return options;
}

}  // namespace mousedeck::sim
