// The window outline from the mask picture.
#include "ui/WindowShape.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace vux {
namespace {

bool sameRegion(const QRegion& a, const QRegion& b, const QSize& size) {
    for (int y = -1; y <= size.height(); ++y)
        for (int x = -1; x <= size.width(); ++x)
            if (a.contains(QPoint(x, y)) != b.contains(QPoint(x, y)))
                return false;
    return true;
}

TEST(MaskRegion, ThresholdIsAbove100InAllThreeChannels) {
    QImage mask(4, 1, QImage::Format_RGB32);
    mask.setPixel(0, 0, qRgb(101, 101, 101)); // light: outside
    mask.setPixel(1, 0, qRgb(255, 255, 100)); // one channel at 100: inside
    mask.setPixel(2, 0, qRgb(100, 255, 255));
    mask.setPixel(3, 0, qRgb(255, 255, 255));
    const QRegion r = maskRegion(mask);
    EXPECT_FALSE(r.contains(QPoint(0, 0)));
    EXPECT_TRUE(r.contains(QPoint(1, 0)));
    EXPECT_TRUE(r.contains(QPoint(2, 0)));
    EXPECT_FALSE(r.contains(QPoint(3, 0)));
}

TEST(MaskRegion, RunsGiveExactlyThePerPixelRegion) {
    std::mt19937 rng(7);
    // Shapes that repeat rows (bands), holes, a fully light and a fully dark row.
    for (int trial = 0; trial < 30; ++trial) {
        const int w = 1 + static_cast<int>(rng() % 23);
        const int h = 1 + static_cast<int>(rng() % 17);
        QImage mask(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            const bool copyAbove = y > 0 && rng() % 3 == 0;
            for (int x = 0; x < w; ++x) {
                QRgb p = rng() % 2 ? qRgb(255, 255, 255) : qRgb(20, 30, 40);
                if (copyAbove)
                    p = mask.pixel(x, y - 1);
                if (trial == 1)
                    p = qRgb(200, 200, 200);
                if (trial == 2)
                    p = qRgb(0, 0, 0);
                mask.setPixel(x, y, p);
            }
        }
        const QRegion fast = maskRegion(mask);
        const QRegion slow = maskRegionPerPixel(mask);
        EXPECT_TRUE(sameRegion(fast, slow, mask.size())) << "trial " << trial;
        EXPECT_EQ(fast, slow) << "trial " << trial;
    }
}

TEST(WindowShape, ControlsAreCutOutOfTheAlternativeRegionOnly) {
    QImage mask(40, 30, QImage::Format_RGB32);
    mask.fill(qRgb(0, 0, 0));
    for (int y = 0; y < 30; ++y)
        mask.setPixel(39, y, qRgb(255, 255, 255)); // a light column is outside
    SkinLayout layout;
    layout.nameEditRect = {1, 1, 5, 5};
    layout.eventListRect = {10, 10, 20, 20};
    layout.macroListRect = {25, 2, 30, 8};
    layout.repeatEditRect = {32, 20, 36, 25}; // stays part of both regions
    const WindowShape shape = buildWindowShape(mask, layout);
    ASSERT_TRUE(shape.shaped());
    EXPECT_EQ(shape.width, 40);
    EXPECT_EQ(shape.height, 30);
    EXPECT_FALSE(shape.window.contains(QPoint(39, 3)));
    for (QPoint p : {QPoint(1, 1), QPoint(4, 4), QPoint(15, 15), QPoint(19, 19), QPoint(25, 2)}) {
        EXPECT_TRUE(shape.window.contains(p));
        EXPECT_FALSE(shape.withoutControls.contains(p));
    }
    for (QPoint p : {QPoint(5, 5), QPoint(20, 20), QPoint(33, 21), QPoint(0, 0)})
        EXPECT_TRUE(shape.withoutControls.contains(p));
    EXPECT_FALSE(shape.withoutControls.contains(QPoint(39, 3)));
}

TEST(WindowShape, MissingOrBrokenMaskLeavesTheWindowUnshaped) {
    QTemporaryDir dir;
    const SkinLayout layout;
    EXPECT_FALSE(buildWindowShape(dir.filePath("main_mask.jpg"), layout).shaped());
    QFile broken(dir.filePath("broken.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xFF\xD8\xFF\xE0 not really a picture");
    broken.close();
    const WindowShape shape = buildWindowShape(broken.fileName(), layout);
    EXPECT_FALSE(shape.shaped());
    EXPECT_EQ(shape.width, 0);
    EXPECT_TRUE(shape.window.isEmpty());
}

TEST(WindowShape, ReadsAJpegMask) {
    QTemporaryDir dir;
    QImage mask(64, 48, QImage::Format_RGB32);
    mask.fill(qRgb(255, 255, 255));
    for (int y = 8; y < 40; ++y)
        for (int x = 8; x < 56; ++x)
            mask.setPixel(x, y, qRgb(0, 0, 0));
    ASSERT_TRUE(mask.save(dir.filePath("main_mask.jpg"), "JPG", 95));
    const WindowShape shape = buildWindowShape(dir.filePath("main_mask.jpg"), SkinLayout{});
    ASSERT_TRUE(shape.shaped());
    EXPECT_TRUE(shape.window.contains(QPoint(30, 20)));
    EXPECT_FALSE(shape.window.contains(QPoint(2, 2)));
    EXPECT_GT(shape.window.rectCount(), 0);
}

} // namespace
} // namespace vux
