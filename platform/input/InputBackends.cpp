#include "platform/input/InputBackends.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace vux {

namespace {

class NullInjector final : public InputInjector {
public:
    void keybdEvent(uint8_t, uint8_t, uint32_t) override {}
    void mouseEvent(uint32_t) override {}
};

} // namespace

std::unique_ptr<InputInjector> makeNullInjector() {
    return std::make_unique<NullInjector>();
}

std::unique_ptr<InputInjector> makeInputInjector() {
    // VUX_INPUT_BACKEND=xtest passes uinput over: tests that watch an X server
    // (Xvfb) must see the injected events there even where /dev/uinput is open.
    const char* wanted = std::getenv("VUX_INPUT_BACKEND");
    const bool xtestOnly = wanted != nullptr && std::string_view(wanted) == "xtest";
    if (!xtestOnly)
        if (auto injector = makeUinputInjector())
            return injector;
    if (auto injector = makeXTestInjector()) {
        if (const char* wayland = std::getenv("WAYLAND_DISPLAY");
            wayland != nullptr && *wayland != 0)
            std::fputs(
                "VUX_GMouse: /dev/uinput is not writable; synthesized input reaches only X11 "
                "programs of this Wayland session.\n",
                stderr);
        return injector;
    }
    std::fputs("VUX_GMouse: cannot synthesize input (/dev/uinput is not writable and there is no X "
               "server with XTest); macros and key functions of the mouse will do nothing.\n",
               stderr);
    return makeNullInjector();
}

} // namespace vux
