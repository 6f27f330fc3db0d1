#include "platform/hid/VirtualMouseProtocol.h"

#include "platform/process/InstanceLock.h"

#include <QFile>

#include <algorithm>

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

constexpr std::size_t kHeader = 5;

} // namespace

std::vector<uint8_t> encodeDescription(const Description& d) {
    std::vector<uint8_t> out{static_cast<uint8_t>(kDescription)};
    put16(out, d.vendorId);
    put16(out, d.productId);
    const std::size_t room = kMaxPacket - kHeader;
    out.insert(out.end(), d.reportDescriptor.begin(),
               d.reportDescriptor.begin() +
                   static_cast<std::ptrdiff_t>(std::min(room, d.reportDescriptor.size())));
    return out;
}

std::optional<Description> decodeDescription(std::span<const uint8_t> p) {
    if (p.size() < kHeader || p[0] != static_cast<uint8_t>(kDescription))
        return std::nullopt;
    Description d;
    d.vendorId = get16(p, 1);
    d.productId = get16(p, 3);
    d.reportDescriptor.assign(p.begin() + kHeader, p.end());
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
