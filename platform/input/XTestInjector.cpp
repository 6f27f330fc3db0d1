// Injection through the X server's XTest extension, for X11 sessions where
// /dev/uinput is not open to the user. Only X clients see these events.

#include "platform/input/InputBackends.h"
#include "platform/input/KeyMap.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <mutex>

namespace vux {

namespace {

class XTestInjector final : public InputInjector {
public:
    explicit XTestInjector(Display* display) : display_(display) {}
    ~XTestInjector() override { XCloseDisplay(display_); }
    XTestInjector(const XTestInjector&) = delete;
    XTestInjector& operator=(const XTestInjector&) = delete;

    void keybdEvent(uint8_t vk, uint8_t scan, uint32_t flags) override {
        const unsigned keycode =
            linuxKeyCode(vk, scan, (flags & kKeyEventExtendedKey) != 0) + kXKeycodeOffset;
        // X keycodes end at 255; keys beyond that exist only for uinput.
        if (keycode == kXKeycodeOffset || keycode > 255)
            return;
        std::lock_guard guard(lock_);
        XTestFakeKeyEvent(display_, keycode, (flags & kKeyEventKeyUp) == 0 ? True : False,
                          CurrentTime);
        XSync(display_, False); // processed by the server when this returns
    }

    void mouseEvent(uint32_t flags) override {
        const MouseButtonEvent b = mouseButtonFromFlags(flags);
        const unsigned button = xButtonFromLinuxButton(b.button);
        if (button == 0)
            return;
        std::lock_guard guard(lock_);
        XTestFakeButtonEvent(display_, button, b.down ? True : False, CurrentTime);
        XSync(display_, False); // processed by the server when this returns
    }

private:
    // Xlib connections are not thread-safe; the executor and the close
    // sequence may both inject.
    std::mutex lock_;
    Display* display_;
};

} // namespace

std::unique_ptr<InputInjector> makeXTestInjector() {
    // A connection of our own: the Qt connection belongs to the UI thread.
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return nullptr;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::make_unique<XTestInjector>(display);
}

} // namespace vux
