#pragma once
// A launcher that records what it was asked to start and starts nothing.

#include "platform/shell/ProcessLauncher.h"

#include <mutex>
#include <string>
#include <vector>

namespace vux::test {

struct LaunchRequest {
    std::vector<std::string> programs; // each candidate as "program arg..."
    LaunchFallback fallback;
};

class FakeLauncher final : public ProcessLauncher {
public:
    explicit FakeLauncher(std::vector<std::string> desktop = {}) : desktop_(std::move(desktop)) {}

    bool launch(std::span<const LaunchCommand> candidates, LaunchFallback fallback) override {
        LaunchRequest r{{}, fallback};
        for (const LaunchCommand& c : candidates) {
            std::string line = c.program;
            for (const std::string& a : c.args)
                line += " " + a;
            r.programs.push_back(line);
        }
        std::lock_guard lock(m_);
        requests_.push_back(r);
        return true;
    }
    std::vector<std::string> desktopNames() const override { return desktop_; }

    std::vector<LaunchRequest> requests() const {
        std::lock_guard lock(m_);
        return requests_;
    }

private:
    std::vector<std::string> desktop_;
    mutable std::mutex m_;
    std::vector<LaunchRequest> requests_;
};

} // namespace vux::test
