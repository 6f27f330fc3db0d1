#pragma once
// Synthesized keyboard and mouse-button input, in the terms the action engine
// thinks in: a virtual-key code with its scan code and flags, or a mouse-button
// flag. Backends translate to the system's own codes.

#include <cstdint>

namespace vux {

inline constexpr uint32_t kKeyEventExtendedKey = 0x0001;
inline constexpr uint32_t kKeyEventKeyUp = 0x0002;

inline constexpr uint32_t kMouseLeftDown = 0x0002;
inline constexpr uint32_t kMouseLeftUp = 0x0004;
inline constexpr uint32_t kMouseRightDown = 0x0008;
inline constexpr uint32_t kMouseRightUp = 0x0010;
inline constexpr uint32_t kMouseMiddleDown = 0x0020;
inline constexpr uint32_t kMouseMiddleUp = 0x0040;

class InputInjector {
public:
    virtual ~InputInjector() = default;
    // vk: virtual-key code; scan: set-1 scan code; flags: kKeyEventExtendedKey | kKeyEventKeyUp.
    virtual void keybdEvent(uint8_t vk, uint8_t scan, uint32_t flags) = 0;
    // flags: one of the kMouse… button flags.
    virtual void mouseEvent(uint32_t flags) = 0;
};

} // namespace vux
