// Feeds arbitrary bytes to the INI engine as a file: lookups must never read
// out of bounds, and a key just written must read back.
#include "platform/ini/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath("config.ini");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }

    // A name taken from the input itself reaches the non-ASCII comparisons.
    const QString fromInput =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size < 8 ? size : 8));
    vux::ini::readString(path, "Init", "CurConfig", 5);
    vux::ini::readString(path, "Config1", "K1", 5);
    vux::ini::readString(path, "配置", "名字", 260);
    vux::ini::readString(path, fromInput, fromInput, 3193);
    vux::ini::readString(path, "", "", 10);

    if (!vux::ini::writeString(path, "Config1", "K1", "42"))
        std::abort();
    if (vux::ini::readString(path, "config1", "k1", 5) != "42")
        std::abort();

    vux::ini::WriteBatch batch;
    batch.set("Config1", "DPI_SET1", "4");
    batch.set("Neu", "Schlüssel", "Wert");
    if (!batch.commit(path) || vux::ini::readString(path, "NEU", "SCHLÜSSEL", 10) != "Wert")
        std::abort();
    return 0;
}
