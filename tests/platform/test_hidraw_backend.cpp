// The hidraw backend on whatever machine runs the tests (CI has no hidraw
// devices): it must enumerate cleanly and refuse what is not its own.
#include "platform/hid/HidrawBackend.h"

#include <gtest/gtest.h>

namespace vux::hid {
namespace {

TEST(HidrawBackend, EnumeratesOneInterfacePerCollectionInNodeOrder) {
    HidrawBackend backend;
    const auto interfaces = backend.enumerate();
    QString previousNode;
    int previousNumber = -1;
    for (const InterfaceInfo& i : interfaces) {
        ASSERT_TRUE(i.path.startsWith("/dev/hidraw")) << i.path.toStdString();
        ASSERT_TRUE(backend.owns(i.path));
        const QString node = i.path.section('#', 0, 0);
        const int number = node.mid(11).toInt();
        EXPECT_GE(number, previousNumber);
        previousNumber = number;
    }
}

TEST(HidrawBackend, PathsOfOtherBackendsAndMissingNodes) {
    HidrawBackend backend;
    EXPECT_TRUE(backend.owns("/dev/hidraw3#1"));
    EXPECT_FALSE(backend.owns("/run/user/1000/vux-virtual-mice/vmouse-1-1.sock#1"));
    EXPECT_FALSE(backend.owns("/dev/hidraw3"));
    EXPECT_EQ(backend.openInput("/dev/hidraw999#0"), nullptr);
    EXPECT_EQ(backend.openFeature("/dev/hidraw999#0"), nullptr);
    EXPECT_EQ(backend.openInput("/etc/passwd#0"), nullptr);
}

} // namespace
} // namespace vux::hid
