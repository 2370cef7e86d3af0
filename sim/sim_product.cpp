#include "sim/sim_product.h"

namespace mousedeck::sim {

const SimMode* SimProduct::ModeOf(int mode) const {
    for (const auto& m : modes) {
        if (m.mode == mode) {
            return &m;
        }
    }
    return nullptr;
}

SimProduct DefaultProduct() {
    SimProduct product;
    product.name = "Simulated mouse";
    product.device_type = 101;
    product.device_id = "SM01";
    product.modes = {{0, 0x1D57, 0xFA60, CommandUsage::kVendor}, {1, 0x1D57, 0xFA61, CommandUsage::kVendor}};
    product.sensor_code = 17;
    product.highest_rate = 0x40;
    return product;
}

uint16_t EncodeDpi(uint8_t sensor_code, int v) {
    int c = 0;
    switch (sensor_code) {
        case 4:
        case 16:
        case 18:
        case 53:
            c = v / 100;
            break;
        case 5:
            c = v <= 6400 ? v / 50 : (v - 6400) / 100 + 128;
            break;
        case 17:
            if (v <= 10000) {
                c = v / 50;
            } else if (v < 13000) {
                c = (v - 10000) / 100 + 200;
            } else {
                c = (v - 13000) / 1000 + 221;
            }
            break;
        case 25:
            c = v <= 16000 ? v / 100 - 1 : (v - 16000) / 1000 + 160;
            break;
        case 37:
            c = v <= 5000 ? v / 100 : (v - 5000) / 500 + 50;
            break;
        case 38:
            c = v <= 5000 ? v / 100 - 1 : (v - 5000) / 500 + 50;
            break;
        default:
            c = v / 50 - 1;
            break;
    }
    return static_cast<uint16_t>(c < 0 ? 0 : c);
}

}  // namespace mousedeck::sim
