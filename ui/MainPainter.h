#pragma once
// Composition of one frame of the main window: the page's resting picture as
// the base, rectangles copied onto it from the hovered and pressed pictures
// where the state asks for them, then the texts. The window shows the frame in
// one copy.

#include "ui/SkinLayout.h"
#include "ui/SkinPictures.h"

#include <QFont>
#include <QImage>
#include <QString>

namespace vux {

struct AppState;

struct SkinFonts {
    QFont main;  // English texts
    QFont small; // the DPI-level captions of the English main page
    QFont han;   // Chinese texts
};

// What the macro page shows of the macro editor.
struct MacroPageStatus {
    bool recording = false;
    int downLines = 0;
    int upLines = 0;
};

// Copies the from rectangle of source to at in target, clipped to both pictures.
void blit(QImage& target, QPoint at, const QImage& source, const QRect& from);

// Copies rect r of source to the same place in target, clipped to both pictures.
void copyStateRect(QImage& target, const QImage& source, const QRect& r);

// The status line of the header for the current hand-over state.
QString statusText(bool english, bool driverActive, int firstHostButton, bool blinkOn);

// The caption of the record button: stop while recording, record otherwise.
QString recordCaption(bool english, bool recording);

// The DPI value of a step (3200, 1200, 1600, 2000, 2400; 1200 for any other).
int dpiValueOfStep(int step);

// Width of the filled part of the fire-time bar.
int fireBarWidth(int fireTime, int barWidth);

// Composes the page in view into frame (resized to the page's picture). Stores
// the replaced texts (status line, macro-page captions) back into the layout.
void composeFrame(const AppState& state, SkinLayout& layout, const SkinPictures& pictures,
                  const SkinFonts& fonts, const MacroPageStatus& macroPage, QImage& frame);

} // namespace vux
