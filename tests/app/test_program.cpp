// The real program, started from a private copy of itself.
#include "tests/support/ProgramSandbox.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

using vux::test::ProgramSandbox;
using vux::test::waitFor;

QString programUnderTest() {
    return QStringLiteral(VUX_PROGRAM_PATH);
}

class Program : public ::testing::Test {
protected:
    int argc = 1;
    char arg0[8] = "test";
    char* argv[2] = {arg0, nullptr};
    QCoreApplication app{argc, argv};
};

TEST_F(Program, SecondStartRestoresTheFirstAndEndsWithStatusZero) {
    ProgramSandbox box(programUnderTest());
    box.copyDeliveredData();
    box.writeFile("config.ini", "[Init]\r\nCurConfig=1\r\nVER_SEL=1\r\n");
    QProcess& first = box.start();
    ASSERT_TRUE(first.waitForStarted(10000));
    // The first instance listens once it holds the lock; without a mouse it then
    // waits in its plug-in message.
    ASSERT_TRUE(waitFor([&] { return QFile::exists(box.runtimeFolder() + "/CVUX_GMouseApp.sock"); },
                        30000));

    QProcess& second = box.start();
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(Program, ACrashedFirstInstanceLeavesNoStaleLock) {
    ProgramSandbox box(programUnderTest());
    box.copyDeliveredData();
    box.writeFile("config.ini", "[Init]\r\nCurConfig=1\r\nVER_SEL=1\r\n");
    QProcess& first = box.start();
    ASSERT_TRUE(waitFor([&] { return QFile::exists(box.runtimeFolder() + "/CVUX_GMouseApp.sock"); },
                        30000));
    first.kill();
    ASSERT_TRUE(first.waitForFinished(10000));
    // Its socket file stays behind; take it away only to see when the next one listens.
    const QString socket = box.runtimeFolder() + "/CVUX_GMouseApp.sock";
    QFile::remove(socket);

    QProcess& next = box.start();
    ASSERT_TRUE(waitFor([&] { return QFile::exists(socket); }, 30000));
    QProcess& third = box.start();
    ASSERT_TRUE(third.waitForFinished(30000));
    EXPECT_EQ(third.exitCode(), 0);
    EXPECT_EQ(next.state(), QProcess::Running);
}

} // namespace
