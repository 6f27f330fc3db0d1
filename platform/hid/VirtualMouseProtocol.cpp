#include "platform/hid/VirtualMouseProtocol.h"

#include "platform/process/InstanceLock.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace vux::hid::virt {

namespace {

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

uint16_t get16(std::span<const uint8_t> p, std::size_t at) {
    return static_cast<uint16_t>(p[at] | (p[at + 1] << 8));
}

constexpr std::size_t kHeader = 6;
constexpr std::size_t kPerCollection = 8;

} // namespace

std::vector<uint8_t> encodeDescription(const Description& d) {
    std::vector<uint8_t> out{static_cast<uint8_t>(kDescription)};
    put16(out, d.vendorId);
    put16(out, d.productId);
    out.push_back(static_cast<uint8_t>(std::min<std::size_t>(d.collections.size(), 255)));
    for (std::size_t i = 0; i < d.collections.size() && i < 255; ++i) {
        const Caps& c = d.collections[i];
        put16(out, c.usagePage);
        put16(out, c.usage);
        put16(out, c.inputReportByteLength);
        put16(out, c.featureReportByteLength);
    }
    return out;
}

std::optional<Description> decodeDescription(std::span<const uint8_t> p) {
    if (p.size() < kHeader || p[0] != static_cast<uint8_t>(kDescription))
        return std::nullopt;
    Description d;
    d.vendorId = get16(p, 1);
    d.productId = get16(p, 3);
    const std::size_t count = p[5];
    if (p.size() < kHeader + count * kPerCollection)
        return std::nullopt;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeader + i * kPerCollection;
        Caps c;
        c.usagePage = get16(p, at);
        c.usage = get16(p, at + 2);
        c.inputReportByteLength = get16(p, at + 4);
        c.featureReportByteLength = get16(p, at + 6);
        d.collections.push_back(c);
    }
    return d;
}

QString virtualMouseFolder() {
    const QString folder = userRuntimeFolder() + QStringLiteral("/vux-virtual-mice");
    const QByteArray native = QFile::encodeName(folder);
    ::mkdir(native.constData(), 0700);
    struct stat st {};
    // Another user's folder, or one open to others, could plant a fake mouse.
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 077) != 0)
        return {};
    return folder;
}

QString interfacePath(const QString& socketPath, int collection) {
    return socketPath + QLatin1Char('#') + QString::number(collection);
}

std::optional<std::pair<QString, int>> splitInterfacePath(const QString& path) {
    const qsizetype hash = path.lastIndexOf(QLatin1Char('#'));
    if (hash < 0)
        return std::nullopt;
    bool ok = false;
    const int index = path.mid(hash + 1).toInt(&ok);
    if (!ok || index < 0 || index > 255)
        return std::nullopt;
    return std::make_pair(path.left(hash), index);
}

} // namespace vux::hid::virt
