// The real program's window under a real X server, driven like a user: the
// pointer clicks rows of the generated skin (positions read from its layout
// files), the virtual mouse receives what the program sends.
#include "platform/ini/IniFile.h"
#include "tests/support/ProcessLines.h"
#include "tests/support/ProgramSandbox.h"
#include "ui/SkinLayout.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vux {
namespace {

using test::ProcessLines;
using test::ProgramSandbox;

// Runs a short command and gives its standard output, trimmed.
QString run(const QString& program, const QStringList& args, int timeoutMs = 30000) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

const char* kConfig =
    "[Init]\r\nCurConfig=1\r\nVER_SEL=%1\r\n"
    "[Config1]\r\nK1=1\r\nK2=2\r\nK3=3\r\nK4=5\r\nK5=4\r\nK6=11\r\nK7=12\r\nK8=13\r\n"
    "WHEEL_STATUS=0\r\nMACRO_MODE2=0\r\nDPI_LEVEL=0\r\nDPI_SET1=1\r\nDPI_SET2=2\r\nDPI_SET3=3\r\n"
    "DPI_SET4=4\r\nDPI_SET_EN1=1\r\nDPI_SET_EN2=1\r\nDPI_SET_EN3=1\r\nDPI_SET_EN4=1\r\n"
    "LED_STATUS=0\r\nDPI_SPEED=5\r\nWHEEL_SPEED=2\r\nFIRE_TIME=80\r\n"
    "[Config3]\r\nK1=1\r\nK2=2\r\nK3=3\r\nK4=4\r\nK5=5\r\nK6=14\r\nK7=15\r\nK8=16\r\n"
    "WHEEL_STATUS=1\r\nMACRO_MODE2=0\r\nDPI_LEVEL=2\r\nDPI_SET1=0\r\nDPI_SET2=1\r\nDPI_SET3=4\r\n"
    "DPI_SET4=2\r\nDPI_SET_EN1=1\r\nDPI_SET_EN2=0\r\nDPI_SET_EN3=1\r\nDPI_SET_EN4=0\r\n"
    "LED_STATUS=1\r\nDPI_SPEED=4\r\nWHEEL_SPEED=6\r\nFIRE_TIME=240\r\n";

class MainWindowX11 : public ::testing::Test {
protected:
    int argc = 1;
    char arg0[8] = "test";
    char* argv[2] = {arg0, nullptr};
    QCoreApplication app{argc, argv};
    std::unique_ptr<ProgramSandbox> box;
    std::vector<std::unique_ptr<QProcess>> helpers;
    QProcess* mouse = nullptr;
    std::unique_ptr<ProcessLines> mouseLines;
    QProcess* program = nullptr;
    QString window;

    void start(bool english, const QString& scale = {}) {
        ASSERT_FALSE(qEnvironmentVariable("DISPLAY").isEmpty()) << "run under xvfb-run";
        box = std::make_unique<ProgramSandbox>(QStringLiteral(VUX_PROGRAM_PATH));
        box->copyDeliveredData();
        box->writeFile("config.ini", QString::fromLatin1(kConfig).arg(english ? 1 : 0).toUtf8());

        auto helper = std::make_unique<QProcess>();
        helper->setProcessEnvironment(box->environment());
        helper->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        helper->start(QStringLiteral(VUX_VIRTUAL_MOUSE_PATH), {});
        ASSERT_TRUE(helper->waitForStarted(20000));
        mouse = helper.get();
        helpers.push_back(std::move(helper));
        mouseLines = std::make_unique<ProcessLines>(*mouse);
        ASSERT_TRUE(mouseLines->waitFor("ready", 20000));

        QProcessEnvironment env = box->environment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        // libxkbcommon-x11 hands strndup a bounded, unterminated buffer, which
        // the strict string checks of the test environment take for an overflow.
        env.insert("ASAN_OPTIONS", "detect_leaks=1:abort_on_error=0:strict_string_checks=0");
        env.insert("VUX_INPUT_BACKEND", "xtest");
        if (!scale.isEmpty())
            env.insert("QT_SCALE_FACTOR", scale);
        program = &box->start({}, env);
        ASSERT_TRUE(program->waitForStarted(20000));
        // Start-up applies profile 1; the fire-time report is its last.
        ASSERT_TRUE(mouseLines->waitFor("feature 07 12", 60000));

        const QString title = english ? QStringLiteral("TESK GAMING MOUSE")
                                      : QStringLiteral("Vand Rox宏编程游戏鼠标驱动");
        window = run("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^" + title + "$"},
                     30000)
                     .section('\n', 0, 0);
        ASSERT_FALSE(window.isEmpty()) << "no visible window titled " << title.toStdString();
        EXPECT_EQ(run("xdotool", {"getwindowname", window}), title);
    }

    void TearDown() override {
        if (mouse && mouse->state() == QProcess::Running) {
            mouse->write("quit\n");
            mouse->waitForBytesWritten(2000);
        }
        for (auto& p : helpers) {
            p->kill();
            p->waitForFinished(5000);
        }
    }

    SkinLayout layout(bool english) {
        SkinLayout l;
        SkinReport report;
        loadSkinMain(l, box->folder() + "/skins", english, report);
        return l;
    }

    // Moves the pointer onto a row and clicks it, as a user does.
    void clickRow(const SkinRect& r) {
        const QString x = QString::number(r.x + r.width / 2);
        const QString y = QString::number(r.y + r.height / 2);
        run("xdotool", {"mousemove", "--sync", "--window", window, x, y});
        // A second small move, so the window sees the pointer over the row
        // even if it arrived there before the window took input.
        run("xdotool",
            {"mousemove", "--window", window, QString::number(r.x + r.width / 2 + 1), y});
        run("xdotool", {"click", "1"});
    }
};

TEST_F(MainWindowX11, ProfileThreeAppliedByClicksReachesTheMouseAndConfig) {
    ASSERT_NO_FATAL_FAILURE(start(true));
    const SkinLayout rows = layout(true);
    ASSERT_GT(rows.mainRects[6].width, 0) << "the skin has no profile 3 tab";
    ASSERT_GT(rows.mainRects[3].width, 0) << "the skin has no apply button";

    const std::size_t before = mouseLines->mark();
    clickRow(rows.mainRects[6]); // profile 3: loaded, nothing sent
    clickRow(rows.mainRects[3]); // apply
    // Profile 3's fire time is 240 ms: 240 / 8 = 30 = 0x1e.
    ASSERT_TRUE(mouseLines->waitFor("feature 07 12 1e", 30000));
    EXPECT_EQ(mouseLines->count("feature 07 11 01", before), 1) << "profile 3's wheel switch";
    EXPECT_EQ(mouseLines->count("feature 07 10", before), 8) << "one report per button";
    EXPECT_EQ(mouseLines->count("feature 07 12 0a", before), 0) << "profile 1's fire time";
    EXPECT_EQ(ini::readString(box->configPath(), "Init", "CurConfig", 5), "3");
    EXPECT_EQ(ini::readString(box->configPath(), "Config6", "FIRE_TIME", 5), "240");
}

TEST_F(MainWindowX11, WindowIsShapedAndTitledInItsLanguage) {
    for (bool english : {true, false}) {
        SCOPED_TRACE(english ? "English" : "Chinese");
        ASSERT_NO_FATAL_FAILURE(start(english));
        const QString shape = run(QStringLiteral(VUX_X_SHAPE_PROBE_PATH), {window});
        const QStringList f = shape.split(' ');
        ASSERT_EQ(f.size(), 7) << shape.toStdString();
        // More than one rectangle: the outline is not the window's plain box.
        EXPECT_GT(f[1].toInt(), 1) << shape.toStdString();
        EXPECT_GT(f[5].toInt(), 100);
        EXPECT_GT(f[6].toInt(), 100);
        TearDown();
        helpers.clear();
        mouse = nullptr;
    }
}

TEST_F(MainWindowX11, ScaledScreenScalesTheWholeWindowEvenly) {
    ASSERT_NO_FATAL_FAILURE(start(true, "2"));
    const QString geometry = run("xdotool", {"getwindowgeometry", "--shell", window});
    EXPECT_TRUE(geometry.contains("WIDTH=1600")) << geometry.toStdString();
    EXPECT_TRUE(geometry.contains("HEIGHT=1284")) << geometry.toStdString();
    const QImage mask(box->folder() + "/skins/main_mask.jpg");
    ASSERT_FALSE(mask.isNull());
    const QStringList f = run(QStringLiteral(VUX_X_SHAPE_PROBE_PATH), {window}).split(' ');
    ASSERT_EQ(f.size(), 7);
    EXPECT_GT(f[1].toInt(), 1);
    EXPECT_EQ(f[5].toInt(), 2 * mask.width());
    EXPECT_EQ(f[6].toInt(), 2 * mask.height());
}

TEST_F(MainWindowX11, MissingLayoutFilesAreToldOnceThenTheProgramEnds) {
    box = std::make_unique<ProgramSandbox>(QStringLiteral(VUX_PROGRAM_PATH));
    box->writeFile("config.ini", QString::fromLatin1(kConfig).arg(1).toUtf8());
    box->copyIn(QStringLiteral(VUX_BUILD_FOLDER) + "/skins/INI_EN/defMacro.dat", "Macro_EN.dat");
    // The pictures are there, the layout files are not.
    box->copyIn(QStringLiteral(VUX_BUILD_FOLDER) + "/skins/main_normal.jpg",
                "skins/main_normal.jpg");

    auto helper = std::make_unique<QProcess>();
    helper->setProcessEnvironment(box->environment());
    helper->start(QStringLiteral(VUX_VIRTUAL_MOUSE_PATH), {});
    ASSERT_TRUE(helper->waitForStarted(20000));
    mouse = helper.get();
    helpers.push_back(std::move(helper));
    mouseLines = std::make_unique<ProcessLines>(*mouse);
    ASSERT_TRUE(mouseLines->waitFor("ready", 20000));

    QProcessEnvironment env = box->environment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("ASAN_OPTIONS", "detect_leaks=0:abort_on_error=0:strict_string_checks=0");
    program = &box->start({}, env);
    ASSERT_TRUE(program->waitForStarted(20000));

    // Each message box is captioned with the program's name; OK each one.
    int boxes = 0;
    while (program->state() != QProcess::NotRunning && boxes < 20) {
        const QString id =
            run("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^VUX_GMouse$"}, 8000)
                .section('\n', 0, 0);
        if (id.isEmpty())
            break;
        ++boxes;
        run("xdotool", {"key", "--window", id, "Return"});
        // The next box, if any, replaces this one; wait until this one is gone.
        QDeadlineTimer gone(10000);
        while (!gone.hasExpired() &&
               run("xdotool", {"search", "--onlyvisible", "--name", "^VUX_GMouse$"}).contains(id))
            program->waitForFinished(100);
    }
    EXPECT_TRUE(program->waitForFinished(20000)) << "the program closes";
    // Not one box per row: the first missing file is told, and the close that
    // follows ends the program before another message could show.
    EXPECT_EQ(boxes, 1);
}

} // namespace
} // namespace vux
