// The generated skin read by the program's own loaders: no message, every
// table filled, and a window shape with the macro page's controls cut out.

#include "tests/tools/RunSkinGenerator.h"
#include "ui/SkinLayout.h"
#include "ui/WindowShape.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>

#include <memory>

namespace {

class GeneratedSkinLoads : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "test_generated_skin_loads";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            app_ = std::make_unique<QCoreApplication>(argc, argv);
        dir_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(dir_->isValid());
        exitCode_ = vux::test::runSkinGenerator(dir_->path()).exitCode;
    }
    static void TearDownTestSuite() {
        dir_.reset();
        app_.reset();
    }
    void SetUp() override { ASSERT_EQ(exitCode_, 0); }

    static vux::SkinLayout load(bool english, QStringList& messages, int& closes) {
        vux::SkinLayout layout;
        vux::SkinReport report;
        report.showMessage = [&](const QString& m) { messages << m; };
        report.closeProgram = [&] { ++closes; };
        vux::loadSkinMain(layout, dir_->path(), english, report);
        vux::loadSkinColor(layout, dir_->path(), english, report);
        vux::loadSkinAdvance(layout, dir_->path(), english, report);
        vux::loadWarningLayout(layout, dir_->path(), english, report);
        return layout;
    }

    static inline std::unique_ptr<QCoreApplication> app_;
    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline int exitCode_ = -1;
};

TEST_F(GeneratedSkinLoads, BothLanguagesLoadWithoutAMessage) {
    for (bool english : {true, false}) {
        QStringList messages;
        int closes = 0;
        const vux::SkinLayout layout = load(english, messages, closes);
        EXPECT_TRUE(messages.isEmpty()) << messages.join(" / ").toStdString();
        EXPECT_EQ(closes, 0);
        EXPECT_EQ(layout.mainTexts[0], english ? QString("TESK GAMING MOUSE")
                                               : QString::fromUtf8("Vand Rox宏编程游戏鼠标驱动"));
        EXPECT_TRUE(layout.funStrings[0].isEmpty());
        for (int code = 1; code <= 54; ++code)
            EXPECT_FALSE(layout.funStrings[code].isEmpty()) << code;
        // Rows with a fixed role have an area the pointer can hit.
        for (int row : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 41, 42})
            EXPECT_GT(layout.mainRects[row].width * layout.mainRects[row].height, 0) << row;
        for (int row = 25; row <= 97; ++row) {
            const bool roleless = (row >= 33 && row <= 40) || (row >= 43 && row <= 45) ||
                                  (row >= 58 && row <= 59) || (row >= 84 && row <= 89);
            if (!roleless && !(row >= 50 && row <= 53))
                EXPECT_GT(layout.mainRects[row].width, 0) << row;
        }
        for (int row : {0, 1, 2, 3, 9, 11})
            EXPECT_GT(layout.colorRects[row].width, 0) << row;
        for (int row = 0; row <= 27; ++row)
            EXPECT_GT(layout.advanceRects[row].width, 0) << row;
        for (int row : {30, 31, 32, 33, 38, 39})
            EXPECT_GT(layout.advanceRects[row].width, 0) << row;
        for (const vux::CornerRect& r : {layout.repeatEditRect, layout.nameEditRect,
                                         layout.macroListRect, layout.eventListRect})
            EXPECT_FALSE(r.isEmpty());
    }
}

TEST_F(GeneratedSkinLoads, WindowShapeIsShapedAndLeavesRoomForTheControls) {
    QStringList messages;
    int closes = 0;
    const vux::SkinLayout layout = load(true, messages, closes);
    const vux::WindowShape shape = vux::buildWindowShape(dir_->path() + "/main_mask.jpg", layout);
    ASSERT_TRUE(shape.shaped());
    const QRect bounds(0, 0, shape.width, shape.height);
    EXPECT_EQ(shape.window.boundingRect(), bounds);
    EXPECT_NE(shape.window, QRegion(bounds)) << "the outline is not a rectangle";
    EXPECT_FALSE(shape.window.contains(QPoint(0, 0)));
    EXPECT_TRUE(shape.window.contains(QPoint(shape.width / 2, shape.height / 2)));
    for (const vux::CornerRect& r :
         {layout.nameEditRect, layout.macroListRect, layout.eventListRect}) {
        const QRect control = r.toQRect();
        EXPECT_EQ(shape.window.intersected(control), QRegion(control))
            << "control inside the window";
        EXPECT_TRUE(shape.withoutControls.intersected(control).isEmpty()) << "control cut out";
    }
}

} // namespace
