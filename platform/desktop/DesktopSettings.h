#pragma once
// The desktop's pointer speed and wheel scroll lines, on the Windows scales the
// profiles use: pointer speed 1..20 (10 = no scaling), wheel lines as a count.
// A query fails (nullopt) when the desktop has no such setting; the caller then
// leaves it alone. Changes persist in the user's desktop settings.

#include <memory>
#include <optional>

namespace vux {

class DesktopSettings {
public:
    virtual ~DesktopSettings() = default;
    virtual std::optional<int> pointerSpeed() = 0;
    virtual bool setPointerSpeed(int speed) = 0;
    virtual std::optional<int> wheelScrollLines() = 0;
    virtual bool setWheelScrollLines(int lines) = 0;
};

// The backend of the running session: GNOME, KDE, plain X11, or one that has
// no settings at all (every query fails).
std::unique_ptr<DesktopSettings> makeDesktopSettings();

} // namespace vux
