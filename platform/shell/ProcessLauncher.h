#pragma once
// Starting desktop programs for the host-handled button functions (file
// manager, screen lock, calculator, terminal). Programs start detached from
// this process; whether they run is not reported back.

#include <span>
#include <string>
#include <vector>

namespace vux {

// One way of carrying out an action: a program, looked up on the search path,
// and its arguments.
struct LaunchCommand {
    std::string program;
    std::vector<std::string> args;
};

enum class LaunchFallback {
    // The first candidate found on the search path is started.
    WhenMissing,
    // The candidates found run one after another until one exits with status
    // 0 (for short-lived commands whose failure means "try the next way").
    WhenFailed,
};

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts the candidates as the fallback says; false when none was found.
    virtual bool launch(std::span<const LaunchCommand> candidates, LaunchFallback fallback) = 0;
    // The names of the desktop session the programs start in, as
    // XDG_CURRENT_DESKTOP lists them ("X-Cinnamon", "MATE"...).
    virtual std::vector<std::string> desktopNames() const = 0;
};

} // namespace vux
