// Layout files: splitting a row, the four loaders and what the user is told
// about a broken skin.
#include "ui/SkinLayout.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vux {
namespace {

struct SplitCase {
    const char* value;
    std::array<const char*, kSkinFields> fields;
    bool wellFormed;
};

class SplitSkinValue : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitSkinValue, GivesTheSevenFields) {
    const SplitCase& c = GetParam();
    SkinRow row;
    row.fields.fill(QStringLiteral("stale"));
    EXPECT_EQ(splitSkinValue(QString::fromUtf8(c.value), row), c.wellFormed);
    for (int k = 0; k < kSkinFields; ++k)
        EXPECT_EQ(row.fields[k], QString::fromUtf8(c.fields[k])) << "field " << k;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SplitSkinValue,
    ::testing::Values(
        SplitCase{"apply,10,20,30,40,Apply,tail",
                  {"apply", "10", "20", "30", "40", "Apply", "tail"},
                  true},
        SplitCase{"tab,1,2,3,4,,", {"tab", "1", "2", "3", "4", "", ""}, true},
        // Surplus commas stay in the last field, commas included.
        SplitCase{"a,1,2,3,4,t,x,y,z", {"a", "1", "2", "3", "4", "t", "x,y,z"}, false},
        SplitCase{"Left click", {"Left click", "", "", "", "", "", ""}, true},
        SplitCase{"", {"", "", "", "", "", "", ""}, true},
        // Fewer commas than fields: the fields after the last one stay empty.
        SplitCase{"a,1,2", {"a", "1", "2", "", "", "", ""}, true},
        // Nothing is trimmed.
        SplitCase{" a , 1,2,3,4, Label ,", {" a ", " 1", "2", "3", "4", " Label ", ""}, true},
        SplitCase{"名,1,2,3,4,中文,", {"名", "1", "2", "3", "4", "中文", ""}, true}));

TEST(SkinRectOf, ConvertsLikeTheRuntimeDoes) {
    SkinRow row;
    splitSkinValue(QStringLiteral("r, 12,-3,7px,x,,"), row);
    EXPECT_EQ(skinRectOf(row), (SkinRect{12, -3, 7, 0}));
}

TEST(SplitSkinValue, CutsLongValuesTo259Characters) {
    // 255 characters of label, then a tail that only a longer read would reach.
    const QString label(255 - 14, QLatin1Char('L'));
    const QString value =
        QStringLiteral("a,1,2,3,4,") + label + QStringLiteral(",") + QStringLiteral("tail-beyond");
    ASSERT_GT(value.size(), kSkinValueMax);
    SkinRow row;
    splitSkinValue(value, row);
    QString joined = row.fields[0];
    for (int k = 1; k < kSkinFields; ++k)
        joined += QLatin1Char(',') + row.fields[k];
    EXPECT_EQ(joined, value.left(kSkinValueMax));
}

// A skin folder with layout files written as the generator writes them
// (UTF-16LE with BOM).
class LayoutFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QStringList messages;
    int closes = 0;
    SkinReport report;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath("INI_EN");
        QDir(dir.path()).mkpath("INI_CN");
        report.showMessage = [this](const QString& m) { messages << m; };
        report.closeProgram = [this] { ++closes; };
    }
    QString folder() const { return dir.path(); }
    void write(const QString& relative, const QString& text) {
        QFile f(dir.filePath(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray bytes("\xFF\xFE", 2);
        const QString crlf = QString(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        bytes.append(reinterpret_cast<const char*>(crlf.utf16()), crlf.size() * 2);
        f.write(bytes);
    }
};

TEST_F(LayoutFiles, MainLayoutFillsRowsTextsAndFunctionNames) {
    write("INI_EN/skin_main_en.ini",
          "[BUTTONPOS]\n0=title,10,20,30,40,TESK,ignored\n4=p1,5,6,7,8,1,\n99=last,1,1,1,1,end,\n"
          "[FUN_STRING]\n0=never read\n1=Left click\n54=Macro 14\n");
    SkinLayout layout;
    layout.mainTexts[50] = QStringLiteral("from before");
    loadSkinMain(layout, folder(), true, report);
    EXPECT_EQ(layout.mainRects[0], (SkinRect{10, 20, 30, 40}));
    EXPECT_EQ(layout.mainTexts[0], "TESK");
    EXPECT_EQ(layout.mainRects[4], (SkinRect{5, 6, 7, 8}));
    EXPECT_EQ(layout.mainTexts[99], "end");
    // A missing key is an empty row, and replaces what the table held.
    EXPECT_EQ(layout.mainRects[50], SkinRect{});
    EXPECT_TRUE(layout.mainTexts[50].isEmpty());
    EXPECT_TRUE(layout.funStrings[0].isEmpty());
    EXPECT_EQ(layout.funStrings[1], "Left click");
    EXPECT_EQ(layout.funStrings[54], "Macro 14");
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(closes, 0);
}

TEST_F(LayoutFiles, AdvanceLayoutStoresTheEditorRectanglesAsCorners) {
    write("INI_CN/skin_advance.ini",
          "[BUTTONPOS]\n30=bar,100,200,101,9,,\n"
          "[EDIT]\n1=wrong,1,1,1,1,,\n2=wrong,2,2,2,2,,\n3=repeat,10,20,30,40,,\n4=name,1,2,3,4,,\n"
          "[MACRODISPLAY]\n1=macros,50,60,70,80,,\n2=events,5,5,100,200,,\n");
    SkinLayout layout;
    loadSkinAdvance(layout, folder(), false, report);
    EXPECT_EQ(layout.advanceRects[30], (SkinRect{100, 200, 101, 9}));
    EXPECT_EQ(layout.repeatEditRect, (CornerRect{10, 20, 40, 60}));
    EXPECT_EQ(layout.nameEditRect, (CornerRect{1, 2, 4, 6}));
    EXPECT_EQ(layout.macroListRect, (CornerRect{50, 60, 120, 140}));
    EXPECT_EQ(layout.eventListRect, (CornerRect{5, 5, 105, 205}));
}

TEST_F(LayoutFiles, SwitchingLanguageReplacesEveryText) {
    write("INI_EN/skin_color_en.ini", "[BUTTONPOS]\n0=m0,1,1,5,5,Static,\n1=m1,1,1,5,5,Breath,\n");
    write("INI_CN/skin_color.ini", "[BUTTONPOS]\n0=m0,1,1,5,5,常亮,\n1=m1,1,1,5,5,,\n");
    SkinLayout layout;
    loadSkinColor(layout, folder(), true, report);
    EXPECT_EQ(layout.colorTexts[1], "Breath");
    loadSkinColor(layout, folder(), false, report);
    EXPECT_EQ(layout.colorTexts[0], "常亮");
    EXPECT_TRUE(layout.colorTexts[1].isEmpty());
}

TEST_F(LayoutFiles, SurplusCommasAreReportedOnceAndTheRowIsStillUsed) {
    write("INI_EN/LBWarning_en.ini",
          "[BUTTONPOS]\n0=ok,1,2,3,4,OK,a,b\n1=cancel,5,6,7,8,Cancel,\n2=note,9,9,9,9,Sure?,\n");
    SkinLayout layout;
    loadWarningLayout(layout, folder(), true, report);
    EXPECT_EQ(messages, QStringList{kMalformedRowMessage});
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(layout.warningRects[0], (SkinRect{1, 2, 3, 4}));
    EXPECT_EQ(layout.warningTexts[0], "OK");
    EXPECT_EQ(layout.warningTexts[2], "Sure?");
}

TEST_F(LayoutFiles, MissingFileIsToldOnceThenTheProgramCloses) {
    SkinLayout layout;
    layout.mainTexts[3] = QStringLiteral("old");
    std::vector<std::pair<QString, int>> order;
    report.showMessage = [&](const QString& m) { order.emplace_back(m, closes); };
    loadSkinMain(layout, folder(), true, report);  // 100 rows and 54 names, one file
    loadSkinColor(layout, folder(), true, report); // a second missing file
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0].first, kMissingLayoutMessage);
    EXPECT_EQ(order[0].second, 0); // the message comes before the close
    EXPECT_EQ(closes, 2);
    // The rows read empty.
    EXPECT_TRUE(layout.mainTexts[3].isEmpty());
    EXPECT_EQ(layout.mainRects[3], SkinRect{});
}

TEST(CornerRect, ExtremeValuesDoNotWrap) {
    const CornerRect huge{INT32_MAX - 1, 0, INT32_MAX, 10};
    EXPECT_FALSE(huge.toQRect().isValid() && huge.toQRect().width() < 0);
    const SkinRect wide{-2000000000, 0, 2000000000, 5};
    EXPECT_GE(wide.toQRect().width(), 0);
    EXPECT_FALSE(wide.contains(INT32_MAX, 2));
}

} // namespace
} // namespace vux
