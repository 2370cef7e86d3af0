#include "shell/app/application_controller.h"

#include <utility>

#include "devices/catalogue_loader.h"
#include "hid/task_code.h"
#include "protocol/firmware_version.h"
#include "shell/language_choice.h"

namespace mousedeck::shell::app {
namespace {

// Every run starts from the default product; the refresh then selects the
// one that is connected.
constexpr int kStartDeviceType = hid::kDefaultDeviceType;

}  // namespace

ApplicationController::ApplicationController(AppPaths paths, ControllerSetup setup)
    : paths_(std::move(paths)),
      view_(setup.view),
      language_(setup.language),
      settings_(setup.settings),
      hotplug_factory_(std::move(setup.hotplug)),
      skin_theme_(std::move(setup.skin_theme)),
      texts_(paths_, language_),
      trace_(std::move(setup.trace)),
      db_(&view_),
      devices_(setup.backend, setup.exchange),
      sender_(devices_, db_, &trace_, setup.sender),
      runner_(&devices_),
      discovery_(
          discovery::DiscoveryContext{
              .catalogue = catalogue_,
              .folders = {paths_.ApplicationFolder().string(), paths_.SkinFolder(skin_theme_).string()},
              .data_folder = paths_.DataFolder(),
              .manager = devices_,
              .settings = settings_,
              .database = db_,
              .description_view = view_,
              .view = view_,
              .tasks = {.push_task = [this](int code) { runner_.Push(code); },
                        .set_polling = [this](bool on) { runner_.SetPolling(on); }},
          },
          discovery_state_),
      context_{paths_,     texts_, db_,     devices_, sender_, discovery_state_,
               discovery_, state_, runner_, view_,    trace_,  setup.timings},
      pages_(context_),
      refresh_(context_, pages_),
      writer_(context_, pages_),
      resets_(context_, pages_, writer_),
      notifications_(context_, refresh_),
      actions_(context_) {
    devices_.SetTrace(
        [this](std::string_view message, std::span<const uint8_t> bytes) { trace_.Trace(message, bytes); });
    RegisterRoutines();
}

ApplicationController::~ApplicationController() {
    Stop();
}

void ApplicationController::Routine(int code, std::function<TaskOutcome()> routine) {
    runner_.SetRoutine(code, [this, code, routine = std::move(routine)] {
        const TaskOutcome outcome = routine();
        view_.OnTaskFinished({code, outcome});
    });
}

void ApplicationController::RegisterRoutines() {
    const AppTimings timings = context_.timings;
    Routine(hid::kTaskFindAndRead, [this] { return refresh_.FindAndRead(std::chrono::milliseconds(0)); });
    Routine(hid::kTaskDeviceArrived,
            [this, timings] { return refresh_.FindAndRead(timings.arrival_settle); });
    Routine(hid::kTaskDeviceRemoved, [this] { return refresh_.AfterRemoval(); });
    Routine(hid::kTaskReadThroughReceiver, [this] { return refresh_.AfterSelection(); });
    Routine(hid::kTaskWriteAllSettings, [this] { return writer_.WriteAllSettings(); });
    Routine(hid::kTaskSendButtons, [this] { return writer_.SendButtons(); });
    Routine(hid::kTaskSendLighting, [this] { return writer_.SendLighting(); });
    Routine(hid::kTaskSendDpiStages, [this] { return writer_.SendDpiStages(); });
    Routine(hid::kTaskSendDpiColours, [this] { return writer_.SendDpiColours(); });
    Routine(hid::kTaskSendReportRate, [this] { return writer_.SendReportRate(); });
    Routine(hid::kTaskSendLiftOff, [this] { return writer_.SendLiftSensor(); });
    Routine(hid::kTaskSendPower, [this] { return writer_.SendPowerDebounce(); });
    Routine(hid::kTaskSendDebounce, [this] { return writer_.SendPowerDebounce(); });
    Routine(hid::kTaskRestoreLighting, [this] { return resets_.RestoreLighting(); });
    Routine(hid::kTaskResetDpi, [this] { return resets_.ResetDpi(); });
    Routine(hid::kTaskFactoryReset, [this] { return resets_.FactoryReset(); });
    runner_.SetNotificationRoutine([this] { notifications_.Poll(); });
    if (!hotplug_factory_) {
        // Nothing else reports removals: a vanished interface stands for one.
        runner_.SetInterfaceLostRoutine([this] { runner_.Push(hid::kTaskDeviceRemoved); });
    }
}

bool ApplicationController::Start() {
    if (started_) {
        return !catalogue_.Mice().empty();
    }
    started_ = true;
    settings_.WriteRegistryNumber(kDeviceTypeValue, kStartDeviceType);
    paths_.CreateDatabaseFolder();
    const devices::ProductFolders folders{paths_.ApplicationFolder().string(),
                                          paths_.SkinFolder(skin_theme_).string()};
    const bool loaded = devices::LoadCatalogue(folders, context_.TextLookup(), catalogue_, view_);
    runner_.Push(hid::kTaskFindAndRead);
    runner_.Push(hid::kTaskCheckAppUpdate);
    if (hotplug_factory_) {
        hotplug_ = hotplug_factory_(
            [this](const discovery::HotplugEvent& event) { discovery_.UpdateUSBDevice(event); });
        if (!hotplug_) {
            trace_.Trace("no hot-plug events: interfaces that vanish are taken for removals");
            runner_.SetInterfaceLostRoutine([this] { runner_.Push(hid::kTaskDeviceRemoved); });
        }
    }
    runner_.Start();
    return loaded;
}

void ApplicationController::SetStopGuard(std::function<void()> guard) {
    std::lock_guard lock(stop_guard_mutex_);
    stop_guard_ = std::move(guard);
}

bool ApplicationController::Stop(std::chrono::milliseconds wait) {
    std::function<void()> guard;
    {
        std::lock_guard lock(stop_guard_mutex_);
        guard = stop_guard_;
    }
    if (guard) {
        guard();
    }
    hotplug_.reset();
    return runner_.Stop(wait);
}

bool ApplicationController::WaitUntilIdle(std::chrono::milliseconds timeout) {
    return runner_.WaitUntilIdle(timeout);
}

bool ApplicationController::PushTask(int code) {
    return runner_.Push(code);
}

bool ApplicationController::RegisterTaskRoutine(int code, std::function<void()> routine) {
    return runner_.SetRoutine(code, std::move(routine));
}

void ApplicationController::ChooseDeviceCard(int device_type) {
    const int before = discovery_state_.CurrentDeviceType();
    discovery_.OnDeviceCardChosen(device_type);
    if (discovery_state_.CurrentDeviceType() != before) {
        // Another product's database is open now: its profiles must exist
        // and its active one be current before the pages read it.
        pages_.EnsureProfiles();
        pages_.RefreshDevicePages();
    }
}

void ApplicationController::ChooseLanguage(int lcid) {
    OnLanguageChosen(lcid, language_, settings_, view_);
}

std::string ApplicationController::MouseFirmwareVersion() const {
    if (devices_.ConnectionKind() == hid::kWiredMode) {
        if (const auto release = devices_.ReleaseNumberOf(hid::kWiredMode)) {
            return protocol::ReleaseVersionText(*release);
        }
    }
    return state_.MouseFirmwareVersion();
}

}  // namespace mousedeck::shell::app
