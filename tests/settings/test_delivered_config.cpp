// The config.ini delivered beside the program: real, sane profiles on first start.
#include "app/AppState.h"
#include "platform/ini/IniFile.h"
#include "settings/FunctionCodes.h"
#include "settings/ProfileSettings.h"
#include "settings/ProfileStore.h"
#include "tests/settings/ProfileValues.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vux {
namespace {

const QString kDelivered = QStringLiteral(VUX_DELIVERED_CONFIG);

const QStringList kProfileKeys = {
    "K1",          "K2",         "K3",          "K4",           "K5",          "K6",
    "K7",          "K8",         "DPI_LEVEL",   "WHEEL_STATUS", "MACRO_MODE2", "DPI_SET1",
    "DPI_SET_EN1", "DPI_SET2",   "DPI_SET_EN2", "DPI_SET3",     "DPI_SET_EN3", "DPI_SET4",
    "DPI_SET_EN4", "LED_STATUS", "DPI_SPEED",   "WHEEL_SPEED",  "FIRE_TIME"};

const QStringList kSections = {"Config1",   "Config2",   "Config3",     "Config4",
                               "Config5",   "Config6",   "CfgReset2",   "CfgReset3",
                               "CfgReset4", "CfgReset5", "CfgReset_EN5"};

std::string fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

test::ProfileValues load(const QString& path, int n, bool factory, int isEnglish = 0) {
    AppState state;
    state.shell.isEnglish = isEnglish;
    loadProfile(state, path, n, factory);
    return test::valuesOf(state);
}

// The keys of a section in file order, read line by line.
QStringList keysOf(const std::string& bytes, const QString& section) {
    QStringList keys;
    bool inSection = false;
    for (const QString& line : QString::fromStdString(bytes).split("\r\n")) {
        if (line.startsWith('[')) {
            inSection = line == "[" + section + "]";
        } else if (inSection && line.contains('=')) {
            keys << line.section('=', 0, 0);
        }
    }
    return keys;
}

TEST(DeliveredConfig, InitSelectsProfileOneInEnglish) {
    EXPECT_EQ(ini::readString(kDelivered, "Init", "CurConfig", 5), "1");
    EXPECT_EQ(ini::readString(kDelivered, "Init", "VER_SEL", 5), "1");
}

TEST(DeliveredConfig, FileIsCrLfUtf8WithoutBom) {
    const std::string bytes = fileBytes(kDelivered);
    ASSERT_FALSE(bytes.empty());
    EXPECT_NE(bytes.rfind("[Init]\r\n", 0), std::string::npos);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
}

TEST(DeliveredConfig, EverySectionHoldsEveryKeyInSaveOrder) {
    const std::string bytes = fileBytes(kDelivered);
    for (const QString& section : kSections)
        EXPECT_EQ(keysOf(bytes, section), kProfileKeys) << section.toStdString();
}

TEST(DeliveredConfig, EveryProfileIsInRangeAndUsable) {
    for (const QString& section : kSections) {
        SCOPED_TRACE(section.toStdString());
        for (const QString& key : kProfileKeys) {
            const QString text = ini::readString(kDelivered, section, key, 10);
            EXPECT_EQ(QString::number(ini::wtoi(text)), text) << key.toStdString();
        }
        AppState state;
        state.shell.isEnglish = section == "CfgReset_EN5" ? 1 : 0;
        if (section.startsWith("Config"))
            loadProfile(state, kDelivered, section.mid(6).toInt(), false);
        else if (section == "CfgReset_EN5")
            loadProfile(state, kDelivered, 5, true);
        else
            loadProfile(state, kDelivered, section.mid(8).toInt(), true);
        ASSERT_EQ(state.shell.profileSection.get(), section);

        const ProfileSettings& p = state.profile;
        bool leftClick = false;
        for (std::size_t i = 0; i < kButtonCount; ++i) {
            EXPECT_TRUE(isInFunctionTable(p.keyFunc[i])) << "K" << i + 1;
            EXPECT_NE(p.keyFunc[i], 0) << "K" << i + 1;
            leftClick = leftClick || p.keyFunc[i] == kLeftClickCode;
        }
        EXPECT_TRUE(leftClick);
        EXPECT_GE(p.wheelStatus, 0);
        EXPECT_LE(p.wheelStatus, 1);
        EXPECT_EQ(p.macroMode, 0);
        ASSERT_GE(p.dpiLevel, 0);
        ASSERT_LE(p.dpiLevel, 3);
        EXPECT_EQ(p.dpiEnabled[static_cast<std::size_t>(p.dpiLevel.load())], 1)
            << "the level in force is enabled";
        for (std::size_t j = 0; j < kDpiLevelCount; ++j)
            EXPECT_LE(p.dpiSet[j], 4);
        EXPECT_LE(p.ledStatus, 3);
        EXPECT_LE(p.pointerSpeed, 9);
        EXPECT_LE(p.wheelSpeed, 9);
        EXPECT_GE(p.fireTime, 0);
        EXPECT_LE(p.fireTime, 300);
    }
}

TEST(DeliveredConfig, UserProfilesStartAsTheFactoryOnes) {
    AppState factory;
    setFactoryProfile(factory);
    factory.profile.macroMode = 0;
    const test::ProfileValues factoryValues = test::valuesOf(factory);
    EXPECT_EQ(load(kDelivered, 1, false), factoryValues);
    EXPECT_EQ(load(kDelivered, 6, false), factoryValues);
    for (int n = 2; n <= 5; ++n)
        EXPECT_EQ(load(kDelivered, n, false), load(kDelivered, n, true)) << n;
}

TEST(DeliveredConfig, FactoryProfilesAreDistinct) {
    std::vector<test::ProfileValues> profiles{load(kDelivered, 1, false)};
    for (int n = 2; n <= 5; ++n)
        profiles.push_back(load(kDelivered, n, true));
    profiles.push_back(load(kDelivered, 5, true, 1));
    for (std::size_t a = 0; a < profiles.size(); ++a)
        for (std::size_t b = a + 1; b < profiles.size(); ++b)
            EXPECT_NE(profiles[a], profiles[b]) << a << " and " << b;
}

// Saving a delivered profile unchanged gives back the same bytes: the file is
// in exactly the form the program writes.
TEST(DeliveredConfig, SavingUnchangedProfilesChangesNoByte) {
    QTemporaryDir dir;
    const QString copy = dir.filePath("config.ini");
    ASSERT_TRUE(QFile::copy(kDelivered, copy));
    for (int n = 1; n <= 6; ++n) {
        AppState state;
        loadProfile(state, copy, n, false);
        saveProfile(state, copy, n);
    }
    EXPECT_EQ(fileBytes(copy), fileBytes(kDelivered));
}

} // namespace
} // namespace vux
