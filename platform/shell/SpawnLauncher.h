#pragma once
// The real launcher: fork/exec without a shell, the program in its own
// session with standard streams on /dev/null and no inherited descriptors,
// reparented away from us at once so that no zombie stays behind.

#include "platform/shell/ProcessLauncher.h"

#include <string>

namespace vux {

class SpawnLauncher final : public ProcessLauncher {
public:
    // From the environment: PATH, XDG_CURRENT_DESKTOP and HOME (the folder the
    // programs start in).
    SpawnLauncher();
    SpawnLauncher(std::string searchPath, std::string desktop, std::string workingFolder);

    bool launch(std::span<const LaunchCommand> candidates, LaunchFallback fallback) override;
    std::vector<std::string> desktopNames() const override;

    // The executable a program name stands for, or empty when none is found.
    std::string findProgram(const std::string& program) const;

private:
    std::string searchPath_;
    std::string desktop_;
    std::string workingFolder_;
};

} // namespace vux
