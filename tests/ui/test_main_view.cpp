// Pointer rules of the main window on a tiny skin: hover rows, presses,
// releases, page switches and the window commands they lead to.
#include "ui/MainView.h"

#include "app/AppState.h"
#include "engine/Indicator.h"
#include "platform/Clock.h"
#include "tests/ui/TinySkin.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

namespace vux {
namespace {

using namespace vux::test;

struct FakeHost : MainWindowHost {
    int repaints = 0;
    std::vector<QRegion> regionRepaints;
    int moves = 0;
    int minimised = 0;
    int trays = 0;
    int chinese = 0;
    int english = 0;
    std::vector<QUrl> pages;
    QStringList messages;
    int closes = 0;

    QWidget* widget() override { return nullptr; }
    void repaintWindow() override { ++repaints; }
    void repaintRegion(const QRegion& r) override { regionRepaints.push_back(r); }
    void startWindowMove() override { ++moves; }
    void minimise() override { ++minimised; }
    void hideToTray() override { ++trays; }
    void switchToChinese() override { ++chinese; }
    void switchToEnglish() override { ++english; }
    void openWebPage(const QUrl& url) override { pages.push_back(url); }
    void showMessage(const QString& text) override { messages << text; }
    void closeProgram() override { ++closes; }
};

class Pointer : public ::testing::Test {
protected:
    QTemporaryDir dir;
    AppState state;
    FakeHost host;
    MainView view{state, host};
    int blinkStarts = 0;
    int animStarts = 0;

    void SetUp() override {
        guiApp();
        view.layout() = tinyLayout();
        state.shell.configPath = dir.filePath("config.ini");
        state.shell.currentProfile = 1;
        state.shell.isEnglish = 1;
        state.hooks.startBlink = [this] { ++blinkStarts; };
        state.hooks.startAnimation = [this] { ++animStarts; };
    }
    // The centre of a row.
    static QPoint at(const SkinRect& r) { return {r.x + 2, r.y + 2}; }
    QPoint mainRow(int i) const { return at(view.layout().mainRects[i]); }
    QPoint advanceRow(int i) const { return at(view.layout().advanceRects[i]); }
    QPoint colorRow(int i) const { return at(view.layout().colorRects[i]); }
    static QPoint empty() { return {kSkinW - 2, 50}; }

    void click(QPoint p) {
        view.mouseMove(p);
        view.leftButtonDown(p);
        view.leftButtonUp(p);
    }
    void press(QPoint p) {
        view.mouseMove(p);
        view.leftButtonDown(p);
    }
    void setLevels(std::array<int, 4> enabled, int level) {
        for (int j = 0; j < 4; ++j)
            state.profile.dpiEnabled[j] = static_cast<uint8_t>(enabled[j]);
        state.profile.dpiLevel = level;
    }
    std::array<int, 4> levels() const {
        std::array<int, 4> e{};
        for (int j = 0; j < 4; ++j)
            e[j] = state.profile.dpiEnabled[j];
        return e;
    }
};

TEST_F(Pointer, HitTestTakesTheFirstRowAndHonoursTheEdges) {
    std::array<SkinRect, 3> table{SkinRect{10, 10, 5, 5}, SkinRect{12, 12, 10, 10},
                                  SkinRect{0, 0, 0, 0}};
    EXPECT_EQ(hitTest({10, 10}, table, 2), 0);
    EXPECT_EQ(hitTest({14, 14}, table, 2), 0); // overlap: lowest row
    EXPECT_EQ(hitTest({15, 14}, table, 2), 1); // x + width is outside row 0
    EXPECT_EQ(hitTest({21, 21}, table, 2), 1);
    EXPECT_EQ(hitTest({22, 21}, table, 2), 255);
    EXPECT_EQ(hitTest({0, 0}, table, 2), 255);  // a zero rectangle holds nothing
    EXPECT_EQ(hitTest({14, 14}, table, 99), 0); // a last row beyond the table is safe
    EXPECT_EQ(hitTest({21, 21}, table, 0), 255);
}

TEST_F(Pointer, MovesRepaintOncePerTableWhoseRowChanged) {
    view.mouseMove(empty());
    const int base = host.repaints;
    view.mouseMove(mainRow(5));
    EXPECT_EQ(host.repaints, base + 1);
    view.mouseMove(mainRow(5) + QPoint(1, 1)); // within the row
    EXPECT_EQ(host.repaints, base + 1);
    // Main row 20 and colour row 0 share a cell: two tables change.
    view.mouseMove(mainRow(20));
    EXPECT_EQ(state.view.hotMain, 20);
    EXPECT_EQ(state.view.hotColor, 0);
    EXPECT_EQ(state.view.hotAdvanced, 0);
    EXPECT_EQ(host.repaints, base + 4);
}

TEST_F(Pointer, MacroPageIgnoresMainPageRowsAndSparesTheControls) {
    QImage mask = flat(qRgb(0, 0, 0));
    ASSERT_TRUE(mask.save(dir.filePath("mask.png")));
    state.shell.maskPath = dir.filePath("mask.png");
    view.layout().nameEditRect = {0, 40, 20, 50};
    view.buildShape();
    click(mainRow(10));
    ASSERT_EQ(state.view.viewMode, 1);
    host.regionRepaints.clear();
    view.mouseMove(mainRow(70));
    EXPECT_EQ(state.view.hotMain, 255);
    ASSERT_FALSE(host.regionRepaints.empty());
    EXPECT_FALSE(host.regionRepaints.back().contains(QPoint(5, 45)));
    EXPECT_TRUE(host.regionRepaints.back().contains(QPoint(50, 45)));
}

TEST_F(Pointer, PressedLookLastsUntilRelease) {
    press(mainRow(5));
    EXPECT_EQ(state.view.buttonHeld, 1);
    view.leftButtonUp(mainRow(5));
    EXPECT_EQ(state.view.buttonHeld, 0);
    press(empty());
    EXPECT_EQ(state.view.buttonHeld, 0);
}

struct ToggleCase {
    const char* name;
    std::array<int, 4> enabled;
    int level;
    int toggled;
    std::array<int, 4> enabledAfter;
    int levelAfter;
};

class DpiToggle : public Pointer, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(DpiToggle, KeepsOneLevelEnabledAndTheCurrentLevelOnAnEnabledOne) {
    const ToggleCase& c = GetParam();
    setLevels(c.enabled, c.level);
    click(mainRow(46 + c.toggled));
    EXPECT_EQ(levels(), c.enabledAfter);
    EXPECT_EQ(state.profile.dpiLevel, c.levelAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DpiToggle,
    ::testing::Values(ToggleCase{"EnableDisabled", {1, 0, 0, 0}, 0, 2, {1, 0, 1, 0}, 0},
                      ToggleCase{"DisableOther", {1, 0, 1, 0}, 0, 2, {1, 0, 0, 0}, 0},
                      ToggleCase{"DisableCurrentMovesOn", {1, 0, 1, 0}, 0, 0, {0, 0, 1, 0}, 2},
                      ToggleCase{"DisableLastIsRefused", {0, 0, 1, 0}, 2, 2, {0, 0, 1, 0}, 2},
                      ToggleCase{"MovesOnWrapping", {1, 0, 0, 1}, 3, 3, {1, 0, 0, 0}, 0},
                      ToggleCase{"AllEnabled", {1, 1, 1, 1}, 1, 1, {1, 0, 1, 1}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Pointer, DisablingTheCurrentLevelThenTheNextIsRefused) {
    setLevels({1, 0, 1, 0}, 0);
    click(mainRow(46));
    EXPECT_EQ(state.profile.dpiLevel, 2);
    click(mainRow(48));
    EXPECT_EQ(levels(), (std::array<int, 4>{0, 0, 1, 0}));
    EXPECT_EQ(state.profile.dpiLevel, 2);
}

TEST_F(Pointer, SelectorsStepsAndWheel) {
    setLevels({0, 1, 0, 0}, 1);
    click(mainRow(54)); // level 0 disabled: refused
    EXPECT_EQ(state.profile.dpiLevel, 1);
    state.profile.dpiEnabled[3] = 1;
    click(mainRow(57));
    EXPECT_EQ(state.profile.dpiLevel, 3);
    click(mainRow(67));
    EXPECT_EQ(state.profile.dpiSet[1], 2);
    EXPECT_EQ(state.derived.dpiArea[1], 67);
    click(mainRow(79));
    EXPECT_EQ(state.profile.dpiSet[3], 4);
    EXPECT_EQ(state.derived.dpiArea[3], 79);
    click(mainRow(42));
    EXPECT_EQ(state.profile.wheelStatus, 1);
    click(mainRow(41));
    EXPECT_EQ(state.profile.wheelStatus, 0);
}

TEST_F(Pointer, FireTimeTrackAndItsBounds) {
    click(mainRow(10));
    const SkinRect bar = view.layout().advanceRects[30];
    struct Case {
        int before;
        QPoint point;
        int after;
    };
    for (Case c : {Case{120, advanceRow(32), 119}, Case{0, advanceRow(32), 0},
                   Case{299, advanceRow(31), 300}, Case{300, advanceRow(31), 300},
                   Case{77, QPoint(bar.x, bar.y + 1), 0},
                   Case{77, QPoint(bar.x + bar.width - 1, bar.y + 1), 297},
                   Case{77, QPoint(bar.x + 50, bar.y + 1), 148}}) {
        state.profile.fireTime = c.before;
        click(c.point);
        EXPECT_EQ(state.profile.fireTime, c.after) << "from " << c.before << " at " << c.point.x();
    }
}

TEST_F(Pointer, MacroPageSettings) {
    click(mainRow(10));
    click(advanceRow(8 + 7));
    EXPECT_EQ(state.profile.pointerSpeed, 7);
    click(advanceRow(18));
    EXPECT_EQ(state.profile.wheelSpeed, 0);
    click(advanceRow(27));
    EXPECT_EQ(state.profile.wheelSpeed, 9);
    click(advanceRow(7));
    EXPECT_EQ(state.profile.macroMode, 1);
    click(advanceRow(7));
    EXPECT_EQ(state.profile.macroMode, 0);
    click(advanceRow(28)); // rows 28, 29 and 33 do nothing
    EXPECT_EQ(host.moves, 0);
}

TEST_F(Pointer, PageSwitchesStartEachWorkerOnlyWhenNoneRuns) {
    click(mainRow(11));
    EXPECT_EQ(state.view.viewMode, 2);
    EXPECT_EQ(animStarts, 1);
    EXPECT_EQ(state.indicator.animRunning, 1);
    click(mainRow(11)); // the page's own tab
    click(mainRow(10));
    EXPECT_EQ(state.view.viewMode, 1);
    click(mainRow(11)); // back while the first preview still runs
    EXPECT_EQ(animStarts, 1);
    state.indicator.animRunning = 0; // that worker has ended
    click(mainRow(10));
    click(mainRow(11));
    EXPECT_EQ(animStarts, 2);

    state.shell.blinkRunning = 1;
    click(mainRow(9));
    EXPECT_EQ(state.view.viewMode, 0);
    EXPECT_EQ(blinkStarts, 0);
    click(mainRow(10));
    state.shell.blinkRunning = 0;
    click(mainRow(9));
    EXPECT_EQ(blinkStarts, 1);
    EXPECT_EQ(state.shell.blinkRunning, 1);
    click(mainRow(9));
    EXPECT_EQ(blinkStarts, 1);
}

TEST_F(Pointer, EmptyPlacesDragTheWindow) {
    press(empty());
    EXPECT_EQ(host.moves, 1);
    click(mainRow(11));
    press(colorRow(4)); // a row without a role still is a row
    EXPECT_EQ(host.moves, 1);
    press(empty());
    EXPECT_EQ(host.moves, 2);
    click(mainRow(10));
    press(empty());
    EXPECT_EQ(host.moves, 3);
    press(mainRow(4)); // header row on the macro page
    EXPECT_EQ(host.moves, 3);
}

TEST_F(Pointer, LightModes) {
    click(mainRow(11));
    for (int mode : {3, 0, 2, 1}) {
        click(colorRow(mode));
        EXPECT_EQ(state.profile.ledStatus, mode);
    }
}

TEST_F(Pointer, ProfileTabsLoadWithoutApplying) {
    QFile config(state.shell.configPath);
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("[Init]\r\nCurConfig=1\r\n[Config3]\r\nWHEEL_STATUS=1\r\nFIRE_TIME=120\r\n");
    config.close();
    click(mainRow(6));
    EXPECT_EQ(state.shell.currentProfile, 3);
    EXPECT_EQ(state.profile.wheelStatus, 1);
    EXPECT_EQ(state.profile.fireTime, 120);
    ASSERT_TRUE(config.open(QIODevice::ReadOnly));
    EXPECT_TRUE(config.readAll().contains("CurConfig=1")) << "nothing is applied";
}

TEST_F(Pointer, HeaderCommands) {
    click(mainRow(12));
    EXPECT_EQ(host.minimised, 1);
    EXPECT_EQ(state.view.hotMain, 255);
    click(mainRow(13));
    EXPECT_EQ(host.trays, 1);
    EXPECT_EQ(state.view.hotMain, 255);
    click(mainRow(17));
    click(mainRow(18));
    EXPECT_EQ(host.chinese, 1);
    EXPECT_EQ(host.english, 1);
    click(mainRow(19));
    ASSERT_EQ(host.pages.size(), 1u);
    EXPECT_EQ(host.pages[0], kHelpPage);
    // Release rows act on release only.
    press(mainRow(12));
    EXPECT_EQ(host.minimised, 1);
}

TEST_F(Pointer, PressOnTheMainPageClosesAnOpenMenu) {
    state.shell.menuOpen = 1;
    click(mainRow(27));
    EXPECT_EQ(state.shell.menuOpen, 0);
    EXPECT_EQ(state.shell.editSlot, 27);
}

} // namespace
} // namespace vux

namespace vux {
namespace {

TEST_F(Pointer, PicturesAreDecodedOncePerSkinLoadWhenTheirPageFirstShows) {
    state.shell.skinsFolder = dir.path();
    const QStringList mainFiles{"main_normal.jpg", "main_over.jpg", "main_down.jpg",
                                "dpi_slider.jpg"};
    for (const QString& name : mainFiles + QStringList{"advanced_normal.jpg"})
        ASSERT_TRUE(flat(qRgb(0, 0, 0), 16, 16).save(dir.filePath(name), "JPG"));
    view.loadSkinLayouts();
    view.layout() = tinyLayout();
    view.composeFrame();
    EXPECT_FALSE(view.pictures().pages[0].normal.isNull());
    EXPECT_FALSE(view.pictures().dpiKnob.isNull());
    EXPECT_TRUE(view.pictures().pages[1].normal.isNull()) << "the macro page has not shown yet";
    // Kept: later paints do not read the files again.
    for (const QString& name : mainFiles)
        QFile::remove(dir.filePath(name));
    view.composeFrame();
    EXPECT_FALSE(view.pictures().pages[0].normal.isNull());
    state.view.viewMode = 1;
    view.composeFrame();
    EXPECT_FALSE(view.pictures().pages[1].normal.isNull());
    // A new skin load forgets them.
    view.loadSkinLayouts();
    state.view.viewMode = 0;
    view.composeFrame();
    EXPECT_TRUE(view.pictures().pages[0].normal.isNull());
}

} // namespace
} // namespace vux

namespace vux {
namespace {

// A clock whose sleeps end at once (or on stop), so the real workers run
// through their phases quickly on their own threads.
class QuickClock : public Clock {
public:
    TimePoint now() const override { return {}; }
    bool sleepUntil(TimePoint, std::stop_token stop) override {
        std::this_thread::yield();
        return !stop.stop_requested();
    }
};

TEST_F(Pointer, PageSwitchesWithRealWorkersWhilePainting) {
    QuickClock clock;
    state.platform.clock = &clock;
    state.derived.driverActive = 0; // the prompt blinks while the main page shows
    state.derived.firstHostButton = 2;
    state.derived.ledInForce = 1;
    std::vector<std::jthread> workers;
    std::atomic<int> started{0};
    state.hooks.startBlink = [&] {
        ++started;
        workers.emplace_back([this](std::stop_token stop) { blinkLoop(state, stop); });
    };
    state.hooks.startAnimation = [&] {
        ++started;
        workers.emplace_back([this](std::stop_token stop) { animationLoop(state, stop); });
    };
    view.setFonts({});
    for (int round = 0; round < 5; ++round) {
        click(mainRow(11)); // preview starts
        view.composeFrame();
        click(mainRow(10));
        view.composeFrame();
        click(mainRow(9)); // blink starts when none runs
        view.composeFrame();
    }
    state.derived.driverActive = 1;
    click(mainRow(10)); // leaving both pages ends both kinds of worker
    for (auto& w : workers)
        w.join();
    EXPECT_EQ(state.indicator.animRunning, 0);
    EXPECT_EQ(state.shell.blinkRunning, 0);
    EXPECT_EQ(state.indicator.blinkOn, 1);
    EXPECT_GE(started.load(), 2);
}

} // namespace
} // namespace vux
