#include "app/Startup.h"

#include "app/AppState.h"
#include "app/Lifecycle.h"
#include "app/MainDialog.h"
#include "app/Workers.h"
#include "device/CommandReports.h"
#include "device/Discovery.h"
#include "macros/MacroFile.h"
#include "platform/ini/IniFile.h"
#include "settings/ProfileStore.h"

#include <QThread>

namespace vux {

void setProgramFolder(AppState& state, const QString& appFolder) {
    state.shell.appFolder = appFolder;
    state.shell.configPath = appFolder + QStringLiteral("/config.ini");
    state.shell.skinsFolder = appFolder + QStringLiteral("/skins");
    state.shell.maskPath = state.shell.skinsFolder + QStringLiteral("/main_mask.jpg");
}

QString plugInMessage(bool english) {
    return english ? QStringLiteral("Please plug-in【TESK】USB Mouse")
                   : QStringLiteral("请插入【TESK】USB鼠标");
}

void initDialog(AppState& state, CVUX_GMouseDlg& dialog, Workers& workers) {
    ShellState& shell = state.shell;

    state.mailbox.eventPending.store(0, std::memory_order_relaxed);
    state.mailbox.stopRequest = 0;

    // The workers start before any setting is read; until the mouse is found
    // they have no channel and wait.
    workers.startReader();
    workers.startExecutor();
    workers.startBlink();

    const QString curConfig = ini::readString(shell.configPath, "Init", "CurConfig", 5);
    shell.profileSection = QStringLiteral("Config") + curConfig;
    shell.currentProfile = ini::wtoi(curConfig);
    shell.isEnglish = readLanguage(shell.configPath);
    loadProfile(state, shell.configPath, shell.currentProfile, false);

    const bool english = shell.isEnglish != 0;
    dialog.setWindowTitle(windowTitleFor(english));

    dialog.view().loadSkinLayouts();
    dialog.view().loadWarningSkin();
    dialog.view().buildShape();
    dialog.applyShape();

    shell.macroFilePath = shell.appFolder + (english ? QStringLiteral("/Macro_EN.dat")
                                                     : QStringLiteral("/Macro_CN.dat"));
    if (!loadMacroFile(state, shell.macroFilePath.get()))
        dialog.showMessage(missingMacroFileMessage());

    dialog.createFonts();
    shell.menuOpen = 0;

    state.link.connected = discoverDevice(state);
    if (state.link.connected == 0) {
        dialog.showMessage(plugInMessage(english));
        closeProgram(state, dialog);
    }

    // The mouse takes the first report more reliably after a short settle.
    QThread::msleep(5);
    applySettings(state);
}

} // namespace vux
