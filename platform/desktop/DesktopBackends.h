#pragma once
// The desktop-settings backends, one per kind of session, and the pieces they
// share. Picked at run time by makeDesktopSettings().

#include "platform/desktop/DesktopSettings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace vux::desktop {

// Pointer multipliers of the Windows speeds 1..20, in 32nds (10 = 32/32 = 1x).
inline constexpr std::array<int, 20> kSpeedNumerators{1,  2,  4,  8,  12, 16, 20, 24, 28,  32,
                                                      40, 48, 56, 64, 72, 80, 88, 96, 104, 112};
inline constexpr int kSpeedDenominator = 32;

// Windows speed 1..20 → libinput accel speed -1..1, and back (rounded).
double libinputSpeedOf(int windowsSpeed);
int windowsSpeedOfLibinput(double speed);
// A core pointer multiplier num/den → the nearest Windows speed.
int windowsSpeedOfMultiplier(int numerator, int denominator);

// Runs a small settings tool; nullopt when it is missing, fails or hangs.
std::optional<QString> runTool(const QString& program, const QStringList& args);

std::unique_ptr<DesktopSettings> makeX11Settings();   // nullptr without an X display
std::unique_ptr<DesktopSettings> makeGnomeSettings(); // nullptr without the GNOME schema
std::unique_ptr<DesktopSettings> makeKdeSettings(std::unique_ptr<DesktopSettings> pointer);
std::unique_ptr<DesktopSettings> makeNoSettings();

} // namespace vux::desktop
