#pragma once
// The whole application state: one object, owned by the application and passed
// by reference. A test builds a fresh one.

#include "app/ShellState.h"
#include "device/DeviceLink.h"
#include "device/EventMailbox.h"
#include "engine/IndicatorFlags.h"
#include "macros/MacroTable.h"
#include "settings/ProfileSettings.h"
#include "ui/ViewState.h"

#include <atomic>
#include <functional>

namespace vux {

namespace hid {
class HidBackend;
}
class InputInjector;
class DesktopSettings;
class Clock;
class ProcessLauncher;

// The platform services the subsystems talk to. Not owned: the program wires the
// real backends, a test wires fakes that record what they were asked to do.
struct PlatformServices {
    hid::HidBackend* hid = nullptr;
    InputInjector* injector = nullptr;
    DesktopSettings* desktop = nullptr;
    Clock* clock = nullptr;
    ProcessLauncher* launcher = nullptr;
};

// Calls from workers into the window. They are set before any worker starts and
// never change afterwards; each one only queues work for the UI thread.
struct UiHooks {
    std::function<void()> requestRepaint; // repaint the whole main window
    std::function<void()> startBlink;     // start a blink worker (the prompt of the hand-over)
    std::function<void()> startAnimation; // start an animation worker (the light-mode preview)
};

struct AppState {
    ShellState shell;
    ProfileSettings profile;
    DerivedSettings derived;
    DeviceLink link;
    EventMailbox mailbox;
    IndicatorFlags indicator;
    MacroTable macros;
    MainViewState view;
    UiHooks hooks;
    PlatformServices platform;

    void requestRepaint() const {
        if (hooks.requestRepaint)
            hooks.requestRepaint();
    }
};

} // namespace vux
