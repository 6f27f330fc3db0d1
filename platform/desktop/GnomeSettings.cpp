// GNOME keeps the pointer speed in its own settings; it has no wheel-lines setting.
#include "platform/desktop/DesktopBackends.h"

namespace vux::desktop {

namespace {

const QString kTool = QStringLiteral("gsettings");
const QString kSchema = QStringLiteral("org.gnome.desktop.peripherals.mouse");
const QString kSpeedKey = QStringLiteral("speed");

class GnomeSettings : public DesktopSettings {
public:
    std::optional<int> pointerSpeed() override {
        const auto text = runTool(kTool, {QStringLiteral("get"), kSchema, kSpeedKey});
        bool ok = false;
        const double value = text ? text->toDouble(&ok) : 0.0;
        if (!ok)
            return std::nullopt;
        return windowsSpeedOfLibinput(value);
    }

    bool setPointerSpeed(int speed) override {
        return runTool(kTool, {QStringLiteral("set"), kSchema, kSpeedKey,
                               QString::number(libinputSpeedOf(speed), 'f', 2)})
            .has_value();
    }

    std::optional<int> wheelScrollLines() override { return std::nullopt; }
    bool setWheelScrollLines(int) override { return false; }
};

} // namespace

std::unique_ptr<DesktopSettings> makeGnomeSettings() {
    if (!runTool(kTool, {QStringLiteral("writable"), kSchema, kSpeedKey}))
        return nullptr;
    return std::make_unique<GnomeSettings>();
}

} // namespace vux::desktop
