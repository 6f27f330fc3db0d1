#pragma once
// The window's outline from the skin's mask picture: a pixel whose red, green
// and blue are all above 100 is outside the window; every other pixel is in.

#include "ui/SkinLayout.h"

#include <QImage>
#include <QRegion>

namespace vux {

inline constexpr int kMaskThreshold = 100;

inline bool maskPixelIsInside(QRgb p) {
    return qRed(p) <= kMaskThreshold || qGreen(p) <= kMaskThreshold || qBlue(p) <= kMaskThreshold;
}

// The region of the mask's inside pixels, built from the runs of each row.
QRegion maskRegion(const QImage& mask);

// The same region the slow way: the full rectangle with every outside pixel
// cut out one by one. Kept as the reference for tests and the benchmark.
QRegion maskRegionPerPixel(const QImage& mask);

struct WindowShape {
    QRegion window;          // empty when the window stays unshaped
    QRegion withoutControls; // window minus the macro page's control rectangles
    int width = 0;
    int height = 0;
    bool shaped() const { return width > 0 && height > 0; }
};

// Reads and decodes the mask; a missing or broken picture gives an unshaped
// window (size 0, empty regions).
WindowShape buildWindowShape(const QString& maskPath, const SkinLayout& layout);
WindowShape buildWindowShape(const QImage& mask, const SkinLayout& layout);

} // namespace vux
