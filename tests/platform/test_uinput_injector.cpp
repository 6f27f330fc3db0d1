// The uinput backend where /dev/uinput is writable: the virtual device appears
// with its keys and buttons, and what is injected comes out of its event node.

#include "platform/input/InputBackends.h"
#include "platform/input/KeyMap.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/input.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace vux {
namespace {

constexpr const char* kDeviceName = "VUX_GMouse virtual input";

// The event node of the virtual device, opened for reading, or -1.
int openVirtualDevice() {
    DIR* dir = opendir("/dev/input");
    if (dir == nullptr)
        return -1;
    int found = -1;
    while (dirent* entry = readdir(dir)) {
        if (std::strncmp(entry->d_name, "event", 5) != 0)
            continue;
        const std::string path = std::string("/dev/input/") + entry->d_name;
        const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        char name[256] = {};
        if (ioctl(fd, EVIOCGNAME(sizeof name - 1), name) >= 0 &&
            std::strcmp(name, kDeviceName) == 0) {
            found = fd;
            break;
        }
        close(fd);
    }
    closedir(dir);
    return found;
}

// Key events read from fd until count arrived or the deadline passed.
std::vector<input_event> readKeyEvents(int fd, size_t count) {
    std::vector<input_event> events;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (events.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0)
            break;
        input_event e{};
        while (read(fd, &e, sizeof e) == static_cast<ssize_t>(sizeof e))
            if (e.type == EV_KEY)
                events.push_back(e);
    }
    return events;
}

TEST(UinputInjector, InjectedKeysAndButtonsComeOutOfTheDevice) {
    if (access("/dev/uinput", W_OK) != 0)
        GTEST_SKIP() << "/dev/uinput is not writable here";
    auto injector = makeUinputInjector();
    ASSERT_NE(injector, nullptr);

    // The node appears once udev has made it; wait for it with a deadline.
    int fd = -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while ((fd = openVirtualDevice()) < 0 && std::chrono::steady_clock::now() < deadline)
        poll(nullptr, 0, 20);
    if (fd < 0)
        GTEST_SKIP() << "the virtual device's event node is not readable here";

    injector->keybdEvent(0x11, 0, 0);
    injector->keybdEvent(0x43, virtualKeyToScanCode(0x43), 0);
    injector->keybdEvent(0x43, virtualKeyToScanCode(0x43), kKeyEventKeyUp);
    injector->keybdEvent(0x11, 0, kKeyEventKeyUp);
    injector->mouseEvent(kMouseRightDown);
    injector->mouseEvent(kMouseRightUp);

    const auto events = readKeyEvents(fd, 6);
    close(fd);
    ASSERT_EQ(events.size(), 6u);
    const std::pair<int, int> expected[] = {{KEY_LEFTCTRL, 1}, {KEY_C, 1},     {KEY_C, 0},
                                            {KEY_LEFTCTRL, 0}, {BTN_RIGHT, 1}, {BTN_RIGHT, 0}};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(events[i].code, expected[i].first) << i;
        EXPECT_EQ(events[i].value, expected[i].second) << i;
    }
}

TEST(UinputInjector, UnavailableDeviceGivesNoInjector) {
    if (access("/dev/uinput", W_OK) == 0)
        GTEST_SKIP() << "/dev/uinput is writable here";
    EXPECT_EQ(makeUinputInjector(), nullptr);
}

TEST(InputInjectorFactory, WithoutAnyBackendSaysSoInOneLineAndInjectsNothing) {
    if (access("/dev/uinput", W_OK) == 0)
        GTEST_SKIP() << "/dev/uinput is writable here";
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    testing::internal::CaptureStderr();
    auto injector = makeInputInjector();
    const std::string err = testing::internal::GetCapturedStderr();
    if (!saved.empty())
        setenv("DISPLAY", saved.c_str(), 1);
    ASSERT_NE(injector, nullptr);
    EXPECT_NE(err.find("cannot synthesize input"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    injector->keybdEvent(0x41, 0x1E, 0);
    injector->mouseEvent(kMouseLeftDown);
}

} // namespace
} // namespace vux
