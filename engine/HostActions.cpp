#include "engine/HostActions.h"

#include "platform/shell/ProcessLauncher.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace vux {

namespace {

// File managers that show the computer's places and drives at computer:///
// (Nemo of Cinnamon, Caja of MATE); elsewhere the root folder is opened.
constexpr std::array<std::string_view, 3> kDesktopsWithComputerView{"X-Cinnamon", "Cinnamon",
                                                                    "MATE"};

const std::vector<LaunchCommand> kOpenComputerView{{"xdg-open", {"computer:///"}}};
const std::vector<LaunchCommand> kOpenRootFolder{{"xdg-open", {"/"}}};
const std::vector<LaunchCommand> kLockSession{{"loginctl", {"lock-session"}},
                                              {"xdg-screensaver", {"lock"}}};
const std::vector<LaunchCommand> kCalculators{
    {"gnome-calculator", {}}, {"kcalc", {}}, {"galculator", {}}, {"mate-calc", {}}, {"xcalc", {}}};
const std::vector<LaunchCommand> kTerminals{{"x-terminal-emulator", {}},
                                            {"gnome-terminal", {}},
                                            {"konsole", {}},
                                            {"xfce4-terminal", {}},
                                            {"mate-terminal", {}},
                                            {"lxterminal", {}},
                                            {"tilix", {}},
                                            {"alacritty", {}},
                                            {"kitty", {}},
                                            {"xterm", {}}};

bool desktopKnowsComputerView(const ProcessLauncher& launcher) {
    for (const std::string& name : launcher.desktopNames())
        if (std::find(kDesktopsWithComputerView.begin(), kDesktopsWithComputerView.end(), name) !=
            kDesktopsWithComputerView.end())
            return true;
    return false;
}

} // namespace

bool isHostAction(int32_t functionCode) {
    return functionCode >= kFuncOpenComputer && functionCode <= kFuncTerminal;
}

void runHostAction(int32_t functionCode, ProcessLauncher& launcher) {
    struct Action {
        int32_t code;
        const std::vector<LaunchCommand>& candidates;
        LaunchFallback fallback;
    };
    // loginctl is present on most systems but fails outside a logind session;
    // then the screensaver's own lock is tried.
    const std::array<Action, 4> actions{{
        {kFuncOpenComputer,
         desktopKnowsComputerView(launcher) ? kOpenComputerView : kOpenRootFolder,
         LaunchFallback::WhenMissing},
        {kFuncLockSession, kLockSession, LaunchFallback::WhenFailed},
        {kFuncCalculator, kCalculators, LaunchFallback::WhenMissing},
        {kFuncTerminal, kTerminals, LaunchFallback::WhenMissing},
    }};
    for (const Action& a : actions)
        if (a.code == functionCode)
            launcher.launch(a.candidates, a.fallback);
}

} // namespace vux
