// Feeds arbitrary bytes to the layout-row reader, both as one value and as a
// whole layout file: splitting must keep every character of the (cut) value,
// and the rectangles made from any numbers must be safe to test and convert.
#include "ui/MainView.h"
#include "ui/SkinLayout.h"
#include "ui/WindowShape.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void checkRow(const QString& value) {
    vux::SkinRow row;
    const bool wellFormed = vux::splitSkinValue(value, row);
    const QString cut = value.left(vux::kSkinValueMax);
    const qsizetype commas = cut.count(QLatin1Char(','));
    if (wellFormed != (commas <= 6))
        std::abort();
    if (commas == 0 && row.fields[0] != cut)
        std::abort();
    if (commas >= 6) {
        QString joined = row.fields[0];
        for (int k = 1; k < vux::kSkinFields; ++k)
            joined += QLatin1Char(',') + row.fields[k];
        if (joined != cut)
            std::abort();
    }
    const vux::SkinRect r = vux::skinRectOf(row);
    const QRect q = r.toQRect();
    if (q.width() < 0 || q.height() < 0)
        std::abort();
    (void)r.contains(r.x, r.y);
    (void)r.contains(INT32_MAX, INT32_MIN);
    std::array<vux::SkinRect, 1> table{r};
    (void)vux::hitTest(QPoint(r.x, r.y), table, 5);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString value = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    checkRow(value);

    static QTemporaryDir dir;
    static const bool made = QDir(dir.path()).mkpath("INI_EN");
    (void)made;
    {
        QFile file(dir.filePath("INI_EN/skin_advance_en.ini"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    vux::SkinLayout layout;
    vux::SkinReport report; // messages go nowhere
    vux::loadSkinAdvance(layout, dir.path(), true, report);
    for (const auto& r : layout.advanceRects)
        if (r.toQRect().width() < 0)
            std::abort();
    // The editor rectangles go into the window's region.
    QImage mask(4, 4, QImage::Format_RGB32);
    mask.fill(Qt::black);
    (void)vux::buildWindowShape(mask, layout);
    return 0;
}
