// Composition of the main window's frame, checked with pixel probes on a tiny
// skin of flat colours.
#include "ui/MainPainter.h"

#include "app/AppState.h"
#include "macros/MacroFile.h"
#include "tests/ui/TinySkin.h"

#include <gtest/gtest.h>

namespace vux {
namespace {

using namespace vux::test;

class Composition : public ::testing::Test {
protected:
    AppState state;
    SkinLayout layout = tinyLayout();
    SkinPictures pictures = tinyPictures();
    SkinFonts fonts;
    MacroPageStatus macroPage;
    QImage frame;

    void SetUp() override {
        guiApp();
        state.shell.isEnglish = 1;
        state.shell.currentProfile = 1;
        state.profile.dpiLevel = 0;
        state.profile.dpiEnabled[0] = 1;
        state.profile.fireTime = 0;
        for (int j = 0; j < kDpiLevelCount; ++j)
            state.derived.dpiArea[j] = 60 + 5 * j;
        state.view.hotMain = 255;
        state.view.hotColor = 255;
        state.view.hotAdvanced = 255;
    }
    QRgb probe(const SkinRect& r) {
        compose();
        return frame.pixel(r.x + 2, r.y + 2);
    }
    QRgb mainRow(int i) { return probe(layout.mainRects[i]); }
    void compose() { composeFrame(state, layout, pictures, fonts, macroPage, frame); }
    int page() const { return state.view.viewMode; }
};

TEST_F(Composition, RestingMainPageShowsOnlyTheFixedSelections) {
    state.profile.dpiEnabled[2] = 1;
    compose();
    auto at = [&](int i) {
        return frame.pixel(layout.mainRects[i].x + 2, layout.mainRects[i].y + 2);
    };
    EXPECT_EQ(at(4), downOf(0));  // profile 1's tab
    EXPECT_EQ(at(9), downOf(0));  // the page's tab
    EXPECT_EQ(at(18), downOf(0)); // English in force
    EXPECT_EQ(at(17), normalOf(0));
    EXPECT_EQ(at(80), downOf(0)); // marker of level 0
    EXPECT_EQ(at(81), normalOf(0));
    EXPECT_EQ(at(46), downOf(0)); // enabled levels
    EXPECT_EQ(at(47), normalOf(0));
    EXPECT_EQ(at(48), downOf(0));
    EXPECT_EQ(at(41), downOf(0)); // wheel choice 0
    EXPECT_EQ(at(42), normalOf(0));
    for (int i : {0, 2, 3, 5, 10, 11, 12, 25, 30, 90, 97})
        EXPECT_EQ(at(i), normalOf(0)) << "row " << i;
    for (int j = 0; j < kDpiLevelCount; ++j)
        EXPECT_EQ(at(60 + 5 * j), kKnob) << "level " << j;
}

TEST_F(Composition, HoverShowsOverAndHoldingShowsDown) {
    state.view.hotMain = 5;
    EXPECT_EQ(mainRow(5), overOf(0));
    state.view.buttonHeld = 1;
    EXPECT_EQ(mainRow(5), downOf(0));
    state.view.buttonHeld = 0;
    EXPECT_EQ(mainRow(5), overOf(0));
    // A main-page row outside the header follows the same rule.
    state.view.hotMain = 85;
    EXPECT_EQ(mainRow(85), overOf(0));
}

TEST_F(Composition, ProfileTabInForceStaysPressedUnderThePointer) {
    state.shell.currentProfile = 3;
    state.view.hotMain = 6;
    EXPECT_EQ(mainRow(6), downOf(0));
    EXPECT_EQ(mainRow(4), normalOf(0));
    state.view.hotMain = 4;
    EXPECT_EQ(mainRow(4), overOf(0));
}

TEST_F(Composition, KnobOfEachLevelSitsOnItsChosenStep) {
    const int steps[kDpiLevelCount] = {0, 4, 2, 3};
    for (int j = 0; j < kDpiLevelCount; ++j)
        state.derived.dpiArea[j] = 60 + 5 * j + steps[j];
    compose();
    for (int j = 0; j < kDpiLevelCount; ++j)
        for (int s = 0; s < kDpiStepCount; ++s) {
            const SkinRect& r = layout.mainRects[60 + 5 * j + s];
            EXPECT_EQ(frame.pixel(r.x + 2, r.y + 2), s == steps[j] ? kKnob : normalOf(0))
                << "level " << j << " step " << s;
        }
}

TEST_F(Composition, MarkerFollowsTheCurrentLevel) {
    for (int level = 0; level < kDpiLevelCount; ++level) {
        state.profile.dpiLevel = level;
        compose();
        for (int k = 0; k < kDpiLevelCount; ++k) {
            const SkinRect& r = layout.mainRects[80 + k];
            EXPECT_EQ(frame.pixel(r.x + 2, r.y + 2), k == level ? downOf(0) : normalOf(0));
        }
    }
}

TEST_F(Composition, WheelChoice) {
    state.profile.wheelStatus = 1;
    EXPECT_EQ(mainRow(42), downOf(0));
    EXPECT_EQ(mainRow(41), normalOf(0));
}

TEST_F(Composition, PromptedButtonBlinksBetweenItsLooks) {
    state.derived.driverActive = 0;
    state.derived.firstHostButton = 3;
    state.indicator.blinkOn = 1;
    EXPECT_EQ(mainRow(92), overOf(0));
    state.indicator.blinkOn = 0;
    EXPECT_EQ(mainRow(92), downOf(0));
    EXPECT_EQ(mainRow(91), normalOf(0));
    // A label under the pointer wins over the prompt.
    state.view.hotMain = 30;
    compose();
    EXPECT_EQ(frame.pixel(layout.mainRects[95].x + 2, layout.mainRects[95].y + 2), overOf(0));
    EXPECT_EQ(frame.pixel(layout.mainRects[92].x + 2, layout.mainRects[92].y + 2), normalOf(0));
}

TEST_F(Composition, StatusLineBlinksTheButtonNumber) {
    EXPECT_EQ(statusText(true, false, 3, true),
              QStringLiteral("Yapılandırma bitti, yazılımı başlatmak için [3] tuşuna tıklayın"));
    EXPECT_EQ(statusText(true, false, 3, false),
              QStringLiteral("Yapılandırma bitti, yazılımı başlatmak için [  ] tuşuna tıklayın"));
    EXPECT_EQ(statusText(false, false, 3, true),
              QStringLiteral("配置完成，请点击鼠标第[3]键运行驱动"));
    EXPECT_EQ(statusText(false, false, 3, false),
              QStringLiteral("配置完成，请点击鼠标第[ ]键运行驱动"));
    EXPECT_EQ(statusText(true, true, 3, false), QStringLiteral("Tamam, Yapılandırma başlıyor."));
    EXPECT_EQ(statusText(false, true, 3, true), QStringLiteral("驱动运行中..."));

    // The painted status line changes with the phase, and is stored as row 1's text.
    state.derived.driverActive = 0;
    state.derived.firstHostButton = 3;
    state.indicator.blinkOn = 1;
    compose();
    EXPECT_EQ(layout.mainTexts[1], statusText(true, false, 3, true));
    const QImage shown = frame.copy(layout.mainRects[1].toQRect());
    state.indicator.blinkOn = 0;
    compose();
    EXPECT_NE(frame.copy(layout.mainRects[1].toQRect()), shown);
    bool yellow = false;
    for (int y = 62; y < 74 && !yellow; ++y)
        for (int x = 0; x < kSkinW && !yellow; ++x)
            yellow = frame.pixel(x, y) == qRgb(255, 255, 0);
    EXPECT_TRUE(yellow) << "the status line is written in yellow";
}

TEST_F(Composition, FireTimeBarFillsInProportion) {
    state.view.viewMode = 1;
    const SkinRect bar = layout.advanceRects[30];
    struct Case {
        int fireTime;
        int filled;
    };
    for (Case c : {Case{150, 50}, Case{0, 0}, Case{300, 101}, Case{1, 0}, Case{299, 100}}) {
        state.profile.fireTime = c.fireTime;
        compose();
        int filled = 0;
        while (filled < bar.width && frame.pixel(bar.x + filled, bar.y + 1) == downOf(1))
            ++filled;
        EXPECT_EQ(filled, c.filled) << "fire time " << c.fireTime;
        if (filled < bar.width)
            EXPECT_EQ(frame.pixel(bar.x + filled, bar.y + 1), normalOf(1));
    }
    EXPECT_EQ(fireBarWidth(150, 101), 50);
    EXPECT_EQ(fireBarWidth(-20, 101), 0);
    EXPECT_EQ(fireBarWidth(100000, 101), 101);
}

TEST_F(Composition, MacroPageSelections) {
    state.view.viewMode = 1;
    state.profile.pointerSpeed = 3;
    state.profile.wheelSpeed = 9;
    state.profile.macroMode = 1;
    compose();
    auto at = [&](int i) {
        return frame.pixel(layout.advanceRects[i].x + 2, layout.advanceRects[i].y + 2);
    };
    EXPECT_EQ(at(11), downOf(1));
    EXPECT_EQ(at(10), normalOf(1));
    EXPECT_EQ(at(27), downOf(1));
    EXPECT_EQ(at(18), normalOf(1));
    EXPECT_EQ(at(7), downOf(1));
    EXPECT_EQ(at(6), normalOf(1));
    // The header: the macro page's tab, not the main page's; advanceRects is the
    // page's table, so its cells are the header's cells too.
    state.profile.macroMode = 0;
    state.view.hotAdvanced = 2;
    compose();
    EXPECT_EQ(at(2), overOf(1));
    EXPECT_EQ(at(7), normalOf(1));
    EXPECT_EQ(frame.pixel(layout.mainRects[10].x + 2, layout.mainRects[10].y + 2), downOf(1));
    EXPECT_EQ(layout.advanceTexts[33], QStringLiteral("0ms"));
    EXPECT_EQ(layout.advanceTexts[4], QStringLiteral("Kaydet"));
    EXPECT_EQ(layout.advanceTexts[38], QStringLiteral("[↓]0"));
}

TEST_F(Composition, LightIndicatorStates) {
    state.view.viewMode = 2;
    const SkinRect r = layout.colorRects[11];
    struct Case {
        int off;
        int level;
        QRgb shown;
    };
    for (Case c : {Case{1, 2, kGray}, Case{0, 0, kBlue}, Case{0, 1, normalOf(2)},
                   Case{0, 2, overOf(2)}, Case{0, 3, downOf(2)}, Case{0, 7, normalOf(2)}}) {
        state.indicator.animOff = static_cast<uint8_t>(c.off);
        state.indicator.animLevel = c.level;
        EXPECT_EQ(probe(r), c.shown) << "off " << c.off << " level " << c.level;
    }
}

TEST_F(Composition, LightModeAndDpiValueOnTheColourPage) {
    state.view.viewMode = 2;
    state.profile.ledStatus = 2;
    compose();
    auto at = [&](int i) {
        return frame.pixel(layout.colorRects[i].x + 2, layout.colorRects[i].y + 2);
    };
    EXPECT_EQ(at(2), downOf(2));
    EXPECT_EQ(at(0), normalOf(2));
    EXPECT_EQ(frame.pixel(layout.mainRects[11].x + 2, layout.mainRects[11].y + 2), downOf(2));
    EXPECT_EQ(dpiValueOfStep(0), 3200);
    EXPECT_EQ(dpiValueOfStep(4), 2400);
    EXPECT_EQ(dpiValueOfStep(9), 1200);
}

TEST_F(Composition, MissingPicturesAndOutOfRangeValuesPaintSafely) {
    pictures = SkinPictures{};
    state.profile.dpiLevel = 40;
    state.derived.dpiArea[0] = 5000;
    state.derived.firstHostButton = 77;
    state.derived.driverActive = 0;
    state.profile.keyFunc[0] = 54;
    state.profile.keyFunc[1] = -3;
    state.profile.ledStatus = 200;
    for (int page = 0; page < kPageCount; ++page) {
        state.view.viewMode = page;
        compose();
        EXPECT_FALSE(frame.isNull());
    }
}

TEST_F(Composition, LabelsComeFromFunctionNamesAndMacroNames) {
    layout.funStrings[2] = QStringLiteral("Right click");
    layout.mainRects[25] = {0, 62, 130, 12};
    state.profile.keyFunc[0] = 2;
    compose();
    const QImage named = frame.copy(0, 62, 130, 12);
    state.profile.keyFunc[0] = 0; // code 0: an empty label
    compose();
    EXPECT_NE(frame.copy(0, 62, 130, 12), named);
}

// Whether any pixel of r has exactly this colour (text strokes carry it).
bool hasColour(const QImage& frame, const QRect& r, QRgb colour) {
    const QRect area = r.intersected(frame.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (frame.pixel(x, y) == colour)
                return true;
    return false;
}

TEST_F(Composition, MacroLabelsShowTheMacroName) {
    layout.mainRects[25] = {0, 62, kSkinW, 12};
    layout.mainRects[1] = {};
    layout.funStrings[2] = QStringLiteral("Fire");
    state.profile.keyFunc[0] = 2;
    compose();
    const QImage byFunction = frame.copy();
    {
        std::lock_guard lock(state.macros.lock);
        setMacroName(state.macros.entries[3], QStringLiteral("Fire"));
    }
    state.profile.keyFunc[0] = 41 + 3;
    compose();
    EXPECT_EQ(frame, byFunction);
    state.profile.keyFunc[0] = 41 + 4; // an unnamed macro
    compose();
    EXPECT_NE(frame, byFunction);
}

TEST_F(Composition, TextColoursFollowTheirRules) {
    layout.mainRects[1] = {};
    layout.mainRects[50] = {0, 62, 100, 14};
    layout.mainRects[51] = {100, 62, 100, 14};
    layout.mainTexts[50] = QStringLiteral("DPI 1");
    layout.mainTexts[51] = QStringLiteral("DPI 2");
    layout.mainRects[26] = {200, 62, 150, 14};
    layout.funStrings[2] = QStringLiteral("Right click");
    state.profile.keyFunc[1] = 2;
    state.profile.dpiEnabled[0] = 1;
    state.profile.dpiEnabled[1] = 0;
    compose();
    const QRgb green = qRgb(0, 255, 0), grey = qRgb(128, 128, 128), red = qRgb(255, 0, 0);
    EXPECT_TRUE(hasColour(frame, layout.mainRects[50].toQRect(), green));
    EXPECT_FALSE(hasColour(frame, layout.mainRects[50].toQRect(), grey));
    EXPECT_TRUE(hasColour(frame, layout.mainRects[51].toQRect(), grey));
    EXPECT_FALSE(hasColour(frame, layout.mainRects[51].toQRect(), green));
    EXPECT_FALSE(hasColour(frame, layout.mainRects[26].toQRect(), red));
    EXPECT_TRUE(hasColour(frame, layout.mainRects[26].toQRect(), qRgb(255, 255, 255)));
    state.view.hotMain = 26;
    compose();
    EXPECT_TRUE(hasColour(frame, layout.mainRects[26].toQRect(), red));
}

TEST_F(Composition, RecordingShowsTheStopCaptionPressed) {
    state.view.viewMode = 1;
    layout.advanceRects[4] = {300, 40, 60, 20};
    const QPoint corner(301, 41); // above the caption's text
    compose();
    EXPECT_EQ(frame.pixel(corner), normalOf(1));
    EXPECT_EQ(layout.advanceTexts[4], QStringLiteral("Kaydet"));
    macroPage.recording = true;
    macroPage.downLines = 7;
    macroPage.upLines = 5;
    compose();
    EXPECT_EQ(frame.pixel(corner), downOf(1));
    EXPECT_EQ(layout.advanceTexts[4], QStringLiteral("Dur"));
    EXPECT_EQ(layout.advanceTexts[38], QStringLiteral("[↓]7"));
    EXPECT_EQ(layout.advanceTexts[39], QStringLiteral("[↑]5"));
    EXPECT_EQ(recordCaption(false, true), QStringLiteral("停止"));
    EXPECT_EQ(recordCaption(false, false), QStringLiteral("录制"));
}

} // namespace
} // namespace vux
