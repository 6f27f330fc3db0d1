#include "settings/ProfileStore.h"

#include "app/AppState.h"
#include "platform/ini/IniFile.h"
#include "settings/ProfileSettings.h"
#include "tests/settings/ProfileValues.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace vux {
namespace {

using test::valuesOf;

class ProfileStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    AppState state;
    QString path() const { return dir.filePath("config.ini"); }

    void put(const std::string& bytes) const {
        std::ofstream(QFile::encodeName(path()).constData(), std::ios::binary) << bytes;
    }
    std::string bytes() const {
        std::ifstream in(QFile::encodeName(path()).constData(), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    // Every field set to something a load must overwrite.
    void scribble() {
        for (std::size_t i = 0; i < kButtonCount; ++i)
            state.profile.keyFunc[i] = 99;
        state.profile.wheelStatus = 9;
        state.profile.macroMode = 9;
        state.profile.dpiLevel = 9;
        for (std::size_t j = 0; j < kDpiLevelCount; ++j) {
            state.profile.dpiSet[j] = 9;
            state.profile.dpiEnabled[j] = 9;
            state.derived.dpiInForce[j] = 9;
            state.derived.dpiArea[j] = 9;
        }
        state.profile.ledStatus = 9;
        state.profile.pointerSpeed = 9;
        state.profile.wheelSpeed = 9;
        state.profile.fireTime = 999;
    }
};

const char* const kFullSection =
    "K1=1\r\nK2=2\r\nK3=3\r\nK4=31\r\nK5=32\r\nK6=6\r\nK7=17\r\nK8=41\r\n"
    "DPI_LEVEL=2\r\nWHEEL_STATUS=1\r\nMACRO_MODE2=1\r\n"
    "DPI_SET1=0\r\nDPI_SET_EN1=1\r\nDPI_SET2=1\r\nDPI_SET_EN2=0\r\n"
    "DPI_SET3=3\r\nDPI_SET_EN3=1\r\nDPI_SET4=4\r\nDPI_SET_EN4=1\r\n"
    "LED_STATUS=3\r\nDPI_SPEED=9\r\nWHEEL_SPEED=5\r\nFIRE_TIME=300\r\n";

TEST_F(ProfileStoreTest, LoadsEveryKeyAndDerivedValue) {
    put(std::string("[Config2]\r\n") + kFullSection);
    scribble();
    loadProfile(state, path(), 2, false);
    test::ProfileValues expected;
    expected.keyFunc = {1, 2, 3, 31, 32, 6, 17, 41};
    expected.wheelStatus = 1;
    expected.macroMode = 1;
    expected.dpiLevel = 2;
    expected.dpiSet = {0, 1, 3, 4};
    expected.dpiEnabled = {1, 0, 1, 1};
    expected.dpiInForce = {0, 1, 3, 4};
    expected.dpiArea = {60, 66, 73, 79};
    expected.ledStatus = 3;
    expected.pointerSpeed = 9;
    expected.wheelSpeed = 5;
    expected.fireTime = 300;
    EXPECT_EQ(valuesOf(state), expected);
    EXPECT_EQ(state.shell.profileSection.get(), "Config2");
}

TEST_F(ProfileStoreTest, SectionWithoutKeysAndMissingFileLoadAsZeros) {
    test::ProfileValues zeros;
    zeros.dpiArea = {60, 65, 70, 75};
    put("[Config1]\r\n[Config3]\r\nK1=1\r\n");
    scribble();
    loadProfile(state, path(), 1, false);
    EXPECT_EQ(valuesOf(state), zeros);

    scribble();
    loadProfile(state, dir.filePath("absent.ini"), 1, false);
    EXPECT_EQ(valuesOf(state), zeros);

    // Without "CurConfig" start-up asks for profile 0.
    scribble();
    loadProfile(state, path(), 0, false);
    EXPECT_EQ(valuesOf(state), zeros);
    EXPECT_EQ(state.shell.profileSection.get(), "Config0");
}

TEST_F(ProfileStoreTest, AnyNonzeroEnableFlagLoadsAsOneAndSavesAsOne) {
    put("[Config1]\r\nDPI_SET_EN2=7\r\nDPI_SET_EN3=-1\r\nDPI_SET_EN4=256\r\n");
    loadProfile(state, path(), 1, false);
    EXPECT_EQ(state.profile.dpiEnabled[0], 0);
    EXPECT_EQ(state.profile.dpiEnabled[1], 1);
    EXPECT_EQ(state.profile.dpiEnabled[2], 1);
    EXPECT_EQ(state.profile.dpiEnabled[3], 1) << "256 is nonzero before it is stored";
    saveProfile(state, path(), 1);
    EXPECT_EQ(ini::readString(path(), "Config1", "DPI_SET_EN2", 10), "1");
    EXPECT_EQ(ini::readString(path(), "Config1", "DPI_SET_EN4", 10), "1");
}

TEST_F(ProfileStoreTest, NarrowFieldsKeepTheLowEightBits) {
    put("[Config1]\r\nDPI_SET1=260\r\nLED_STATUS=259\r\nDPI_SPEED=-1\r\nWHEEL_SPEED=512\r\n");
    loadProfile(state, path(), 1, false);
    EXPECT_EQ(state.profile.dpiSet[0], 4);
    EXPECT_EQ(state.derived.dpiInForce[0], 4);
    EXPECT_EQ(state.derived.dpiArea[0], 64);
    EXPECT_EQ(state.profile.ledStatus, 3);
    EXPECT_EQ(state.profile.pointerSpeed, 255);
    EXPECT_EQ(state.profile.wheelSpeed, 0);
}

// Values are cut to the read buffer before they are converted.
TEST_F(ProfileStoreTest, LongValuesAreCutBeforeConversion) {
    put("[Config1]\r\nK1=12345\r\nFIRE_TIME=30000\r\nDPI_LEVEL=-1234\r\n"
        "DPI_SET2=1234567890\r\nDPI_SET_EN1=0000000001\r\nDPI_SET_EN3=0000000010\r\n");
    loadProfile(state, path(), 1, false);
    EXPECT_EQ(state.profile.keyFunc[0], 1234);
    EXPECT_EQ(state.profile.fireTime, 3000);
    EXPECT_EQ(state.profile.dpiLevel, -123);
    EXPECT_EQ(state.profile.dpiSet[1], static_cast<uint8_t>(123456789));
    EXPECT_EQ(state.profile.dpiEnabled[0], 0) << "the 1 is beyond the nine characters read";
    EXPECT_EQ(state.profile.dpiEnabled[2], 1);
}

TEST_F(ProfileStoreTest, OutOfRangeValuesAreStoredAsRead) {
    put("[Config1]\r\nK1=7\r\nK2=-5\r\nDPI_LEVEL=7\r\nFIRE_TIME=-40\r\n");
    loadProfile(state, path(), 1, false);
    EXPECT_EQ(state.profile.keyFunc[0], 7);
    EXPECT_EQ(state.profile.keyFunc[1], -5);
    EXPECT_EQ(state.profile.dpiLevel, 7);
    EXPECT_EQ(dpiLevelIndex(state.profile.dpiLevel), 3u);
    EXPECT_EQ(state.profile.fireTime, -40);
}

TEST_F(ProfileStoreTest, NamesMatchRegardlessOfCase) {
    put("[config1]\r\nk1=7\r\ndpi_set1=3\r\nDpi_Set_En1=1\r\n");
    loadProfile(state, path(), 1, false);
    EXPECT_EQ(state.profile.keyFunc[0], 7);
    EXPECT_EQ(state.profile.dpiSet[0], 3);
    EXPECT_EQ(state.profile.dpiEnabled[0], 1);
}

TEST_F(ProfileStoreTest, FactorySections) {
    put("[Config5]\r\nK1=1\r\n[CfgReset5]\r\nK1=5\r\n[CfgReset_EN5]\r\nK1=55\r\n[CfgReset3]\r\nK1="
        "3\r\n");
    struct Case {
        int isEnglish;
        int profile;
        bool factory;
        const char* section;
        int k1;
    };
    const Case cases[] = {
        {1, 5, true, "CfgReset_EN5", 55}, {0, 5, true, "CfgReset5", 5},
        {2, 5, true, "CfgReset5", 5},     {-1, 5, true, "CfgReset5", 5},
        {1, 3, true, "CfgReset3", 3},     {1, 5, false, "Config5", 1},
    };
    for (const Case& c : cases) {
        state.shell.isEnglish = c.isEnglish;
        loadProfile(state, path(), c.profile, c.factory);
        EXPECT_EQ(state.shell.profileSection.get(), c.section) << c.isEnglish << " " << c.profile;
        EXPECT_EQ(state.profile.keyFunc[0], c.k1) << c.section;
    }
}

TEST_F(ProfileStoreTest, SaveIntoNewSectionWritesKeysInOrder) {
    put("[Init]\r\nCurConfig=1\r\n");
    setFactoryProfile(state);
    state.profile.keyFunc[7] = -5;
    state.profile.dpiEnabled[2] = 0;
    state.profile.dpiSet[3] = 200;
    state.profile.macroMode = 1;
    saveProfile(state, path(), 6);
    EXPECT_EQ(bytes(), "[Init]\r\nCurConfig=1\r\n[Config6]\r\n"
                       "K1=1\r\nK2=2\r\nK3=3\r\nK4=5\r\nK5=4\r\nK6=18\r\nK7=17\r\nK8=-5\r\n"
                       "DPI_LEVEL=0\r\nWHEEL_STATUS=0\r\nMACRO_MODE2=1\r\n"
                       "DPI_SET1=1\r\nDPI_SET_EN1=1\r\nDPI_SET2=2\r\nDPI_SET_EN2=1\r\n"
                       "DPI_SET3=4\r\nDPI_SET_EN3=0\r\nDPI_SET4=200\r\nDPI_SET_EN4=1\r\n"
                       "LED_STATUS=0\r\nDPI_SPEED=4\r\nWHEEL_SPEED=2\r\nFIRE_TIME=50\r\n");
    EXPECT_EQ(state.shell.profileSection.get(), "Config6");
}

TEST_F(ProfileStoreTest, SaveReplacesInPlaceAndKeepsTheRest) {
    put("; my "
        "settings\r\n[Config1]\r\nFIRE_TIME=10\r\nK1=2\r\nCUSTOM=x\r\n\r\n[Config2]\r\nK1=9\r\n");
    setFactoryProfile(state);
    saveProfile(state, path(), 1);
    const std::string after = bytes();
    EXPECT_EQ(after.rfind(
                  "; my settings\r\n[Config1]\r\nFIRE_TIME=50\r\nK1=1\r\nCUSTOM=x\r\nK2=2\r\n", 0),
              0u)
        << after;
    EXPECT_NE(after.find("WHEEL_SPEED=2\r\n\r\n[Config2]\r\nK1=9\r\n"), std::string::npos) << after;
}

TEST_F(ProfileStoreTest, SaveThenLoadRoundTrips) {
    setFactoryProfile(state);
    state.profile.keyFunc[3] = 41;
    state.profile.dpiLevel = 3;
    state.profile.dpiSet[0] = 4;
    state.profile.ledStatus = 2;
    state.profile.fireTime = 120;
    saveProfile(state, path(), 4);
    // dpiArea and dpiInForce follow dpiSet after a load.
    state.derived.dpiInForce[0] = 4;
    state.derived.dpiArea[0] = dpiAreaOf(0, 4);
    const test::ProfileValues saved = valuesOf(state);
    AppState fresh;
    loadProfile(fresh, path(), 4, false);
    EXPECT_EQ(valuesOf(fresh), saved);
}

TEST_F(ProfileStoreTest, FailedSaveLeavesNothingHalfWritten) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("config.ini"));
    setFactoryProfile(state);
    saveProfile(state, path(), 1); // failure is silent
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(ProfileStoreTest, SaveDpiLevelWritesOnlyThatKey) {
    put("[Config3]\r\nK1=1\r\nDPI_LEVEL=0\r\nFIRE_TIME=50\r\n");
    state.profile.dpiLevel = 2;
    state.profile.keyFunc[0] = 7;
    saveDpiLevel(state, path(), 3);
    EXPECT_EQ(bytes(), "[Config3]\r\nK1=1\r\nDPI_LEVEL=2\r\nFIRE_TIME=50\r\n");
    saveDpiLevel(state, path(), 6);
    EXPECT_EQ(ini::readString(path(), "Config6", "DPI_LEVEL", 5), "2");
}

TEST_F(ProfileStoreTest, ReadLanguage) {
    const std::pair<const char*, int> cases[] = {
        {"[Init]\r\nVER_SEL=1\r\n", 1},   {"[Init]\r\nVER_SEL=0\r\n", 0},
        {"[Init]\r\nVER_SEL=257\r\n", 1}, {"[Init]\r\nVER_SEL=256\r\n", 0},
        {"[Init]\r\nVER_SEL=abc\r\n", 0}, {"[Init]\r\nVER_SEL=12345\r\n", 1234 % 256},
        {"[init]\r\nver_sel=2\r\n", 2},   {"", 0},
    };
    for (const auto& [file, expected] : cases) {
        put(file);
        EXPECT_EQ(readLanguage(path()), expected) << file;
    }
    EXPECT_EQ(readLanguage(dir.filePath("absent.ini")), 0);
}

} // namespace
} // namespace vux
