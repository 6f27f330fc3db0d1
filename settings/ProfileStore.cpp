#include "settings/ProfileStore.h"

#include "app/AppState.h"
#include "platform/ini/IniFile.h"

namespace vux {

void loadProfile(AppState&, const QString&, int, bool) {}
void saveProfile(AppState&, const QString&, int) {}
void saveDpiLevel(AppState&, const QString&, int) {}

uint8_t readLanguage(const QString& path) {
    return static_cast<uint8_t>(ini::wtoi(ini::readString(path, "Init", "VER_SEL", 5)));
}

} // namespace vux
