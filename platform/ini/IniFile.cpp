#include "platform/ini/IniFile.h"

namespace vux::ini {

QString readString(const QString&, const QString&, const QString&, int) { return {}; }
bool writeString(const QString&, const QString&, const QString&, const QString&) { return false; }
void WriteBatch::set(const QString& section, const QString& key, const QString& value) {
    entries_.push_back({section, key, value});
}
bool WriteBatch::commit(const QString&) const { return false; }
int wtoi(const QString&) { return 0; }

} // namespace vux::ini
