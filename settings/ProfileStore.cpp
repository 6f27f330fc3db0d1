#include "settings/ProfileStore.h"

#include "app/AppState.h"
#include "platform/ini/IniFile.h"

namespace vux {

namespace {

// Read buffers in UTF-16 units including the terminator: at most 4 digits for
// most keys, 9 for the DPI keys.
constexpr int kShortBuffer = 5;
constexpr int kDpiBuffer = 10;

QString sectionOf(const AppState& state, int n, bool factory) {
    if (!factory)
        return QStringLiteral("Config") + QString::number(n);
    if (n == 5 && state.shell.isEnglish == 1)
        return QStringLiteral("CfgReset_EN5");
    return QStringLiteral("CfgReset") + QString::number(n);
}

QString numbered(const char* prefix, std::size_t index) {
    return QLatin1String(prefix) + QString::number(index + 1);
}

} // namespace

void loadProfile(AppState& state, const QString& path, int n, bool factory) {
    const QString section = sectionOf(state, n, factory);
    state.shell.profileSection = section;

    // One read of the file serves every key, so a profile never mixes two
    // versions of a file that a save replaces meanwhile.
    const ini::FileSnapshot file(path);
    const auto number = [&](const QString& key, int buffer) {
        return ini::wtoi(file.readString(section, key, buffer));
    };
    // uint8 fields keep the low 8 bits of what the file says.
    const auto low8 = [&](const QString& key, int buffer) {
        return static_cast<uint8_t>(number(key, buffer));
    };

    ProfileSettings& p = state.profile;
    DerivedSettings& d = state.derived;
    for (std::size_t i = 0; i < kButtonCount; ++i)
        p.keyFunc[i] = number(numbered("K", i), kShortBuffer);
    p.wheelStatus = number(QStringLiteral("WHEEL_STATUS"), kShortBuffer);
    p.macroMode = number(QStringLiteral("MACRO_MODE2"), kShortBuffer);
    p.dpiLevel = number(QStringLiteral("DPI_LEVEL"), kShortBuffer);
    for (std::size_t j = 0; j < kDpiLevelCount; ++j) {
        const uint8_t step = low8(numbered("DPI_SET", j), kDpiBuffer);
        d.dpiInForce[j] = step;
        p.dpiSet[j] = step;
        d.dpiArea[j] = dpiAreaOf(static_cast<int>(j), step);
        p.dpiEnabled[j] = number(numbered("DPI_SET_EN", j), kDpiBuffer) != 0 ? 1 : 0;
    }
    p.ledStatus = low8(QStringLiteral("LED_STATUS"), kShortBuffer);
    p.pointerSpeed = low8(QStringLiteral("DPI_SPEED"), kShortBuffer);
    p.wheelSpeed = low8(QStringLiteral("WHEEL_SPEED"), kShortBuffer);
    p.fireTime = number(QStringLiteral("FIRE_TIME"), kShortBuffer);
}

void saveProfile(AppState& state, const QString& path, int n) {
    const QString section = QStringLiteral("Config") + QString::number(n);
    state.shell.profileSection = section;

    const ProfileSettings& p = state.profile;
    ini::WriteBatch batch;
    const auto put = [&](const QString& key, int32_t value) {
        batch.set(section, key, QString::number(value));
    };
    for (std::size_t i = 0; i < kButtonCount; ++i)
        put(numbered("K", i), p.keyFunc[i]);
    put(QStringLiteral("DPI_LEVEL"), p.dpiLevel);
    put(QStringLiteral("WHEEL_STATUS"), p.wheelStatus);
    put(QStringLiteral("MACRO_MODE2"), p.macroMode);
    for (std::size_t j = 0; j < kDpiLevelCount; ++j) {
        put(numbered("DPI_SET", j), p.dpiSet[j]);
        put(numbered("DPI_SET_EN", j), p.dpiEnabled[j] != 0 ? 1 : 0);
    }
    put(QStringLiteral("LED_STATUS"), p.ledStatus);
    put(QStringLiteral("DPI_SPEED"), p.pointerSpeed);
    put(QStringLiteral("WHEEL_SPEED"), p.wheelSpeed);
    put(QStringLiteral("FIRE_TIME"), p.fireTime);
    // A profile is stored whole or not at all; a failed write is not reported.
    batch.commit(path);
}

void saveDpiLevel(AppState& state, const QString& path, int n) {
    ini::writeString(path, QStringLiteral("Config") + QString::number(n),
                     QStringLiteral("DPI_LEVEL"), QString::number(state.profile.dpiLevel.load()));
}

uint8_t readLanguage(const QString& path) {
    return static_cast<uint8_t>(ini::wtoi(ini::readString(path, "Init", "VER_SEL", kShortBuffer)));
}

} // namespace vux
