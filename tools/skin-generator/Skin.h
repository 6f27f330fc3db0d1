#pragma once
// The skin as one description: every layout row (rectangle, look, English and
// Chinese text) and the decoration of each page. The painter draws the
// pictures from it and the writer produces the layout files from it, so a
// picture and the row that points into it can never disagree.

#include <QPolygon>
#include <QRect>
#include <QString>

#include <array>
#include <vector>

namespace skin {

// How a row looks in the pictures. Every look exists in three states: the
// "normal" picture (resting), "over" (pointer on it) and "down" (pressed,
// selected or switched on).
enum class Look {
    Unused,        // zero rectangle, no text
    Anchor,        // zero-size row: a text centred on a point, never hit by the pointer
    Label,         // text on the page background, no frame
    Heading,       // panel heading bar (its text centred in it)
    Button,        // secondary button
    Primary,       // the apply button
    IconButton,    // header icon (web, minimise, tray)
    CloseButton,   // header close icon, red when hovered
    PageTab,       // page tabs 9..11
    ProfileTab,    // profile tabs 4..8
    Segment,       // one choice of a segmented switch (language, wheel)
    LightMode,     // light mode button with its icon
    FunctionLabel, // button label 25..32 with its number badge and chevron
    Toggle,        // switch at the left of the row
    Radio,         // DPI level selector / current-level marker in the level colour
    DpiStep,       // one position of a DPI track (the knob is drawn there)
    SpeedStep,     // numbered square 1..10
    FireBar,       // fire-time bar, filled in the down picture
    Stepper,       // the small plus / minus buttons
    Value,         // inset value box
    MouseButton,   // one button of the mouse drawing
    Indicator,     // the light preview of the DPI/light page
    Frame,         // inset frame of a child control of the macro page
};

enum class Icon {
    None,
    Web,
    Minimise,
    Tray,
    Close,
    SlowCycle,
    FastCycle,
    Steady,
    Off,
    Plus,
    Minus,
    Record
};

struct Row {
    QString name; // field 0: the row's name for a skin designer
    QRect rect;
    QString en;
    QString cn;
    Look look = Look::Unused;
    Icon icon = Icon::None;
    int arg = 0;          // look-specific: badge number, level, step number...
    int reserveLeft = 0;  // pixels at the left of the rect taken by the picture (icons, switches)
    int reserveRight = 0; // pixels at the right of the rect taken by the picture
    bool leftAligned = false; // drawn at x + 5 (button labels) instead of centred
    bool smallFont = false;   // English text drawn with the small font (DPI captions)
};

// A panel of a page: a framed area with a heading bar on top.
struct Panel {
    QRect rect;
};

struct Page {
    std::vector<Panel> panels;
};

struct Skin {
    // Window and pictures.
    QSize window{800, 600};
    QPolygon outline; // shape of the main window; outside is cut away by the mask
    QSize menu;       // top-level function menu pictures: ten bands + one pixel row
    QSize subMenu;    // second-level menu pictures: twelve bands + one pixel row
    int menuBand = 28;
    QSize warning;
    QPolygon warningOutline;
    QSize slider; // DPI knob picture

    std::array<Row, 100> main;
    std::array<Row, 13> color;
    std::array<Row, 46> advance;
    std::array<Row, 3> warningRows;
    Row repeatEdit; // "EDIT" key 3
    Row nameEdit;   // "EDIT" key 4
    Row macroList;  // "MACRODISPLAY" key 1
    Row eventList;  // "MACRODISPLAY" key 2
    std::array<QString, 55> funEn;
    std::array<QString, 55> funCn;

    Page mainPage;
    Page colorPage;
    Page advancePage;

    // DPI value of each step and the track order (ascending DPI).
    static constexpr std::array<int, 5> kStepDpi{3200, 1200, 1600, 2000, 2400};
    static constexpr std::array<int, 5> kTrackOrder{1, 2, 3, 4, 0};

    // Mouse drawing on the main page: centre of its vertical axis.
    int mouseCx = 0;
    int mouseTop = 0;
};

Skin describe();

// Colours of the four DPI levels; they match the light preview pictures:
// level 1 blue ("color_over_blue"), 2 pink ("color_normal_pink"),
// 3 red ("color_over_red"), 4 purple ("color_down_purple").
extern const std::array<unsigned, 4> kLevelColours;

} // namespace skin
