#include "app/Application.h"

#include "app/AppState.h"
#include "app/MainDialog.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/Workers.h"
#include "device/CommandReports.h"
#include "engine/Indicator.h"
#include "platform/desktop/ResumeWatcher.h"
#include "platform/input/InputBackends.h"
#include "platform/process/InstanceLock.h"
#include "platform/process/ProgramPath.h"

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
