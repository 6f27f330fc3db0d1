// The macro file format byte for byte, loading of damaged files, lookup by name
// and the reset to the default macros.

#include "app/AppState.h"
#include "macros/MacroFile.h"
#include "platform/ini/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <random>
#include <thread>

namespace vux {
namespace {

QString repeatField(const char* field, int times) {
    QString s;
    for (int i = 0; i < times; ++i)
        s += QLatin1String(field);
    return s;
}

// The macro "A": no repetition, repeat count 1, A down and A up, 30 ms after each.
MacroSlot exampleMacro() {
    MacroSlot m{};
    setMacroName(m, QStringLiteral("A"));
    m.repeatEnabled = 0;
    m.repeatCount = 1;
    m.eventCount = 2;
    m.events[0] = {65, kActionDown};
    m.events[1] = {65, kActionUp};
    m.delays[0] = 30;
    m.delays[1] = 30;
    return m;
}

QString exampleLine() {
    return QStringLiteral("065") + repeatField("000", 39) + QStringLiteral("000001000002") +
           QStringLiteral("065001030000") + QStringLiteral("065002030000") +
           repeatField("000", 1012);
}

bool sameBytes(const MacroSlot& a, const MacroSlot& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

MacroSlot randomMacro(std::mt19937& rng, int index) {
    std::uniform_int_distribution<int> byte(0, 255);
    MacroSlot m{};
    auto* raw = reinterpret_cast<uint8_t*>(&m);
    for (size_t i = 0; i < sizeof m; ++i)
        raw[i] = static_cast<uint8_t>(byte(rng));
    // Names are what the editor stores: up to 19 units, ending in a NUL.
    std::memset(m.name, 0, sizeof m.name);
    setMacroName(m, QStringLiteral("Macro %1 é宏").arg(index));
    return m;
}

class MacroFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    void writeFile(const QString& name, const QByteArray& content) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray readFile(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void setTable(const std::vector<MacroSlot>& macros) {
        std::lock_guard guard(table.lock);
        for (size_t i = 0; i < macros.size(); ++i)
            table.slotAt(static_cast<int>(i)) = macros[i];
        table.macroCount = static_cast<int16_t>(macros.size());
    }

    QTemporaryDir dir;
    MacroTable table;
};

TEST(MacroFormat, PadField3WritesThreeDigits) {
    struct Case {
        uint8_t value;
        const char* text;
    } cases[] = {{0, "000"},  {5, "005"},  {9, "009"},   {10, "010"},
                 {30, "030"}, {99, "099"}, {100, "100"}, {255, "255"}};
    for (const Case& c : cases)
        EXPECT_EQ(padField3(QStringLiteral("x"), c.value),
                  QStringLiteral("x") + QLatin1String(c.text))
            << int(c.value);
}

TEST(MacroFormat, FieldsInterleaveEventsWithTheirDelays) {
    EXPECT_EQ(macroFieldOffset(0), 0);
    EXPECT_EQ(macroFieldOffset(43), 43);
    EXPECT_EQ(macroFieldOffset(44), 44);  // keyCode of event 0
    EXPECT_EQ(macroFieldOffset(45), 45);  // action of event 0
    EXPECT_EQ(macroFieldOffset(46), 554); // delay 0, low byte
    EXPECT_EQ(macroFieldOffset(47), 555); // delay 0, high byte
    EXPECT_EQ(macroFieldOffset(48), 46);  // keyCode of event 1
    EXPECT_EQ(macroFieldOffset(1062), 1062);
    EXPECT_EQ(macroFieldOffset(1063), 1063); // high byte of the last delay
    // Every record byte is carried by exactly one field.
    std::vector<int> seen(sizeof(MacroSlot), 0);
    for (int d = 0; d < kMacroFieldCount; ++d)
        ++seen.at(static_cast<size_t>(macroFieldOffset(d)));
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; }));
}

TEST(MacroFormat, ExampleMacroEncodesToItsGoldenLine) {
    const QString line = encodeMacroLine(exampleMacro());
    EXPECT_EQ(line.size(), kMacroLineLength);
    EXPECT_EQ(line, exampleLine());
    EXPECT_TRUE(sameBytes(decodeMacroLine(exampleLine()), exampleMacro()));
}

TEST(MacroFormat, DelayAndRepeatCountAreLittleEndianPairs) {
    MacroSlot m{};
    m.repeatCount = 1000;
    m.delays[0] = 300;
    m.delays[254] = 0xABCD;
    const QString line = encodeMacroLine(m);
    EXPECT_EQ(line.mid(41 * 3, 6), QStringLiteral("232003"));
    EXPECT_EQ(line.mid(46 * 3, 6), QStringLiteral("044001"));
    EXPECT_EQ(line.right(6), QStringLiteral("205171"));
}

TEST(MacroFormat, DamagedFieldsReadAsDecimalTextToInteger) {
    struct Case {
        QString line;
        uint8_t byte0;
    } cases[] = {
        {QStringLiteral("065"), 65},  {QStringLiteral("65"), 65},  {QStringLiteral("6"), 6},
        {QStringLiteral(""), 0},      {QStringLiteral("abc"), 0},  {QStringLiteral("6x5"), 6},
        {QStringLiteral(" 65"), 65},  {QStringLiteral("+65"), 65}, {QStringLiteral("-01"), 255},
        {QStringLiteral("999"), 231}, {QStringLiteral("256"), 0},  {QStringLiteral("--1"), 0},
        {QStringLiteral("\t 7"), 7},  {QStringLiteral("٣٣٣"), 0}, // non-ASCII digits are not digits
    };
    for (const Case& c : cases) {
        const MacroSlot m = decodeMacroLine(c.line);
        EXPECT_EQ(reinterpret_cast<const uint8_t*>(&m)[0], c.byte0) << c.line.toStdString();
        EXPECT_EQ(m.eventCount, 0);
    }
}

TEST(MacroFormat, ShortLineLeavesLaterFieldsZero) {
    const QString full = encodeMacroLine(exampleMacro());
    // Cut in the middle of the second event's key code.
    const MacroSlot m = decodeMacroLine(full.left(48 * 3 + 2));
    EXPECT_EQ(m.eventCount, 2);
    EXPECT_EQ(m.events[0].keyCode, 65);
    EXPECT_EQ(int{m.delays[0]}, 30);
    EXPECT_EQ(m.events[1].keyCode, 6); // "06" of "065"
    EXPECT_EQ(m.events[1].action, 0);
    EXPECT_EQ(int{m.delays[1]}, 0);
}

TEST(MacroFormat, NameEndsWithinItsFortyBytesWhateverTheFileHolds) {
    const QString line = repeatField("065", kMacroFieldCount);
    const MacroSlot m = decodeMacroLine(line);
    EXPECT_EQ(int{m.name[19]}, 0);
    EXPECT_EQ(macroName(m).size(), 19);
    EXPECT_EQ(macroName(m), QString(19, QChar(0x4141)));
}

TEST(MacroFormat, LongNamesAreCutWithoutSplittingACharacter) {
    MacroSlot m{};
    setMacroName(m, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ(macroName(m), QStringLiteral("abcdefghijklmnopqrs"));
    EXPECT_EQ(int{m.name[19]}, 0);
    // 18 units, then a surrogate pair: the pair does not fit and is dropped whole.
    setMacroName(m, QString(18, u'x') + QStringLiteral("😀"));
    EXPECT_EQ(macroName(m), QString(18, u'x'));
    EXPECT_EQ(int{m.name[18]}, 0);
    setMacroName(m, QStringLiteral("宏"));
    EXPECT_EQ(macroName(m), QStringLiteral("宏"));
    EXPECT_EQ(int{m.name[1]}, 0);
}

TEST(MacroFormat, MacroCountIsClippedToTheTable) {
    EXPECT_EQ(decodeMacroCount(QStringLiteral("")), 0);
    EXPECT_EQ(decodeMacroCount(QStringLiteral("x")), 0);
    EXPECT_EQ(decodeMacroCount(QStringLiteral("5")), 5);
    EXPECT_EQ(decodeMacroCount(QStringLiteral("12")), 12);
    EXPECT_EQ(decodeMacroCount(QStringLiteral("13")), 12);
    EXPECT_EQ(decodeMacroCount(QStringLiteral("99")), 12);
    EXPECT_EQ(decodeMacroCount(QStringLiteral("-1")), 0);
    EXPECT_EQ(decodeMacroCount(QStringLiteral("99999999999")), 12);
}

TEST_F(MacroFileTest, ExampleMacroFileIsWrittenByteForByte) {
    setTable({exampleMacro()});
    ASSERT_TRUE(saveMacroFile(table, path("Macro_EN.dat")));
    const QByteArray expected =
        QByteArray("[Macros]\r\nmacroNum=1\r\n0=") + exampleLine().toLatin1() + QByteArray("\r\n");
    EXPECT_EQ(readFile("Macro_EN.dat"), expected);
}

TEST_F(MacroFileTest, SaveThenLoadRestoresEveryByte) {
    std::mt19937 rng(4711);
    std::vector<MacroSlot> macros;
    for (int i = 0; i < kMacroMax; ++i)
        macros.push_back(randomMacro(rng, i));
    setTable(macros);
    ASSERT_TRUE(saveMacroFile(table, path("all.dat")));

    MacroTable loaded;
    ASSERT_TRUE(loadMacroFile(loaded, path("all.dat")));
    ASSERT_EQ(loaded.macroCount, kMacroMax);
    EXPECT_EQ(loaded.selectedMacro, kMacroMax - 1);
    for (int i = 0; i < kMacroMax; ++i)
        EXPECT_TRUE(sameBytes(loaded.snapshot(i), macros[static_cast<size_t>(i)])) << i;
    // The blank entry the recorder copies from is never touched.
    EXPECT_TRUE(sameBytes(loaded.snapshot(12), MacroSlot{}));
}

TEST_F(MacroFileTest, EmptyTableWritesOnlyTheCount) {
    ASSERT_TRUE(saveMacroFile(table, path("empty.dat")));
    EXPECT_EQ(readFile("empty.dat"), QByteArray("[Macros]\r\nmacroNum=0\r\n"));
    MacroTable loaded;
    loaded.selectedMacro = 7;
    EXPECT_TRUE(loadMacroFile(loaded, path("empty.dat")));
    EXPECT_EQ(loaded.macroCount, 0);
    EXPECT_EQ(loaded.selectedMacro, 0);
}

TEST_F(MacroFileTest, MissingEntryKeyLoadsAllZero) {
    writeFile("gap.dat", QByteArray("[Macros]\r\nmacroNum=3\r\n0=") + exampleLine().toLatin1() +
                             QByteArray("\r\n1=") + exampleLine().toLatin1() + QByteArray("\r\n"));
    setTable({exampleMacro(), exampleMacro(), exampleMacro()});
    ASSERT_TRUE(loadMacroFile(table, path("gap.dat")));
    EXPECT_EQ(table.macroCount, 3);
    EXPECT_TRUE(sameBytes(table.snapshot(1), exampleMacro()));
    EXPECT_TRUE(sameBytes(table.snapshot(2), MacroSlot{}));
}

TEST_F(MacroFileTest, FewerMacrosLeaveOldKeysThatLoadingIgnores) {
    std::mt19937 rng(1);
    setTable({randomMacro(rng, 0), randomMacro(rng, 1), randomMacro(rng, 2)});
    ASSERT_TRUE(saveMacroFile(table, path("m.dat")));
    const MacroSlot third = table.snapshot(2);
    table.macroCount = 2;
    ASSERT_TRUE(saveMacroFile(table, path("m.dat")));
    EXPECT_EQ(ini::readString(path("m.dat"), "Macros", "2", kMacroLineLength + 1),
              encodeMacroLine(third));

    MacroTable loaded;
    {
        std::lock_guard guard(loaded.lock);
        loaded.slotAt(2) = exampleMacro();
    }
    ASSERT_TRUE(loadMacroFile(loaded, path("m.dat")));
    EXPECT_EQ(loaded.macroCount, 2);
    EXPECT_TRUE(sameBytes(loaded.snapshot(2), exampleMacro())); // left as it was
}

TEST_F(MacroFileTest, MissingFileLoadsNoMacrosAndKeepsTheEntries) {
    setTable({exampleMacro()});
    table.selectedMacro = 0;
    EXPECT_FALSE(loadMacroFile(table, path("nothing.dat")));
    EXPECT_EQ(table.macroCount, 0);
    EXPECT_EQ(table.selectedMacro, 0);
    EXPECT_TRUE(sameBytes(table.snapshot(0), exampleMacro()));
}

TEST_F(MacroFileTest, HostileCountIsClippedAndNeverReachesTheBlankEntry) {
    QByteArray text("[Macros]\r\nmacroNum=99\r\n");
    const QByteArray hostile = repeatField("255", kMacroFieldCount).toLatin1();
    for (int i = 0; i < 20; ++i)
        text += QByteArray::number(i) + '=' + hostile + "\r\n";
    writeFile("hostile.dat", text);
    ASSERT_TRUE(loadMacroFile(table, path("hostile.dat")));
    EXPECT_EQ(table.macroCount, kMacroMax);
    EXPECT_EQ(table.selectedMacro, kMacroMax - 1);
    const MacroSlot m = table.snapshot(11);
    EXPECT_EQ(m.eventCount, 255);
    EXPECT_EQ(int{m.name[19]}, 0);
    EXPECT_TRUE(sameBytes(table.snapshot(12), MacroSlot{}));

    writeFile("negative.dat", "[Macros]\r\nmacroNum=-5\r\n0=" + hostile + "\r\n");
    ASSERT_TRUE(loadMacroFile(table, path("negative.dat")));
    EXPECT_EQ(table.macroCount, 0);
}

TEST_F(MacroFileTest, CountIsReadFromTwoCharacters) {
    writeFile("three.dat", "[macros]\r\nMACRONUM=123\r\n");
    ASSERT_TRUE(loadMacroFile(table, path("three.dat")));
    EXPECT_EQ(table.macroCount, 12); // "12" of "123"
}

TEST_F(MacroFileTest, FindMacroByNameIsExactAndCaseSensitive) {
    MacroSlot copy = exampleMacro(), paste = exampleMacro(), stale = exampleMacro();
    setMacroName(copy, QStringLiteral("Copy"));
    setMacroName(paste, QStringLiteral("Paste"));
    setMacroName(stale, QStringLiteral("Stale"));
    setTable({copy, paste, stale});
    table.macroCount = 2; // the third entry is no longer in use
    EXPECT_EQ(findMacroByName(table, QStringLiteral("Copy")), 0);
    EXPECT_EQ(findMacroByName(table, QStringLiteral("Paste")), 1);
    EXPECT_EQ(findMacroByName(table, QStringLiteral("copy")), 2);
    EXPECT_EQ(findMacroByName(table, QStringLiteral("Cop")), 2);
    EXPECT_EQ(findMacroByName(table, QStringLiteral("Stale")), 2);
}

TEST_F(MacroFileTest, LoadingWhileThePlayerCopiesAnEntryNeverTearsIt) {
    std::mt19937 rng(11);
    std::vector<MacroSlot> first, second;
    for (int i = 0; i < kMacroMax; ++i)
        first.push_back(randomMacro(rng, i));
    for (int i = 0; i < 3; ++i)
        second.push_back(randomMacro(rng, 100 + i));
    setTable(first);
    ASSERT_TRUE(saveMacroFile(table, path("first.dat")));
    setTable(second);
    ASSERT_TRUE(saveMacroFile(table, path("second.dat")));

    std::atomic<bool> done{false};
    std::thread player([&] {
        int checked = 0;
        while (!done.load() || checked == 0) {
            const int count = table.macroCount;
            for (int i = 0; i < count; ++i) {
                const MacroSlot copy = table.snapshot(i);
                const bool whole = sameBytes(copy, first[static_cast<size_t>(i)]) ||
                                   (i < 3 && sameBytes(copy, second[static_cast<size_t>(i)]));
                EXPECT_TRUE(whole) << "entry " << i;
                ++checked;
            }
        }
    });
    for (int round = 0; round < 40; ++round)
        loadMacroFile(table, path(round % 2 ? "first.dat" : "second.dat"));
    done = true;
    player.join();
}

class MacroResetTest : public MacroFileTest {
protected:
    void SetUp() override {
        state.shell.appFolder = dir.path();
        state.shell.skinsFolder = dir.filePath("skins");
        QDir(dir.path()).mkpath("skins/INI_EN");
        QDir(dir.path()).mkpath("skins/INI_CN");
        state.hooks.requestRepaint = [this] { ++repaints; };
    }
    AppState state;
    int repaints = 0;
};

TEST_F(MacroResetTest, DefaultsAreLoadedAndSavedAsTheUserFile) {
    MacroSlot def = exampleMacro();
    setMacroName(def, QStringLiteral("Default"));
    setTable({def});
    // The delivered file in a foreign layout: lower-case names, blanks, extra keys.
    writeFile("skins/INI_EN/defMacro.dat", QByteArray("; defaults\n[macros]\nMACRONUM = 1\n0 = ") +
                                               encodeMacroLine(def).toLatin1() + "\n5=junk\n");
    writeFile("Macro_EN.dat", "[Macros]\r\nmacroNum=0\r\n");
    state.shell.isEnglish = 1;
    state.view.viewMode = 0;
    int refreshed = 0;
    ASSERT_TRUE(resetMacrosToDefault(state, [&] { ++refreshed; }));
    EXPECT_EQ(state.macros.macroCount, 1);
    EXPECT_EQ(macroName(state.macros.snapshot(0)), QStringLiteral("Default"));
    EXPECT_EQ(refreshed, 0);
    EXPECT_EQ(repaints, 0);
    // The user file comes out in the writer's layout, not as a copy.
    EXPECT_EQ(readFile("Macro_EN.dat"), QByteArray("[Macros]\r\nmacroNum=1\r\n0=") +
                                            encodeMacroLine(def).toLatin1() + "\r\n");
}

TEST_F(MacroResetTest, ChineseInterfaceUsesItsOwnFilesAndRefreshesTheMacroPage) {
    setTable({exampleMacro(), exampleMacro()});
    ASSERT_TRUE(saveMacroFile(table, path("skins/INI_CN/defMacro.dat")));
    state.shell.isEnglish = 0;
    state.view.viewMode = 1;
    int refreshed = 0;
    ASSERT_TRUE(resetMacrosToDefault(state, [&] { ++refreshed; }));
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(state.macros.macroCount, 2);
    EXPECT_EQ(readFile("Macro_CN.dat"), readFile("skins/INI_CN/defMacro.dat"));
    EXPECT_FALSE(QFile::exists(path("Macro_EN.dat")));
}

TEST_F(MacroResetTest, MissingDefaultsLeaveTheUsersMacrosAlone) {
    std::mt19937 rng(3);
    std::vector<MacroSlot> mine = {randomMacro(rng, 0), randomMacro(rng, 1)};
    {
        std::lock_guard guard(state.macros.lock);
        state.macros.slotAt(0) = mine[0];
        state.macros.slotAt(1) = mine[1];
        state.macros.macroCount = 2;
    }
    ASSERT_TRUE(saveMacroFile(state.macros, path("Macro_EN.dat")));
    const QByteArray before = readFile("Macro_EN.dat");
    state.shell.isEnglish = 1;
    EXPECT_FALSE(resetMacrosToDefault(state));
    EXPECT_EQ(state.macros.macroCount, 2);
    EXPECT_TRUE(sameBytes(state.macros.snapshot(1), mine[1]));
    EXPECT_EQ(readFile("Macro_EN.dat"), before);
}

} // namespace
} // namespace vux
