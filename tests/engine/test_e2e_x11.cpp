// The real program under a real X server: the virtual mouse presses the
// buttons, the program injects through XTest, and an independent X client
// (xi_watch) reports what the server received.

#include "engine/MacroPlayer.h"
#include "macros/MacroFile.h"
#include "platform/input/KeyMap.h"
#include "tests/support/ProcessLines.h"
#include "tests/support/ProgramSandbox.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace vux {
namespace {

using test::ProcessLines;
using test::ProgramSandbox;

// One event as the X server saw it.
struct XEventSeen {
    std::string what; // "key down 37", "button up 1"
    unsigned long time = 0;
};

std::vector<XEventSeen> parseEvents(const std::vector<std::string>& lines, std::size_t from) {
    std::vector<XEventSeen> out;
    for (std::size_t i = from; i < lines.size(); ++i) {
        std::istringstream in(lines[i]);
        std::string kind, dir;
        int detail = 0;
        unsigned long time = 0;
        if (in >> kind >> dir >> detail >> time)
            out.push_back({kind + " " + dir + " " + std::to_string(detail), time});
    }
    return out;
}

// What the server reports for one macro event, or empty for one that injects nothing.
std::string expectedX(const MacroEvent& e) {
    if (e.action != kActionDown && e.action != kActionUp)
        return {};
    const std::string dir = e.action == kActionDown ? "down" : "up";
    if (e.keyCode >= kKeyMouseLeft) {
        const int button = e.keyCode == kKeyMouseLeft ? 1 : e.keyCode == kKeyMouseRight ? 3 : 2;
        return "button " + dir + " " + std::to_string(button);
    }
    const unsigned code =
        linuxKeyCode(e.keyCode, macroScanCode(e.keyCode), isExtendedMacroKey(e.keyCode)) +
        kXKeycodeOffset;
    if (code == kXKeycodeOffset || code > 255)
        return {};
    return "key " + dir + " " + std::to_string(code);
}

// Server timestamps are whole milliseconds. Typical errors must stay within a
// few of them; a single one may be larger on a loaded machine (the X server
// or the program scheduled late), but never by the length of a delay. The
// macro benchmark measures the precise figures.
constexpr long kTypicalErrorMs = 3;
constexpr long kWorstErrorMs = 50;

constexpr int kCtrlCButton = 4;
constexpr int kMacroButton = 5;
constexpr int kRepeatButton = 6;
const std::string kCtrlDown = "key down 37"; // KEY_LEFTCTRL 29 + 8
const std::string kCtrlUp = "key up 37";
const std::string kCDown = "key down 54"; // KEY_C 46 + 8
const std::string kCUp = "key up 54";

class EngineX11 : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(qEnvironmentVariable("DISPLAY").isEmpty()) << "run under xvfb-run";
        box = std::make_unique<ProgramSandbox>(QStringLiteral(VUX_PROGRAM_PATH));
        const QString buildFolder = QStringLiteral(VUX_BUILD_FOLDER);
        box->copyIn(buildFolder + "/skins", "skins");
        QString defaults = buildFolder + "/skins/INI_EN/defMacro.dat";
        if (!QFile::exists(defaults))
            defaults = QStringLiteral(VUX_SOURCE_FOLDER) + "/skins/INI_EN/defMacro.dat";
        prepareMacros(defaults);
        writeConfig();

        watch = &startHelper(QStringLiteral(VUX_XI_WATCH_PATH), {});
        watchLines = std::make_unique<ProcessLines>(*watch);
        ASSERT_TRUE(watchLines->waitFor("ready", 20000));

        mouse = &startHelper(QStringLiteral(VUX_VIRTUAL_MOUSE_PATH), {});
        mouseLines = std::make_unique<ProcessLines>(*mouse);
        ASSERT_TRUE(mouseLines->waitFor("ready", 20000));

        QProcessEnvironment env = box->environment();
        env.insert("VUX_INPUT_BACKEND", "xtest");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program = &box->start({}, env);
        ASSERT_TRUE(program->waitForStarted(20000));
        // The fire-time report is the last one of applying the profile; after
        // it the program waits for a click on the first host-handled button.
        bool applied = false;
        mouseLines->waitUntil(
            [&](const std::vector<std::string>& lines) {
                for (const std::string& line : lines)
                    applied = applied || line.rfind("feature 07 12", 0) == 0;
                // A program that ended will never apply anything.
                return applied || program->state() == QProcess::NotRunning;
            },
            60000);
        ASSERT_EQ(program->state(), QProcess::Running) << "the program ended";
        ASSERT_TRUE(applied);
        send("click " + std::to_string(kCtrlCButton));
    }

    QProcess& startHelper(const QString& path, const QStringList& args) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(box->environment());
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(path, args);
        helpers.push_back(std::move(p));
        return *helpers.back();
    }

    void TearDown() override {
        if (mouse)
            send("quit");
        for (auto& p : helpers) {
            p->kill();
            p->waitForFinished(5000);
        }
    }

    void send(const std::string& command) {
        mouse->write((command + "\n").c_str());
        mouse->waitForBytesWritten(5000);
    }
    void clickButton(int button) {
        send("press " + std::to_string(button));
        send("release " + std::to_string(button));
    }

    // Loads the language's default macros and adds one that repeats for long.
    void prepareMacros(const QString& defaults) {
        ASSERT_TRUE(loadMacroFile(table, defaults)) << defaults.toStdString();
        ASSERT_GE(table.macroCount.load(), 1);
        ASSERT_LT(table.macroCount.load(), kMacroMax);
        // The first default macro that plays in a few seconds and injects something.
        for (int m = 0; m < table.macroCount.load() && macroIndex < 0; ++m) {
            const MacroSlot& slot = table.entries[static_cast<std::size_t>(m)];
            const int reps = slot.repeatEnabled ? slot.repeatCount : 1;
            long total = 0;
            for (int k = 0; k < slot.eventCount; ++k)
                total += slot.delays[k];
            if (slot.eventCount > 0 && reps >= 1 && total * reps < 5000 &&
                !expectedX(slot.events[0]).empty())
                macroIndex = m;
        }
        ASSERT_GE(macroIndex, 0) << "no short default macro";
        repeatIndex = table.macroCount.load();
        MacroSlot& repeat = table.entries[static_cast<std::size_t>(repeatIndex)];
        repeat = MacroSlot{};
        setMacroName(repeat, "Repeat B");
        repeat.repeatEnabled = 1;
        repeat.repeatCount = 1000;
        repeat.eventCount = 2;
        repeat.events[0] = {0x42, kActionDown};
        repeat.events[1] = {0x42, kActionUp};
        repeat.delays[0] = 15;
        repeat.delays[1] = 15;
        table.macroCount = static_cast<int16_t>(repeatIndex + 1);
        ASSERT_TRUE(saveMacroFile(table, box->folder() + "/Macro_EN.dat"));
    }

    void writeConfig() {
        std::string ini = "[Init]\r\nCurConfig=1\r\nVER_SEL=1\r\n[Config1]\r\n";
        const int keys[8] = {1, 2, 3, 31, 41 + macroIndex, 41 + repeatIndex, 5, 13};
        for (int i = 0; i < 8; ++i)
            ini += "K" + std::to_string(i + 1) + "=" + std::to_string(keys[i]) + "\r\n";
        ini += "WHEEL_STATUS=0\r\nMACRO_MODE2=0\r\nDPI_LEVEL=1\r\nDPI_SET1=0\r\nDPI_SET2=1\r\nDPI_"
               "SET3=2\r\n"
               "DPI_SET4=3\r\nDPI_SET_EN1=1\r\nDPI_SET_EN2=1\r\nDPI_SET_EN3=1\r\nDPI_SET_EN4=1\r\n"
               "LED_STATUS=0\r\nDPI_SPEED=5\r\nWHEEL_SPEED=2\r\nFIRE_TIME=50\r\n";
        box->writeFile("config.ini", QByteArray::fromStdString(ini));
    }

    // Waits until at least count events have come in since from.
    std::vector<XEventSeen> eventsSince(std::size_t from, std::size_t count, int timeoutMs) {
        watchLines->waitUntil(
            [&](const std::vector<std::string>& lines) { return lines.size() >= from + count; },
            timeoutMs);
        return parseEvents(watchLines->lines(), from);
    }

    int argc = 1;
    char arg0[8] = "test";
    char* argv[2] = {arg0, nullptr};
    QCoreApplication app{argc, argv};
    std::unique_ptr<ProgramSandbox> box;
    std::vector<std::unique_ptr<QProcess>> helpers;
    QProcess* watch = nullptr;
    QProcess* mouse = nullptr;
    QProcess* program = nullptr;
    std::unique_ptr<ProcessLines> watchLines;
    std::unique_ptr<ProcessLines> mouseLines;
    MacroTable table;
    int macroIndex = -1;
    int repeatIndex = -1;
};

std::vector<std::string> names(const std::vector<XEventSeen>& events) {
    std::vector<std::string> out;
    for (const auto& e : events)
        out.push_back(e.what);
    return out;
}

TEST_F(EngineX11, CtrlCButtonPressesCtrlAndC) {
    const std::size_t from = watchLines->lines().size();
    clickButton(kCtrlCButton);
    const auto events = eventsSince(from, 4, 20000);
    ASSERT_EQ(names(events), (std::vector<std::string>{kCtrlDown, kCDown, kCUp, kCtrlUp}));
    // C is held for the 20 ms pause.
    const long held = static_cast<long>(events[2].time - events[1].time);
    std::printf("Ctrl+C: C held %ld ms\n", held);
    EXPECT_GE(held, 19);
    EXPECT_LE(held, 20 + kWorstErrorMs);
}

TEST_F(EngineX11, DefaultMacroPlaysItsEventsWithItsDelays) {
    const MacroSlot& macro = table.entries[static_cast<std::size_t>(macroIndex)];
    const int reps = macro.repeatEnabled ? macro.repeatCount : 1;
    std::vector<std::string> expected;
    std::vector<long> gapsAfter; // delay from each injected event to the next one
    long pending = 0;
    for (int r = 0; r < reps; ++r)
        for (int k = 0; k < macro.eventCount; ++k) {
            const std::string x = expectedX(macro.events[k]);
            if (!x.empty()) {
                if (!expected.empty())
                    gapsAfter.push_back(pending);
                expected.push_back(x);
                pending = 0;
            }
            pending += macro.delays[k];
        }
    std::printf("macro %d (%s): %zu events\n", macroIndex, macroName(macro).toStdString().c_str(),
                expected.size());

    const std::size_t from = watchLines->lines().size();
    clickButton(kMacroButton);
    long total = 0;
    for (long g : gapsAfter)
        total += g;
    const auto events = eventsSince(from, expected.size(), static_cast<int>(total) + 20000);
    ASSERT_EQ(names(events), expected);
    long worst = 0;
    std::vector<long> errors;
    for (std::size_t i = 0; i + 1 < events.size(); ++i) {
        const long gap = static_cast<long>(events[i + 1].time - events[i].time);
        EXPECT_NEAR(gap, gapsAfter[i], kWorstErrorMs) << "between events " << i << " and " << i + 1;
        errors.push_back(std::labs(gap - gapsAfter[i]));
        worst = std::max(worst, errors.back());
    }
    std::sort(errors.begin(), errors.end());
    if (!errors.empty()) {
        EXPECT_LE(errors[errors.size() / 2], kTypicalErrorMs) << "median error of the delays";
    }
    const long span = static_cast<long>(events.back().time - events.front().time);
    std::printf("macro timing: worst gap error %ld ms, span %ld ms for %ld ms recorded\n", worst,
                span, total);
    EXPECT_NEAR(span, total, kWorstErrorMs);
}

TEST_F(EngineX11, SecondPressStopsARepeatingMacro) {
    const std::size_t from = watchLines->lines().size();
    clickButton(kRepeatButton);
    ASSERT_GE(eventsSince(from, 6, 20000).size(), 6u);
    clickButton(kRepeatButton);
    // Once the macro has stopped, the Ctrl+C button acts again; while it still
    // played, a press would only count as another stop. Give it a few tries.
    bool ctrlC = false;
    for (int attempt = 0; attempt < 20 && !ctrlC; ++attempt) {
        clickButton(kCtrlCButton);
        ctrlC = watchLines->waitUntil(
            [&](const std::vector<std::string>& lines) {
                return !parseEvents(lines, from).empty() &&
                       parseEvents(lines, from).back().what == kCtrlUp;
            },
            500);
    }
    ASSERT_TRUE(ctrlC) << "the macro did not stop";
    const auto events = parseEvents(watchLines->lines(), from);
    std::size_t firstCtrl = 0;
    while (firstCtrl < events.size() && events[firstCtrl].what != kCtrlDown)
        ++firstCtrl;
    // Nothing of the macro after the key combination, and far fewer than its
    // 2000 events before it.
    for (std::size_t i = firstCtrl; i < events.size(); ++i)
        EXPECT_TRUE(events[i].what.find(" 56") == std::string::npos)
            << events[i].what; // B = 48 + 8
    EXPECT_LT(firstCtrl, 200u);
    std::printf("repeating macro stopped after %zu events\n", firstCtrl);
}

} // namespace
} // namespace vux
