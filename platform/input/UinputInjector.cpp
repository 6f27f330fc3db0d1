// Injection through a virtual keyboard-and-mouse device on /dev/uinput. The
// kernel delivers its events like those of a real device, so they reach X11,
// Wayland compositors and the console alike.

#include "platform/input/InputBackends.h"
#include "platform/input/KeyMap.h"

#include <fcntl.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

namespace vux {

namespace {

class UinputInjector final : public InputInjector {
public:
    explicit UinputInjector(int fd) : fd_(fd) {}
    ~UinputInjector() override {
        ioctl(fd_, UI_DEV_DESTROY);
        close(fd_);
    }
    UinputInjector(const UinputInjector&) = delete;
    UinputInjector& operator=(const UinputInjector&) = delete;

    void keybdEvent(uint8_t vk, uint8_t scan, uint32_t flags) override {
        const uint16_t key = linuxKeyCode(vk, scan, (flags & kKeyEventExtendedKey) != 0);
        if (key != 0)
            emit(key, (flags & kKeyEventKeyUp) == 0);
    }

    void mouseEvent(uint32_t flags) override {
        const MouseButtonEvent b = mouseButtonFromFlags(flags);
        if (b.button != 0)
            emit(b.button, b.down);
    }

private:
    void emit(uint16_t code, bool down) {
        input_event events[2] = {};
        events[0].type = EV_KEY;
        events[0].code = code;
        events[0].value = down ? 1 : 0;
        events[1].type = EV_SYN;
        events[1].code = SYN_REPORT;
        // One write per event and its report, so that callers on two threads
        // (the executor and the close sequence) never interleave halves.
        std::lock_guard guard(writeLock_);
        ssize_t rc;
        do
            rc = write(fd_, events, sizeof events);
        while (rc < 0 && errno == EINTR);
    }

    int fd_;
    std::mutex writeLock_;
};

bool setBit(int fd, unsigned long request, int bit) {
    return ioctl(fd, request, bit) == 0;
}

} // namespace

std::unique_ptr<InputInjector> makeUinputInjector() {
    const int fd = open("/dev/uinput", O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;

    bool ok = setBit(fd, UI_SET_EVBIT, EV_KEY) && setBit(fd, UI_SET_EVBIT, EV_SYN);
    // Every key a virtual key or scan code can name: the first 256 codes and Select.
    for (int key = 1; ok && key < 256; ++key)
        ok = setBit(fd, UI_SET_KEYBIT, key);
    ok = ok && setBit(fd, UI_SET_KEYBIT, KEY_SELECT);
    for (int button : {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE})
        ok = ok && setBit(fd, UI_SET_KEYBIT, button);
    // Relative axes make desktops treat the buttons as a pointer's.
    ok = ok && setBit(fd, UI_SET_EVBIT, EV_REL) && setBit(fd, UI_SET_RELBIT, REL_X) &&
         setBit(fd, UI_SET_RELBIT, REL_Y) && setBit(fd, UI_SET_RELBIT, REL_WHEEL);

    uinput_setup setup{};
    // Not the mouse's USB ids: nothing that looks for the mouse should find this device.
    setup.id.bustype = BUS_VIRTUAL;
    setup.id.version = 1;
    std::strncpy(setup.name, "VUX_GMouse virtual input", UINPUT_MAX_NAME_SIZE - 1);
    ok = ok && ioctl(fd, UI_DEV_SETUP, &setup) == 0 && ioctl(fd, UI_DEV_CREATE) == 0;
    if (!ok) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<UinputInjector>(fd);
}

} // namespace vux
