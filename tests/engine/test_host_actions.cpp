// Host actions with the real launcher: stub programs on a test search path
// report how they were started through a FIFO.

#include "engine/HostActions.h"

#include "platform/shell/SpawnLauncher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace vux {
namespace {

class HostActionsTest : public ::testing::Test {
protected:
    HostActionsTest() {
        fifoPath = dir.path().toStdString() + "/report";
        EXPECT_EQ(::mkfifo(fifoPath.c_str(), 0600), 0);
        // Non-blocking so that opening does not wait for a writer; polled with a deadline.
        fifo = ::open(fifoPath.c_str(), O_RDONLY | O_NONBLOCK);
        EXPECT_GE(fifo, 0);
        // A writer that never writes keeps the FIFO from reporting hang-ups
        // between two stubs.
        keepOpen = ::open(fifoPath.c_str(), O_WRONLY);
        EXPECT_GE(keepOpen, 0);
        QDir(dir.path()).mkdir("bin");
        QDir(dir.path()).mkdir("home");
    }
    ~HostActionsTest() override {
        ::close(fifo);
        ::close(keepOpen);
    }

    // A stub that reports its name, arguments, session, standard input and
    // working folder as one line, then exits with status.
    void addStub(const std::string& name, int status = 0) {
        const QString path = dir.path() + "/bin/" + QString::fromStdString(name);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(("#!/bin/sh\n"
                 "sid=$(cut -d' ' -f6 /proc/$$/stat)\n"
                 "echo \"" +
                 name +
                 " $* |sid=$sid|in=$(readlink /proc/$$/fd/0)|cwd=$(pwd)|fds=$(for f in "
                 "/proc/$$/fd/*; do readlink $f; done | tr '\\n' ,)\" > '" +
                 fifoPath +
                 "'\n"
                 "exit " +
                 std::to_string(status) + "\n")
                    .c_str());
        f.close();
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    // A file of that name that is not executable: not a program.
    void addNonProgram(const std::string& name) {
        QFile f(dir.path() + "/bin/" + QString::fromStdString(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
    }

    SpawnLauncher launcher(const std::string& desktop = "") const {
        return SpawnLauncher(dir.path().toStdString() + "/missing:" + dir.path().toStdString() +
                                 "/bin",
                             desktop, dir.path().toStdString() + "/home");
    }

    // The next line a stub wrote, or empty after the deadline.
    std::string nextReport(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const auto pos = buffer.find('\n');
            if (pos != std::string::npos) {
                std::string line = buffer.substr(0, pos);
                buffer.erase(0, pos + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return {};
            pollfd p{fifo, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) > 0) {
                char chunk[512];
                const ssize_t n = ::read(fifo, chunk, sizeof chunk);
                if (n > 0)
                    buffer.append(chunk, static_cast<std::size_t>(n));
            }
        }
    }
    static std::string commandOf(const std::string& report) {
        return report.substr(0, report.find(" |"));
    }

    QTemporaryDir dir;
    std::string fifoPath;
    int fifo = -1;
    int keepOpen = -1;
    std::string buffer;
};

TEST_F(HostActionsTest, StartsTheFirstCalculatorFoundDetachedFromUs) {
    addNonProgram("gnome-calculator");
    addStub("galculator");
    addStub("xcalc");
    SpawnLauncher real = launcher();
    runHostAction(kFuncCalculator, real);
    const std::string report = nextReport();
    EXPECT_EQ(commandOf(report), "galculator ");
    // Its own session, standard streams on /dev/null, started in the home
    // folder, and none of our descriptors (the FIFO is held open here).
    EXPECT_EQ(report.find("|sid=" + std::to_string(::getsid(0)) + "|"), std::string::npos)
        << report;
    EXPECT_NE(report.find("|in=/dev/null|"), std::string::npos) << report;
    EXPECT_NE(report.find("|cwd=" + dir.path().toStdString() + "/home|"), std::string::npos)
        << report;
    EXPECT_EQ(report.find(fifoPath), std::string::npos) << report;
    EXPECT_NE(report.find("|fds="), std::string::npos) << report;
    // The intermediate process is reaped and the program is not our child:
    // no zombie can stay behind.
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(HostActionsTest, StartsATerminalInTheUsualOrder) {
    addStub("xterm");
    addStub("konsole");
    SpawnLauncher real = launcher();
    runHostAction(kFuncTerminal, real);
    EXPECT_EQ(commandOf(nextReport()), "konsole ");
    addStub("x-terminal-emulator");
    runHostAction(kFuncTerminal, real);
    EXPECT_EQ(commandOf(nextReport()), "x-terminal-emulator ");
}

TEST_F(HostActionsTest, LockFallsBackWhenLoginctlFails) {
    addStub("loginctl", 1);
    addStub("xdg-screensaver");
    SpawnLauncher real = launcher();
    runHostAction(kFuncLockSession, real);
    EXPECT_EQ(commandOf(nextReport()), "loginctl lock-session");
    EXPECT_EQ(commandOf(nextReport()), "xdg-screensaver lock");
}

TEST_F(HostActionsTest, LockStopsAtTheFirstWayThatWorks) {
    addStub("loginctl", 0);
    addStub("xdg-screensaver");
    SpawnLauncher real = launcher();
    runHostAction(kFuncLockSession, real);
    EXPECT_EQ(commandOf(nextReport()), "loginctl lock-session");
    EXPECT_EQ(nextReport(std::chrono::milliseconds(300)), "");
}

TEST_F(HostActionsTest, OpensTheComputerViewWhereTheFileManagerKnowsIt) {
    addStub("xdg-open");
    SpawnLauncher cinnamon = launcher("X-Cinnamon");
    runHostAction(kFuncOpenComputer, cinnamon);
    EXPECT_EQ(commandOf(nextReport()), "xdg-open computer:///");
    SpawnLauncher gnome = launcher("ubuntu:GNOME");
    runHostAction(kFuncOpenComputer, gnome);
    EXPECT_EQ(commandOf(nextReport()), "xdg-open /");
}

TEST_F(HostActionsTest, NothingFoundIsSilent) {
    SpawnLauncher real = launcher();
    for (int32_t code : {kFuncOpenComputer, kFuncLockSession, kFuncCalculator, kFuncTerminal})
        runHostAction(code, real);
    const LaunchCommand none{"no-such-program", {}};
    EXPECT_FALSE(real.launch(std::span(&none, 1), LaunchFallback::WhenMissing));
    EXPECT_EQ(nextReport(std::chrono::milliseconds(200)), "");
}

TEST(SpawnLauncherTest, FindsProgramsOnTheSearchPathOnly) {
    SpawnLauncher launcher("/nonexistent::/bin", "", "");
    EXPECT_EQ(launcher.findProgram("sh"), "/bin/sh");
    EXPECT_EQ(launcher.findProgram("/bin/sh"), "/bin/sh");
    EXPECT_EQ(launcher.findProgram("no-such-program"), "");
    EXPECT_EQ(launcher.findProgram(""), "");
    EXPECT_EQ(launcher.findProgram("."), "");
    EXPECT_EQ(SpawnLauncher("", "A:B::C", "").desktopNames(),
              (std::vector<std::string>{"A", "B", "C"}));
}

} // namespace
} // namespace vux
