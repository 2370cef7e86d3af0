#include "simulation.h"

#include <cstdlib>
#include <system_error>

#include "devices/discovery/sim_hotplug_source.h"
#include "sim/catalogue/shipped_products.h"

namespace mousedeck::ctl {
namespace {

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string ProductTypes(const std::vector<sim::SimProduct>& products) {
    std::string list;
    for (const sim::SimProduct& product : products) {
        list += (list.empty() ? "" : ", ") + std::to_string(product.device_type) + " (" + product.name + ")";
    }
    return list;
}

}  // namespace

std::string Simulation::StatePathFor(int device_type) {
    if (std::string explicit_path = EnvironmentValue("MOUSEDECK_SIM_STATE"); !explicit_path.empty()) {
        return explicit_path;
    }
    std::filesystem::path base = EnvironmentValue("XDG_STATE_HOME");
    if (base.empty() || base.is_relative()) {
        base = std::filesystem::path(EnvironmentValue("HOME")) / ".local" / "state";
    }
    return (base / "mousedeck" / ("simulated-mouse." + std::to_string(device_type) + ".state")).string();
}

std::unique_ptr<Simulation> Simulation::Create(const std::filesystem::path& application_folder,
                                               int device_type, std::string& error) {
    const std::vector<sim::SimProduct> products = sim::LoadShippedProducts(application_folder.string());
    if (products.empty()) {
        error = "the product data in " + application_folder.string() + " names no product to simulate";
        return nullptr;
    }
    const sim::SimProduct* chosen = &products.front();
    if (device_type != 0) {
        chosen = nullptr;
        for (const sim::SimProduct& product : products) {
            if (product.device_type == device_type) {
                chosen = &product;
            }
        }
        if (chosen == nullptr) {
            error = "--simulate=" + std::to_string(device_type) + " names no product; the products are " +
                    ProductTypes(products);
            return nullptr;
        }
    }
    sim::SimOptions options = sim::SimOptions::FromEnvironment();
    options.state_path = StatePathFor(chosen->device_type);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(options.state_path).parent_path(), ec);
    return std::unique_ptr<Simulation>(new Simulation(*chosen, std::move(options)));
}

Simulation::Simulation(sim::SimProduct product, sim::SimOptions options)
    : state_path_(options.state_path), mouse_(std::move(product), std::move(options)), backend_(mouse_) {}

shell::app::HotplugFactory Simulation::Hotplug() {
    return [this](shell::app::HotplugListener listener) -> std::unique_ptr<shell::app::HotplugSource> {
        return std::make_unique<shell::app::HeldHotplug<discovery::SimHotplugSource>>(mouse_,
                                                                                      std::move(listener));
    };
}

}  // namespace mousedeck::ctl
