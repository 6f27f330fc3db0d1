#pragma once
// Draws the skin pictures from the description.

#include "Skin.h"

#include <QColor>
#include <QFont>
#include <QImage>

namespace skin {

enum class State { Normal, Over, Down };

// The faces the program writes its texts with, and the face of the few
// language-neutral texts inside the pictures (digits, "DPI").
struct Fonts {
    QFont main;
    QFont small;
    QFont han;
    QFont pictureBold;
};

class Painter {
public:
    Painter(const Skin& skin, const Fonts& fonts) : skin_(skin), fonts_(fonts) {}

    QImage mainMask() const;
    QImage mainPage(State state) const;
    QImage advancePage(State state) const;
    // The DPI/light page with the light preview in the given colour; an
    // invalid colour draws the preview unlit (grey).
    QImage colorPage(State state, QColor light) const;
    QImage slider() const;
    QImage menu(bool second, State state) const;
    QImage warningMask() const;
    QImage warning(State state) const;

private:
    const Skin& skin_;
    const Fonts& fonts_;
};

} // namespace skin
