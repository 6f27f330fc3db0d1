#pragma once
// Key codes between the worlds the program stands in: the virtual-key codes and
// scan codes that macros and button functions are written in, and the Linux
// input key codes the injectors send. Pure tables, no system calls.
//
// Scan codes are PC scan-code set 1; an extended key carries the E0 prefix,
// given here as the extended flag. Linux key codes follow the kernel's AT
// keyboard driver for set-1 codes; an X keycode is the Linux key code + 8.

#include <cstdint>

namespace vux {

// The set-1 scan code of a virtual key on a US layout (without the E0 prefix),
// as MapVirtualKey(vk, MAPVK_VK_TO_VSC) gives it; 0 for keys without one.
uint8_t virtualKeyToScanCode(uint8_t vk);

// True for virtual keys whose scan code carries the E0 prefix.
bool isExtendedVirtualKey(uint8_t vk);

// The Linux key code (KEY_*) of a key event: from the scan code and extended
// flag when they name a key, else from the virtual-key code (events sent with
// scan code 0). 0 when the key has no Linux counterpart.
uint16_t linuxKeyCode(uint8_t vk, uint8_t scan, bool extended);

// The Linux key code of a set-1 scan code alone; 0 for codes without a key.
uint16_t linuxKeyFromScanCode(uint8_t scan, bool extended);

// Linux button code (BTN_LEFT, BTN_RIGHT, BTN_MIDDLE) and whether it is a press,
// for one of the kMouse… flags; code 0 for any other value.
struct MouseButtonEvent {
    uint16_t button = 0;
    bool down = false;
};
MouseButtonEvent mouseButtonFromFlags(uint32_t flags);

// The X core button number (1 left, 2 middle, 3 right) of a Linux button code; 0 if none.
unsigned xButtonFromLinuxButton(uint16_t button);

inline constexpr unsigned kXKeycodeOffset = 8;

} // namespace vux
