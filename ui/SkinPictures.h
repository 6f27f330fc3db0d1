#pragma once
// The pictures of the main window, decoded once per skin load and kept: the
// three looks of each page, the extra looks of the light indicator and the DPI knob.

#include <QImage>
#include <QString>

#include <array>

namespace vux {

inline constexpr int kPageMain = 0;
inline constexpr int kPageMacro = 1;
inline constexpr int kPageColor = 2;
inline constexpr int kPageCount = 3;

struct PagePictures {
    QImage normal; // resting look, the base of every frame
    QImage over;   // the look under the pointer
    QImage down;   // pressed, selected, switched on
};

struct SkinPictures {
    std::array<PagePictures, kPageCount> pages;
    QImage indicatorGray;
    QImage indicatorBlue;
    QImage dpiKnob;

    // Forgets the pictures of the previous skin and takes the folder of the
    // next; each page's pictures are decoded the first time the page is shown
    // (so the first frame waits for its own page only) and kept until the
    // next load. A picture that is missing or cannot be decoded stays null;
    // its layer is then simply not drawn.
    void reset(const QString& skinsFolder);
    void ensurePage(int page);
    // All pictures at once.
    void load(const QString& skinsFolder);

private:
    QString folder_;
    std::array<bool, kPageCount> decoded_{};
};

// One picture decoded into the format the painting copies from.
QImage loadSkinPicture(const QString& path);

} // namespace vux
