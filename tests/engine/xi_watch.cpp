// An independent X client for end-to-end tests: watches raw key and button
// events of every master device on the root window and prints one line per
// event with the server's time in milliseconds:
//   key down 37 1234567
//   button up 1 1234570
// It prints "ready" once its selection is in force and runs until killed or
// until the X server goes away.

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "xi_watch: cannot open the display\n");
        return 2;
    }
    int opcode = 0, event = 0, error = 0;
    int major = 2, minor = 2;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error) ||
        XIQueryVersion(display, &major, &minor) != Success) {
        std::fprintf(stderr, "xi_watch: no XInput2\n");
        return 3;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);

    for (;;) {
        XEvent e;
        XNextEvent(display, &e);
        XGenericEventCookie* cookie = &e.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != opcode ||
            !XGetEventData(display, cookie))
            continue;
        const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
        const char* kind = nullptr;
        switch (cookie->evtype) {
        case XI_RawKeyPress:
            kind = "key down";
            break;
        case XI_RawKeyRelease:
            kind = "key up";
            break;
        case XI_RawButtonPress:
            kind = "button down";
            break;
        case XI_RawButtonRelease:
            kind = "button up";
            break;
        default:
            break;
        }
        // Wheel steps arrive as buttons 4..7; the tests inject none.
        if (kind != nullptr)
            std::printf("%s %d %lu\n", kind, raw->detail, static_cast<unsigned long>(raw->time));
        std::fflush(stdout);
        XFreeEventData(display, cookie);
    }
}
