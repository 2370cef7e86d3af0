#include "app_fixture.h"

#include "devices/discovery/sim_hotplug_source.h"
#include "hid/task_code.h"
#include "shell/language_list.h"
#include "sim/catalogue/shipped_products.h"
#include "sim/traffic_log.h"
#include "store/settings_database.h"

namespace mousedeck::shell::app::test {
namespace {

using std::chrono::milliseconds;

// Short waits, so that a mouse that does not answer costs milliseconds, yet
// long enough for a sanitizer build on a busy machine.
hid::ExchangeTiming FastExchange() {
    hid::ExchangeTiming t;
    t.reply_attempts = 20;
    t.reply_wait = milliseconds(10);
    t.identify_retry_delay = milliseconds(5);
    t.notification_wait = milliseconds(20);
    t.receiver_wait = milliseconds(5);
    return t;
}

AppPaths TestPaths(const mousedeck::test::TempDir& temp, const std::filesystem::path& application) {
    PathEnvironment environment;
    environment.executable = mousedeck::test::ExecutableFolder() / "app_tests";
    environment.data_dir = application.string();
    environment.xdg_data_home = (temp / "data").string();
    environment.xdg_config_home = (temp / "config").string();
    environment.home = temp.path().string();
    return AppPaths(LoadLanguageList(application / "config.xml").device_name, environment);
}

// Hot-plug events of every simulated mouse.
class SimMiceHotplug final : public HotplugSource {
public:
    SimMiceHotplug(const std::vector<std::unique_ptr<sim::SimulatedMouse>>& mice,
                   const HotplugListener& listener) {
        for (const auto& mouse : mice) {
            sources_.push_back(std::make_unique<discovery::SimHotplugSource>(*mouse, listener));
        }
    }

private:
    std::vector<std::unique_ptr<discovery::SimHotplugSource>> sources_;
};

}  // namespace

AppFixture::AppFixture(const std::filesystem::path& application)
    : paths(TestPaths(temp, application)), settings(paths.SettingsFile()) {
    language.SetCurrent(1033);
    settings.ReadRegistryNumber(kLcidValue);  // creates the file, as the start-up language choice does
    for (sim::SimProduct product : sim::LoadShippedProducts(application.string())) {
        product.factory.report_rate = kMouseReportRate;
        product.factory.stage_index = kMouseStageIndex;
        product.factory.debounce_ms = kMouseDebounce;
        product.factory.light_effect = kMouseEffect;
        sim::SimOptions options;
        options.log_path = LogPath(product.device_type);
        options.reply_latency = std::chrono::microseconds(100);
        mice.push_back(std::make_unique<sim::SimulatedMouse>(product, options));
        backend.Attach(*mice.back());
        log_lines_read_.push_back(0);
    }
}

AppFixture::~AppFixture() {
    if (controller) {
        controller->Stop();
    }
}

void AppFixture::Create(bool hotplug) {
    ControllerSetup setup{.backend = backend, .view = view, .language = language, .settings = settings};
    if (hotplug) {
        setup.hotplug = [this](HotplugListener listener) {
            return std::make_unique<SimMiceHotplug>(mice, std::move(listener));
        };
    }
    setup.trace = [this](std::string_view message, std::span<const uint8_t>) { view.RecordTrace(message); };
    setup.exchange = FastExchange();
    setup.sender.restore_settle = milliseconds(1);
    setup.timings.removal_settle = milliseconds(10);
    controller = std::make_unique<ApplicationController>(paths, std::move(setup));
}

void AppFixture::Start(bool hotplug) {
    if (!controller) {
        Create(hotplug);
    }
    ASSERT_TRUE(controller->Start());
}

void AppFixture::StartConnected(int device_type, bool cable, bool receiver) {
    for (auto& mouse : mice) {
        const bool chosen = mouse->product().device_type == device_type;
        mouse->PlugCable(chosen && cable);
        mouse->PlugReceiver(chosen && receiver);
    }
    Start();
    ASSERT_TRUE(WaitForTask(hid::kTaskFindAndRead, TaskOutcome::kAcknowledged));
    Idle();
    for (auto& mouse : mice) {
        TakeWrites(mouse->product().device_type);
    }
    view.Clear();
}

void AppFixture::Idle() {
    ASSERT_TRUE(controller->WaitUntilIdle(std::chrono::seconds(20)));
}

bool AppFixture::WaitForTask(int code, TaskOutcome outcome, int times) {
    return view.WaitForLine(RecordingUserView::TaskLine(code, outcome), times);
}

sim::SimulatedMouse& AppFixture::Mouse(int device_type) {
    for (auto& mouse : mice) {
        if (mouse->product().device_type == device_type) {
            return *mouse;
        }
    }
    throw std::logic_error("no simulated product of type " + std::to_string(device_type));
}

void AppFixture::Plug(int device_type, bool cable, bool receiver) {
    Mouse(device_type).PlugCable(cable);
    Mouse(device_type).PlugReceiver(receiver);
}

std::string AppFixture::LogPath(int device_type) const {
    return (temp / ("traffic-" + std::to_string(device_type) + ".log")).string();
}

std::vector<Bytes> AppFixture::TakeWrites(int device_type) {
    std::size_t slot = 0;
    while (mice[slot]->product().device_type != device_type) {
        ++slot;
    }
    sim::TrafficLog::HostWrites writes =
        sim::TrafficLog::ReadHostWrites(LogPath(device_type), log_lines_read_[slot]);
    log_lines_read_[slot] = writes.lines;
    return std::move(writes.reports);
}

std::vector<int> AppFixture::TakeCommands(int device_type) {
    std::vector<int> codes;
    for (const Bytes& write : TakeWrites(device_type)) {
        codes.push_back(write.size() > 1 ? write[1] : -1);
    }
    return codes;
}

std::string AppFixture::Key(std::string_view key, int profile) {
    const int p = profile == 0 ? controller->CurrentProfile() : profile;
    return Db().GetConfigValue(p, key).value_or("<none>");
}

void AppFixture::SetKey(std::string_view key, std::string_view value, int profile) {
    const int p = profile == 0 ? controller->CurrentProfile() : profile;
    ASSERT_TRUE(Db().SetConfigValue(p, key, value));
}

}  // namespace mousedeck::shell::app::test
