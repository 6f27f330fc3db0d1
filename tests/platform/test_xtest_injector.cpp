// The XTest backend against a real X server (run under xvfb-run): what it
// injects, another client sees in the server's key and button state.

#include "platform/input/InputBackends.h"
#include "platform/input/KeyMap.h"

// Xlib's macros (None, Bool) break GoogleTest's headers; they come after it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <cstring>
#include <memory>

namespace vux {
namespace {

class XTestInjectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        observer = XOpenDisplay(nullptr);
        if (observer == nullptr)
            GTEST_SKIP() << "no X server (run under xvfb-run)";
        injector = makeXTestInjector();
        ASSERT_NE(injector, nullptr) << "the X server has no XTest extension";
    }
    void TearDown() override {
        injector.reset();
        if (observer != nullptr)
            XCloseDisplay(observer);
    }

    bool keyDown(unsigned keycode) {
        char keys[32] = {};
        XQueryKeymap(observer, keys);
        return (keys[keycode / 8] & (1 << (keycode % 8))) != 0;
    }
    unsigned buttonMask() {
        Window root = 0, child = 0;
        int rx = 0, ry = 0, wx = 0, wy = 0;
        unsigned mask = 0;
        XQueryPointer(observer, DefaultRootWindow(observer), &root, &child, &rx, &ry, &wx, &wy,
                      &mask);
        return mask;
    }

    Display* observer = nullptr;
    std::unique_ptr<InputInjector> injector;
};

TEST_F(XTestInjectorTest, CtrlCReachesTheServerInOrder) {
    const unsigned ctrl = 37, c = 54; // evdev keycodes: KEY_LEFTCTRL + 8, KEY_C + 8
    injector->keybdEvent(0x11, 0, 0);
    EXPECT_TRUE(keyDown(ctrl));
    EXPECT_FALSE(keyDown(c));
    injector->keybdEvent(0x43, virtualKeyToScanCode(0x43), 0);
    EXPECT_TRUE(keyDown(ctrl));
    EXPECT_TRUE(keyDown(c));
    injector->keybdEvent(0x43, virtualKeyToScanCode(0x43), kKeyEventKeyUp);
    EXPECT_FALSE(keyDown(c));
    injector->keybdEvent(0x11, 0, kKeyEventKeyUp);
    EXPECT_FALSE(keyDown(ctrl));
}

TEST_F(XTestInjectorTest, ExtendedKeysAndVolumeMute) {
    struct Case {
        uint8_t vk;
        uint8_t scan;
        uint32_t flags;
        unsigned keycode;
    } cases[] = {
        {163, 0x1D, kKeyEventExtendedKey, 105}, // right Ctrl
        {38, 0x48, kKeyEventExtendedKey, 111},  // Up
        {44, 0x37, kKeyEventExtendedKey, 107},  // Print Screen
        {173, 0, 0, 121},                       // volume mute
    };
    for (const Case& k : cases) {
        injector->keybdEvent(k.vk, k.scan, k.flags);
        EXPECT_TRUE(keyDown(k.keycode)) << int(k.vk);
        injector->keybdEvent(k.vk, k.scan, k.flags | kKeyEventKeyUp);
        EXPECT_FALSE(keyDown(k.keycode)) << int(k.vk);
    }
}

TEST_F(XTestInjectorTest, MouseButtons) {
    struct Case {
        uint32_t down, up;
        unsigned mask;
    } cases[] = {{kMouseLeftDown, kMouseLeftUp, Button1Mask},
                 {kMouseRightDown, kMouseRightUp, Button3Mask},
                 {kMouseMiddleDown, kMouseMiddleUp, Button2Mask}};
    for (const Case& b : cases) {
        injector->mouseEvent(b.down);
        EXPECT_EQ(buttonMask() & (Button1Mask | Button2Mask | Button3Mask), b.mask);
        injector->mouseEvent(b.up);
        EXPECT_EQ(buttonMask() & (Button1Mask | Button2Mask | Button3Mask), 0u);
    }
}

TEST_F(XTestInjectorTest, KeysWithoutAnXKeycodeAreIgnored) {
    char before[32] = {}, after[32] = {};
    XQueryKeymap(observer, before);
    injector->keybdEvent(41, 0, 0); // Select: a Linux key beyond the X keycode range
    injector->keybdEvent(23, 0, 0); // Junja: no key at all
    injector->mouseEvent(0x0001);   // not a button flag
    XQueryKeymap(observer, after);
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
}

TEST(InputInjectorFactory, PicksABackendOrTheNoOpOne) {
    auto injector = makeInputInjector();
    ASSERT_NE(injector, nullptr);
    injector->keybdEvent(0x10, 0, 0);
    injector->keybdEvent(0x10, 0, kKeyEventKeyUp);
    EXPECT_NE(makeNullInjector(), nullptr);
}

} // namespace
} // namespace vux
