#include "platform/desktop/DesktopBackends.h"

#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vux {

namespace desktop {

double libinputSpeedOf(int windowsSpeed) {
    return std::clamp((windowsSpeed - 10) / 10.0, -1.0, 1.0);
}

int windowsSpeedOfLibinput(double speed) {
    return std::clamp(static_cast<int>(std::lround(speed * 10.0 + 10.0)), 1, 20);
}

int windowsSpeedOfMultiplier(int numerator, int denominator) {
    if (denominator <= 0)
        return 10;
    const double wanted = static_cast<double>(numerator) / denominator;
    int best = 10;
    double bestDistance = 1e9;
    for (std::size_t i = 0; i < kSpeedNumerators.size(); ++i) {
        const double d =
            std::fabs(static_cast<double>(kSpeedNumerators[i]) / kSpeedDenominator - wanted);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i) + 1;
        }
    }
    return best;
}

std::optional<QString> runTool(const QString& program, const QStringList& args) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(path, args);
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

namespace {

class NoSettings : public DesktopSettings {
public:
    std::optional<int> pointerSpeed() override { return std::nullopt; }
    bool setPointerSpeed(int) override { return false; }
    std::optional<int> wheelScrollLines() override { return std::nullopt; }
    bool setWheelScrollLines(int) override { return false; }
};

} // namespace

std::unique_ptr<DesktopSettings> makeNoSettings() {
    return std::make_unique<NoSettings>();
}

} // namespace desktop

std::unique_ptr<DesktopSettings> makeDesktopSettings() {
    using namespace desktop;
    const QString session = qEnvironmentVariable("XDG_CURRENT_DESKTOP").toUpper();
    if (session.contains(QLatin1String("GNOME")))
        if (auto gnome = makeGnomeSettings())
            return gnome;
    if (session.contains(QLatin1String("KDE")))
        return makeKdeSettings(makeX11Settings());
    if (auto x11 = makeX11Settings())
        return x11;
    return makeNoSettings();
}

} // namespace vux
