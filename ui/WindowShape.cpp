#include "ui/WindowShape.h"

#include <QImageReader>

#include <utility>
#include <vector>

namespace vux {

QRegion maskRegion(const QImage& source) {
    const QImage mask = source.convertToFormat(QImage::Format_RGB32);
    const int w = mask.width();
    const int h = mask.height();
    // Rows with the same runs as the row above extend that band downwards, so
    // the rectangles come out in the banded, coalesced form regions keep.
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> runs;
    std::vector<std::pair<int, int>> bandRuns;
    std::size_t bandStart = 0;
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        runs.clear();
        int x = 0;
        while (x < w) {
            while (x < w && !maskPixelIsInside(line[x]))
                ++x;
            const int start = x;
            while (x < w && maskPixelIsInside(line[x]))
                ++x;
            if (x > start)
                runs.emplace_back(start, x - start);
        }
        if (!runs.empty() && runs == bandRuns && bandStart < rects.size() &&
            rects[bandStart].bottom() == y - 1) {
            for (std::size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom(y);
            continue;
        }
        bandStart = rects.size();
        for (const auto& [x0, len] : runs)
            rects.emplace_back(x0, y, len, 1);
        bandRuns = runs;
    }
    QRegion region;
    if (!rects.empty())
        region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

QRegion maskRegionPerPixel(const QImage& source) {
    const QImage mask = source.convertToFormat(QImage::Format_RGB32);
    QRegion region(0, 0, mask.width(), mask.height());
    for (int x = 0; x < mask.width(); ++x)
        for (int y = 0; y < mask.height(); ++y)
            if (!maskPixelIsInside(mask.pixel(x, y)))
                region = region.xored(QRect(x, y, 1, 1));
    return region;
}

WindowShape buildWindowShape(const QImage& mask, const SkinLayout& layout) {
    WindowShape shape;
    if (mask.isNull() || mask.width() <= 0 || mask.height() <= 0)
        return shape;
    shape.width = mask.width();
    shape.height = mask.height();
    shape.window = maskRegion(mask);
    // Cut out rather than exclusive-or: a rectangle reaching past the outline or
    // overlapping another must not add area back.
    shape.withoutControls = shape.window.subtracted(layout.nameEditRect.toQRect())
                                .subtracted(layout.eventListRect.toQRect())
                                .subtracted(layout.macroListRect.toQRect());
    return shape;
}

WindowShape buildWindowShape(const QString& maskPath, const SkinLayout& layout) {
    QImageReader reader(maskPath);
    return buildWindowShape(reader.read(), layout);
}

} // namespace vux
