// The default macro files delivered in skins/: written by the program's own
// writer from the definitions of tools/default-macros, and sound macros.

#include "macros/KeyNames.h"
#include "macros/MacroFile.h"
#include "tools/default-macros/DefaultMacros.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

namespace vux {
namespace {

QString deliveredFile(bool english) {
    return QStringLiteral(VUX_SOURCE_DIR) + (english
                                                 ? QStringLiteral("/skins/INI_EN/defMacro.dat")
                                                 : QStringLiteral("/skins/INI_CN/defMacro.dat"));
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(DefaultMacros, DeliveredFilesAreWhatTheGeneratorWrites) {
    QTemporaryDir dir;
    for (bool english : {true, false}) {
        MacroTable table;
        const auto macros = defaultMacros(english);
        for (size_t i = 0; i < macros.size(); ++i)
            table.slotAt(static_cast<int>(i)) = macros[i];
        table.macroCount = static_cast<int16_t>(macros.size());
        const QString path = dir.filePath(english ? "en.dat" : "cn.dat");
        ASSERT_TRUE(saveMacroFile(table, path));
        EXPECT_EQ(contents(path), contents(deliveredFile(english))) << english;
    }
}

TEST(DefaultMacros, EveryMacroIsSound) {
    for (bool english : {true, false}) {
        MacroTable table;
        ASSERT_TRUE(loadMacroFile(table, deliveredFile(english)));
        ASSERT_GE(table.macroCount, 4);
        std::set<QString> names;
        for (int i = 0; i < table.macroCount; ++i) {
            const MacroSlot m = table.snapshot(i);
            const QString name = macroName(m);
            EXPECT_FALSE(name.isEmpty());
            EXPECT_LE(name.size(), 19);
            EXPECT_TRUE(names.insert(name).second) << "duplicate " << name.toStdString();
            EXPECT_EQ(findMacroByName(table, name), i);
            EXPECT_EQ(m.repeatEnabled, 0);
            EXPECT_EQ(int{m.repeatCount}, 1);
            ASSERT_GT(m.eventCount, 0);
            // Every key is one the event list can name, and every press is released.
            std::map<int, int> held;
            for (int k = 0; k < m.eventCount; ++k) {
                const MacroEvent e = m.events[k];
                EXPECT_NE(keyTableName(e.keyCode), nullptr) << name.toStdString() << " event " << k;
                ASSERT_TRUE(e.action == kActionDown || e.action == kActionUp);
                held[e.keyCode] += e.action == kActionDown ? 1 : -1;
                EXPECT_GE(held[e.keyCode], 0) << name.toStdString() << " releases an unpressed key";
                EXPECT_GT(int{m.delays[k]}, 0);
            }
            for (auto [key, count] : held)
                EXPECT_EQ(count, 0) << name.toStdString() << " leaves key " << key << " pressed";
            for (int k = m.eventCount; k < kMacroEventCapacity; ++k)
                EXPECT_EQ(m.events[k].keyCode, 0);
        }
    }
}

TEST(DefaultMacros, BothLanguagesHoldTheSameMacrosUnderTheirOwnNames) {
    MacroTable en, cn;
    ASSERT_TRUE(loadMacroFile(en, deliveredFile(true)));
    ASSERT_TRUE(loadMacroFile(cn, deliveredFile(false)));
    ASSERT_EQ(en.macroCount, cn.macroCount);
    for (int i = 0; i < en.macroCount; ++i) {
        MacroSlot a = en.snapshot(i), b = cn.snapshot(i);
        EXPECT_NE(macroName(a), macroName(b));
        for (const QChar c : macroName(b))
            EXPECT_GT(c.unicode(), 0x7F) << "Chinese name with Latin text"; // no Latin letters
        std::memset(a.name, 0, sizeof a.name);
        std::memset(b.name, 0, sizeof b.name);
        EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << i;
    }
    // The macros the program is known for.
    EXPECT_EQ(findMacroByName(en, QStringLiteral("Double Click")), 0);
    EXPECT_EQ(findMacroByName(cn, QStringLiteral("双击")), 0);
    EXPECT_LT(findMacroByName(en, QStringLiteral("Screenshot")), en.macroCount);
    EXPECT_LT(findMacroByName(en, QStringLiteral("Click Burst")), en.macroCount);
}

} // namespace
} // namespace vux
