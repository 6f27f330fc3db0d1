#include "app/SingleInstance.h"
#include "platform/process/ProgramPath.h"
#include "tests/support/ProgramSandbox.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using vux::SingleInstance;

int argc = 1;
char arg0[] = "test";
char* argv[] = {arg0, nullptr};

TEST(SingleInstance, OnlyTheFirstHoldsTheLockAndItIsFreedWithIt) {
    QTemporaryDir dir;
    {
        SingleInstance first(dir.path(), "CVUX_GMouseApp");
        ASSERT_TRUE(first.isPrimary());
        SingleInstance second(dir.path(), "CVUX_GMouseApp");
        EXPECT_FALSE(second.isPrimary());
    }
    SingleInstance again(dir.path(), "CVUX_GMouseApp");
    EXPECT_TRUE(again.isPrimary());
}

TEST(SingleInstance, SecondStartAsksTheFirstToRestoreItsWindow) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    SingleInstance first(dir.path(), "CVUX_GMouseApp");
    ASSERT_TRUE(first.isPrimary());
    int restored = 0;
    ASSERT_TRUE(first.listen([&] { ++restored; }));

    std::atomic<int> answered{-1};
    std::thread second([&] {
        SingleInstance other(dir.path(), "CVUX_GMouseApp");
        answered = other.isPrimary() ? 2 : int(other.requestRestore(10000));
    });
    EXPECT_TRUE(vux::test::waitFor([&] { return answered.load() != -1; }, 15000));
    second.join();
    EXPECT_EQ(answered.load(), 1);
    EXPECT_EQ(restored, 1);
}

TEST(SingleInstance, StaleSocketFileOfACrashedInstanceIsReplaced) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QFile stale(dir.path() + "/CVUX_GMouseApp.sock");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    SingleInstance first(dir.path(), "CVUX_GMouseApp");
    EXPECT_TRUE(first.listen([] {}));
}

TEST(ProgramPath, FolderIsTheTextBeforeTheLastSlash) {
    struct Case {
        const char* path;
        const char* folder;
    } cases[] = {
        {"/opt/vux/VUX_GMouse", "/opt/vux"},
        {"/VUX_GMouse", ""},
        {"VUX_GMouse", ""},
        {"/a b/名字/VUX_GMouse", "/a b/名字"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vux::folderOf(QString::fromUtf8(c.path)), QString::fromUtf8(c.folder)) << c.path;
}

} // namespace
