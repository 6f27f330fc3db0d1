#pragma once
// Profiles in config.ini: "Config1".."Config5" the user's, "Config6" the last
// applied, "Config7" the section of exchanged files, "CfgReset…" the factory ones.

#include <QString>

#include <cstdint>

namespace vux {

struct AppState;

inline constexpr int lastAppliedProfile = 6;
inline constexpr int exchangeProfile = 7;

void loadProfile(AppState& state, const QString& path, int n, bool factory);
void saveProfile(AppState& state, const QString& path, int n);
void saveDpiLevel(AppState& state, const QString& path, int n);
uint8_t readLanguage(const QString& path);

} // namespace vux
