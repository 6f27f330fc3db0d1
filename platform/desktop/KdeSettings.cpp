// KDE Plasma: wheel lines in kdeglobals (announced over D-Bus so running
// programs pick them up), the pointer speed through the X11 backend and kept in
// kcminputrc for the next session.
#include "platform/desktop/DesktopBackends.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace vux::desktop {

namespace {

std::optional<QString> kdeTool(const char* base, const QStringList& args) {
    for (const char* version : {"6", "5"})
        if (auto out = runTool(QLatin1String(base) + QLatin1String(version), args))
            return out;
    return std::nullopt;
}

class KdeSettings : public DesktopSettings {
public:
    explicit KdeSettings(std::unique_ptr<DesktopSettings> pointer) : pointer_(std::move(pointer)) {}

    std::optional<int> pointerSpeed() override {
        return pointer_ ? pointer_->pointerSpeed() : std::nullopt;
    }

    bool setPointerSpeed(int speed) override {
        kdeTool("kwriteconfig",
                {QStringLiteral("--file"), QStringLiteral("kcminputrc"), QStringLiteral("--group"),
                 QStringLiteral("Mouse"), QStringLiteral("--key"),
                 QStringLiteral("XLbInptPointerAcceleration"),
                 QString::number(libinputSpeedOf(speed), 'f', 2)});
        return pointer_ && pointer_->setPointerSpeed(speed);
    }

    std::optional<int> wheelScrollLines() override {
        const auto text =
            kdeTool("kreadconfig", {QStringLiteral("--file"), QStringLiteral("kdeglobals"),
                                    QStringLiteral("--group"), QStringLiteral("KDE"),
                                    QStringLiteral("--key"), QStringLiteral("WheelScrollLines"),
                                    QStringLiteral("--default"), QStringLiteral("3")});
        bool ok = false;
        const int lines = text ? text->toInt(&ok) : 0;
        return ok ? std::optional<int>(lines) : std::nullopt;
    }

    bool setWheelScrollLines(int lines) override {
        if (!kdeTool("kwriteconfig",
                     {QStringLiteral("--file"), QStringLiteral("kdeglobals"),
                      QStringLiteral("--group"), QStringLiteral("KDE"), QStringLiteral("--key"),
                      QStringLiteral("WheelScrollLines"), QString::number(lines)}))
            return false;
        // KGlobalSettings::notifyChange(SettingsChanged, SETTINGS_MOUSE)
        QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/KGlobalSettings"),
                                                         QStringLiteral("org.kde.KGlobalSettings"),
                                                         QStringLiteral("notifyChange"));
        signal << 3 << 0;
        QDBusConnection::sessionBus().send(signal);
        return true;
    }

private:
    std::unique_ptr<DesktopSettings> pointer_;
};

} // namespace

std::unique_ptr<DesktopSettings> makeKdeSettings(std::unique_ptr<DesktopSettings> pointer) {
    return std::make_unique<KdeSettings>(std::move(pointer));
}

} // namespace vux::desktop
