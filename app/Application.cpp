#include "app/Application.h"

#include "app/AppState.h"
#include "app/MainDialog.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/Workers.h"
#include "device/CommandReports.h"
#include "device/Discovery.h"
#include "engine/Indicator.h"
#include "platform/SteadyClock.h"
#include "platform/desktop/DesktopSettings.h"
#include "platform/desktop/ResumeWatcher.h"
#include "platform/hid/SystemHidBackend.h"
#include "platform/input/InputBackends.h"
#include "platform/process/InstanceLock.h"
#include "platform/process/ProgramPath.h"
#include "platform/shell/SpawnLauncher.h"

#include <QApplication>

#include <memory>

namespace vux {

namespace {
const QString kInstanceName = QStringLiteral("CVUX_GMouseApp");
} // namespace

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("VUX_GMouse"));
    app.setQuitOnLastWindowClosed(false);

    SingleInstance instance(userRuntimeFolder(), kInstanceName);
    if (!instance.isPrimary()) {
        // Another instance runs: it restores its window; this one shows nothing.
        instance.requestRestore();
        return 0;
    }

    auto state = std::make_unique<AppState>();
    setProgramFolder(*state, folderOf(programFilePath()));

    // Synthesized input for the mouse's key functions and macros; it outlives
    // the workers, which are declared after it.
    const std::unique_ptr<InputInjector> injector = makeInputInjector();
    state->platform.injector = injector.get();

    // The mouse (its hidraw nodes, or a virtual mouse) and the desktop's pointer
    // and wheel settings; both outlive the workers, which are declared after them.
    const std::unique_ptr<hid::HidBackend> hidBackend = hid::makeSystemHidBackend();
    const std::unique_ptr<DesktopSettings> desktopSettings = makeDesktopSettings();
    state->platform.hid = hidBackend.get();
    state->platform.desktop = desktopSettings.get();

    // Declared before the workers so that they outlive them.
    SteadyClock clock;
    SpawnLauncher launcher;
    state->platform.clock = &clock;
    state->platform.launcher = &launcher;

    CVUX_GMouseDlg dialog(*state);
    Workers workers(*state);
    state->hooks.requestRepaint = [&dialog] { dialog.requestRepaint(); };
    state->hooks.startBlink = [&workers] { workers.startBlink(); };
    state->hooks.startAnimation = [&workers, s = state.get()] {
        workers.startOnDemand([s](std::stop_token stop) { animationLoop(*s, stop); });
    };

    bool closed = false;
    dialog.onClosed = [&] {
        closed = true;
        QCoreApplication::exit(0);
    };
    instance.listen([&dialog] { dialog.restoreWindow(); });

    // Hot-plug notices, on this thread. The mouse's removal ends the program at
    // once with status 0: the window (and with it the tray icon) goes without
    // the close sequence, so nothing is sent to the mouse and the pointer speed
    // stays as it is.
    hidBackend->watch([&](const hid::DeviceChange& change) {
        if (handleDeviceChange(*state, change) != DeviceChangeOutcome::MouseRemoved)
            return;
        closed = true;
        dialog.hide();
        QCoreApplication::exit(0);
    });

    ResumeWatcher resume;
    QObject::connect(&resume, &ResumeWatcher::resumed, &dialog, [&] { applySettings(*state); });

    initDialog(*state, dialog, workers);
    int status = 0;
    if (!closed) {
        dialog.show();
        status = app.exec();
    }
    workers.stopAll();
    return status;
}

} // namespace vux
