#pragma once
// The real injectors and the choice between them at start-up. The program makes
// one injector before its workers start and keeps it until they have stopped.

#include "platform/input/InputInjector.h"

#include <memory>

namespace vux {

// A virtual keyboard-and-mouse device on /dev/uinput; nullptr when the device
// node is missing or not writable. Works on X11, Wayland and the console.
std::unique_ptr<InputInjector> makeUinputInjector();

// X11 XTest on the display in DISPLAY; nullptr without an X server or the
// extension.
std::unique_ptr<InputInjector> makeXTestInjector();

// Injects nothing; used when no backend is available.
std::unique_ptr<InputInjector> makeNullInjector();

// uinput when possible, else XTest, else (with one line on stderr) the no-op
// injector. Never returns nullptr.
std::unique_ptr<InputInjector> makeInputInjector();

} // namespace vux
