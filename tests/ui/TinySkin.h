#pragma once
// A tiny skin built in memory for the painting and pointer tests: flat colours
// per picture and a grid of 5 x 5 rows, so that a probe at a row's centre says
// unambiguously which picture the row was copied from.

#include "ui/SkinLayout.h"
#include "ui/SkinPictures.h"

#include <QGuiApplication>

namespace vux::test {

inline QGuiApplication& guiApp() {
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

inline constexpr int kSkinW = 600;
inline constexpr int kSkinH = 90;

inline QRgb normalOf(int page) {
    return qRgb(10 + page, 20, 30);
}
inline QRgb overOf(int page) {
    return qRgb(40, 200, 40 + page);
}
inline QRgb downOf(int page) {
    return qRgb(200, 40 + page, 40);
}
inline const QRgb kKnob = qRgb(7, 7, 140);
inline const QRgb kGray = qRgb(90, 90, 90);
inline const QRgb kBlue = qRgb(0, 0, 250);

// Row i of a table sits in cell i of a 20-column grid; texts sit below y 60.
inline SkinRect cell(int i) {
    return {(i % 20) * 6, (i / 20) * 6, 5, 5};
}

inline QImage flat(QRgb colour, int w = kSkinW, int h = kSkinH) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

inline SkinPictures tinyPictures() {
    SkinPictures pictures;
    for (int p = 0; p < kPageCount; ++p)
        pictures.pages[p] = {flat(normalOf(p)), flat(overOf(p)), flat(downOf(p))};
    pictures.indicatorGray = flat(kGray);
    pictures.indicatorBlue = flat(kBlue);
    pictures.dpiKnob = flat(kKnob, 8, 8);
    return pictures;
}

inline SkinLayout tinyLayout() {
    SkinLayout layout;
    for (int i = 0; i < kMainRows; ++i)
        layout.mainRects[i] = cell(i);
    // The other pages' rows sit where only main-page rows are, clear of the
    // header strip that every page shows.
    for (int i = 0; i < kColorRows; ++i)
        layout.colorRects[i] = cell(i + 20);
    for (int i = 0; i < kAdvanceRows; ++i)
        layout.advanceRects[i] = cell(i + 20);
    // Rows whose texts the painting replaces sit apart from the probed cells.
    layout.mainRects[1] = {0, 62, kSkinW, 12};
    layout.colorRects[9] = {0, 76, 60, 12};
    layout.advanceRects[4] = {0, 76, 30, 12};
    layout.advanceRects[33] = {30, 76, 30, 12};
    layout.advanceRects[38] = {60, 76, 30, 12};
    layout.advanceRects[39] = {90, 76, 30, 12};
    // The fire-time bar: 101 pixels wide.
    layout.advanceRects[30] = {0, 40, 101, 4};
    return layout;
}

} // namespace vux::test
