// The real program against the real virtual mouse: what reaches the mouse and
// config.ini, the hand-over acknowledgement, removal, and a mouse that shows up
// only while the plug-in message is open.
#include "tests/support/ProgramSandbox.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using vux::test::ProgramSandbox;
using vux::test::waitFor;

constexpr int kDeadlineMs = 30000;

// A virtual-mouse process; its standard output is collected line by line.
class VirtualMouse {
public:
    VirtualMouse(const QProcessEnvironment& env, const QStringList& args = {}) {
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] {
            while (process_.canReadLine())
                lines_.push_back(QString::fromUtf8(process_.readLine()).trimmed());
        });
        process_.start(QStringLiteral(VUX_VIRTUAL_MOUSE_PATH), args);
    }
    ~VirtualMouse() {
        if (process_.state() != QProcess::NotRunning) {
            send("quit");
            if (!process_.waitForFinished(5000))
                process_.kill();
            process_.waitForFinished(5000);
        }
    }

    void send(const QString& command) {
        process_.write((command + "\n").toUtf8());
        process_.waitForBytesWritten(5000);
    }

    QStringList features() const { return lines_.filter(QRegularExpression("^feature ")); }
    bool waitForFeatures(qsizetype count) {
        return waitFor([&] { return features().size() >= count; }, kDeadlineMs);
    }
    bool waitForReady(int times = 1) {
        return waitFor([&] { return lines_.count("ready") >= times; }, kDeadlineMs);
    }

private:
    QProcess process_;
    QStringList lines_;
};

QString feature(const char* head) {
    // The head bytes followed by zeros up to the feature length of 9.
    QStringList bytes = QString::fromLatin1(head).split(' ');
    while (bytes.size() < 9)
        bytes << "00";
    return "feature " + bytes.join(' ');
}

// The keys of one section, in file order.
QStringList sectionKeys(const QByteArray& ini, const QString& section) {
    QStringList keys;
    bool inside = false;
    for (const QByteArray& raw : ini.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith('[')) {
            inside = line.compare("[" + section + "]", Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inside && line.contains('='))
            keys << line;
    }
    return keys;
}

class DeviceEndToEnd : public ::testing::Test {
protected:
    int argc = 1;
    char arg0[8] = "test";
    char* argv[2] = {arg0, nullptr};
    QCoreApplication app{argc, argv};
    ProgramSandbox box{QStringLiteral(VUX_PROGRAM_PATH)};

    void SetUp() override {
        box.copyDeliveredData();
        // The delivered config.ini without its snapshot of the last apply, so
        // that the program has to write "Config6" itself.
        QFile delivered(QStringLiteral(VUX_CONFIG_PATH));
        ASSERT_TRUE(delivered.open(QIODevice::ReadOnly));
        QByteArray config = delivered.readAll();
        const qsizetype start = config.indexOf("[Config6]");
        ASSERT_GE(start, 0);
        const qsizetype end = config.indexOf("\n[", start);
        config.remove(start, end - start + 1);
        box.writeFile("config.ini", config);
    }

    // Offscreen, and with no desktop whose pointer settings the run could change.
    QProcessEnvironment environment() const {
        QProcessEnvironment env = box.environment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP"})
            env.remove(name);
        return env;
    }
};

TEST_F(DeviceEndToEnd, FactoryProfileReachesTheMouseAndConfigIniAndUnplugEndsTheProgram) {
    VirtualMouse mouse(environment());
    ASSERT_TRUE(mouse.waitForReady());
    QProcess& program = box.start({}, environment());

    ASSERT_TRUE(mouse.waitForFeatures(11));
    const QStringList expected{
        feature("07 10 01 01"), feature("07 10 02 02"), feature("07 10 03 03"),
        feature("07 10 05 05"), feature("07 10 04 04"), feature("07 10 06 1f"),
        feature("07 10 08 1f"), feature("07 10 09 09"), feature("07 11 00 00"),
        feature("07 09 00 90"), feature("07 12 06 00")};
    EXPECT_EQ(mouse.features().mid(0, 11), expected);

    // Button 6 is the first handed to the computer: its click acknowledges the
    // map, and from then on button 7 (DPI up) is carried out by the program.
    mouse.send("click 6");
    mouse.send("click 7");
    ASSERT_TRUE(mouse.waitForFeatures(12));
    EXPECT_EQ(mouse.features().at(11), feature("07 09 01 a0"));

    const QStringList profileOrder{
        "K1=1",          "K2=2",          "K3=3",          "K4=5",          "K5=4",
        "K6=18",         "K7=17",         "K8=13",         "DPI_LEVEL=0",   "WHEEL_STATUS=0",
        "MACRO_MODE2=0", "DPI_SET1=1",    "DPI_SET_EN1=1", "DPI_SET2=2",    "DPI_SET_EN2=1",
        "DPI_SET3=4",    "DPI_SET_EN3=1", "DPI_SET4=0",    "DPI_SET_EN4=1", "LED_STATUS=0",
        "DPI_SPEED=4",   "WHEEL_SPEED=2", "FIRE_TIME=50"};
    const QByteArray config = box.readFile("config.ini");
    EXPECT_TRUE(sectionKeys(config, "Init").contains("CurConfig=1"));
    EXPECT_EQ(sectionKeys(config, "Config6"), profileOrder);
    // The DPI button stored its new level in the current profile.
    QStringList current = profileOrder;
    current[8] = "DPI_LEVEL=1";
    ASSERT_TRUE(waitFor(
        [&] { return sectionKeys(box.readFile("config.ini"), "Config1") == current; }, kDeadlineMs))
        << sectionKeys(box.readFile("config.ini"), "Config1").join(' ').toStdString();

    mouse.send("unplug");
    ASSERT_TRUE(program.waitForFinished(kDeadlineMs));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    // Removal is not the close sequence: no close notice was sent.
    EXPECT_EQ(mouse.features().size(), 12);
}

TEST_F(DeviceEndToEnd, ALongFeatureLengthIsCutToTheReportBuffer) {
    VirtualMouse mouse(environment(), {"--feature-length", "300"});
    ASSERT_TRUE(mouse.waitForReady());
    QProcess& program = box.start({}, environment());
    ASSERT_TRUE(mouse.waitForFeatures(11));
    const QStringList bytes = mouse.features().first().split(' ').mid(1);
    EXPECT_EQ(bytes.size(), 256);
    EXPECT_EQ(bytes.mid(0, 4), (QStringList{"07", "10", "01", "01"}));
    mouse.send("unplug");
    ASSERT_TRUE(program.waitForFinished(kDeadlineMs));
    EXPECT_EQ(program.exitCode(), 0);
}

TEST_F(DeviceEndToEnd, WithoutItsWriteChannelTheMouseIsConnectedButHearsNothing) {
    // The search runs through every index; the last interface it meets is the
    // mouse's read channel, so the program counts the mouse as connected.
    VirtualMouse mouse(environment(), {"--omit", "write"});
    ASSERT_TRUE(mouse.waitForReady());
    QProcess& program = box.start({}, environment());
    // "Config6" is written by the apply at the end of start-up.
    ASSERT_TRUE(
        waitFor([&] { return !sectionKeys(box.readFile("config.ini"), "Config6").isEmpty(); },
                kDeadlineMs));
    EXPECT_EQ(program.state(), QProcess::Running);
    // Its removal is the removal of the path the search ended on.
    mouse.send("unplug");
    ASSERT_TRUE(program.waitForFinished(kDeadlineMs));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(mouse.features().isEmpty());
}

TEST_F(DeviceEndToEnd, AMouseThatAppearsDuringThePlugInMessageIsNotTaken) {
    QProcess& program = box.start({}, environment());
    ASSERT_TRUE(waitFor([&] { return QFile::exists(box.runtimeFolder() + "/CVUX_GMouseApp.sock"); },
                        kDeadlineMs));
    // A second start is answered only from an event loop; before the mouse is
    // there, that is the loop of the plug-in message.
    auto roundTrip = [&] {
        QProcess& second = box.start({}, environment());
        ASSERT_TRUE(second.waitForFinished(kDeadlineMs));
        EXPECT_EQ(second.exitCode(), 0);
    };
    roundTrip();

    VirtualMouse mouse(environment());
    ASSERT_TRUE(mouse.waitForReady());
    // The arrival is seen, but the program knows no mouse path yet.
    roundTrip();
    roundTrip();
    mouse.send("unplug");
    mouse.send("plug");
    ASSERT_TRUE(mouse.waitForReady(2));
    roundTrip();

    EXPECT_TRUE(mouse.features().isEmpty());
    EXPECT_EQ(program.state(), QProcess::Running);
}

} // namespace
