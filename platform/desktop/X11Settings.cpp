// Plain X11: the core pointer acceleration (the Windows multiplier as a
// fraction of 32, threshold 0) and the "libinput Accel Speed" of every pointer
// that has one. X11 has no wheel-lines setting.
#include "platform/desktop/DesktopBackends.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <cstring>

namespace vux::desktop {

namespace {

struct DisplayHandle {
    Display* d = XOpenDisplay(nullptr);
    ~DisplayHandle() {
        if (d)
            XCloseDisplay(d);
    }
};

bool hasXInput2(Display* d) {
    int opcode = 0, event = 0, error = 0;
    if (!XQueryExtension(d, "XInputExtension", &opcode, &event, &error))
        return false;
    int major = 2, minor = 0;
    return XIQueryVersion(d, &major, &minor) == Success;
}

void setLibinputSpeed(Display* d, float speed) {
    if (!hasXInput2(d))
        return;
    const Atom property = XInternAtom(d, "libinput Accel Speed", True);
    const Atom floatType = XInternAtom(d, "FLOAT", True);
    if (property == None || floatType == None)
        return;
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(d, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (devices[i].use != XISlavePointer)
            continue;
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XIGetProperty(d, devices[i].deviceid, property, 0, 1, False, AnyPropertyType, &type,
                          &format, &items, &after, &data) == Success &&
            type == floatType && format == 32 && items >= 1) {
            long value = 0;
            std::memcpy(&value, &speed, sizeof speed); // 32-bit items travel in longs
            XIChangeProperty(d, devices[i].deviceid, property, floatType, 32, PropModeReplace,
                             reinterpret_cast<unsigned char*>(&value), 1);
        }
        if (data)
            XFree(data);
    }
    XIFreeDeviceInfo(devices);
}

class X11Settings : public DesktopSettings {
public:
    std::optional<int> pointerSpeed() override {
        DisplayHandle display;
        if (!display.d)
            return std::nullopt;
        int numerator = 0, denominator = 0, threshold = 0;
        XGetPointerControl(display.d, &numerator, &denominator, &threshold);
        return windowsSpeedOfMultiplier(numerator, denominator);
    }

    bool setPointerSpeed(int speed) override {
        DisplayHandle display;
        if (!display.d)
            return false;
        const int index = std::clamp(speed, 1, 20) - 1;
        XChangePointerControl(display.d, True, True,
                              kSpeedNumerators[static_cast<std::size_t>(index)], kSpeedDenominator,
                              0);
        setLibinputSpeed(display.d, static_cast<float>(libinputSpeedOf(speed)));
        XSync(display.d, False);
        return true;
    }

    std::optional<int> wheelScrollLines() override { return std::nullopt; }
    bool setWheelScrollLines(int) override { return false; }
};

} // namespace

std::unique_ptr<DesktopSettings> makeX11Settings() {
    DisplayHandle display;
    if (!display.d)
        return nullptr;
    return std::make_unique<X11Settings>();
}

} // namespace vux::desktop
