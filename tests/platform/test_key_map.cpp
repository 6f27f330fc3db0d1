// The key tables of the injectors: every key that has a name in the event list
// and every key the button functions inject reaches the right Linux key, as the
// macro player and the executor send it.

#include "platform/input/InputInjector.h"
#include "platform/input/KeyMap.h"

#include <linux/input-event-codes.h>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace vux {
namespace {

// Virtual key → Linux key for every key code with a display name.
const std::map<int, int> kNamedKeys = {
    {8, KEY_BACKSPACE},
    {9, KEY_TAB},
    {12, KEY_KP5},
    {13, KEY_ENTER},
    {16, KEY_LEFTSHIFT},
    {17, KEY_LEFTCTRL},
    {18, KEY_LEFTALT},
    {19, KEY_PAUSE},
    {20, KEY_CAPSLOCK},
    {21, KEY_KATAKANAHIRAGANA},
    {23, 0},
    {24, 0},
    {25, KEY_HANJA},
    {27, KEY_ESC},
    {28, KEY_HENKAN},
    {29, KEY_MUHENKAN},
    {30, 0},
    {31, 0},
    {32, KEY_SPACE},
    {33, KEY_PAGEUP},
    {34, KEY_PAGEDOWN},
    {35, KEY_END},
    {36, KEY_HOME},
    {37, KEY_LEFT},
    {38, KEY_UP},
    {39, KEY_RIGHT},
    {40, KEY_DOWN},
    {41, KEY_SELECT},
    {42, KEY_PRINT},
    {43, 0},
    {44, KEY_SYSRQ},
    {45, KEY_INSERT},
    {46, KEY_DELETE},
    {47, KEY_HELP},
    {48, KEY_0},
    {49, KEY_1},
    {50, KEY_2},
    {51, KEY_3},
    {52, KEY_4},
    {53, KEY_5},
    {54, KEY_6},
    {55, KEY_7},
    {56, KEY_8},
    {57, KEY_9},
    {65, KEY_A},
    {66, KEY_B},
    {67, KEY_C},
    {68, KEY_D},
    {69, KEY_E},
    {70, KEY_F},
    {71, KEY_G},
    {72, KEY_H},
    {73, KEY_I},
    {74, KEY_J},
    {75, KEY_K},
    {76, KEY_L},
    {77, KEY_M},
    {78, KEY_N},
    {79, KEY_O},
    {80, KEY_P},
    {81, KEY_Q},
    {82, KEY_R},
    {83, KEY_S},
    {84, KEY_T},
    {85, KEY_U},
    {86, KEY_V},
    {87, KEY_W},
    {88, KEY_X},
    {89, KEY_Y},
    {90, KEY_Z},
    {91, KEY_LEFTMETA},
    {92, KEY_RIGHTMETA},
    {93, KEY_COMPOSE},
    {95, KEY_SLEEP},
    {96, KEY_KP0},
    {97, KEY_KP1},
    {98, KEY_KP2},
    {99, KEY_KP3},
    {100, KEY_KP4},
    {101, KEY_KP5},
    {102, KEY_KP6},
    {103, KEY_KP7},
    {104, KEY_KP8},
    {105, KEY_KP9},
    {106, KEY_KPASTERISK},
    {107, KEY_KPPLUS},
    {108, KEY_KPCOMMA},
    {109, KEY_KPMINUS},
    {110, KEY_KPDOT},
    {111, KEY_KPSLASH},
    {112, KEY_F1},
    {113, KEY_F2},
    {114, KEY_F3},
    {115, KEY_F4},
    {116, KEY_F5},
    {117, KEY_F6},
    {118, KEY_F7},
    {119, KEY_F8},
    {120, KEY_F9},
    {121, KEY_F10},
    {122, KEY_F11},
    {123, KEY_F12},
    {124, KEY_F13},
    {125, KEY_F14},
    {126, KEY_F15},
    {127, KEY_F16},
    {128, KEY_F17},
    {129, KEY_F18},
    {130, KEY_F19},
    {131, KEY_F20},
    {132, KEY_F21},
    {133, KEY_F22},
    {134, KEY_F23},
    {135, KEY_F24},
    {144, KEY_NUMLOCK},
    {145, KEY_SCROLLLOCK},
    {160, KEY_LEFTSHIFT},
    {161, KEY_RIGHTSHIFT},
    {162, KEY_LEFTCTRL},
    {163, KEY_RIGHTCTRL},
    {164, KEY_LEFTALT},
    {165, KEY_RIGHTALT},
    {186, KEY_SEMICOLON},
    {187, KEY_EQUAL},
    {188, KEY_COMMA},
    {189, KEY_MINUS},
    {190, KEY_DOT},
    {191, KEY_SLASH},
    {192, KEY_GRAVE},
    {219, KEY_LEFTBRACE},
    {220, KEY_BACKSLASH},
    {221, KEY_RIGHTBRACE},
    {222, KEY_APOSTROPHE},
};

// What the macro player sends for a key: its fixed scan codes, else the mapped
// one, and its set of keys sent with the extended flag.
uint8_t playerScan(uint8_t vk) {
    switch (vk) {
    case 44:
        return 0x37;
    case 19:
        return 0x45;
    case 91:
        return 0x5B;
    default:
        return virtualKeyToScanCode(vk);
    }
}
bool playerExtended(uint8_t vk) {
    static const std::set<int> extended = {33, 34, 35, 36, 37,  38,  39,  40,  44,
                                           45, 46, 91, 93, 111, 144, 161, 163, 165};
    return extended.count(vk) != 0;
}

TEST(KeyMap, EveryNamedKeyAsThePlayerSendsIt) {
    for (auto [vk, expected] : kNamedKeys) {
        const auto v = static_cast<uint8_t>(vk);
        EXPECT_EQ(linuxKeyCode(v, playerScan(v), playerExtended(v)), expected) << "vk " << vk;
        // The same key with the natural scan code and prefix, and with none at all.
        EXPECT_EQ(linuxKeyCode(v, virtualKeyToScanCode(v), isExtendedVirtualKey(v)), expected)
            << "vk " << vk;
        EXPECT_EQ(linuxKeyCode(v, 0, false), expected) << "vk " << vk;
    }
}

TEST(KeyMap, KeysTheButtonFunctionsInject) {
    struct Case {
        uint8_t vk;
        bool mappedScan;
        int key;
    } cases[] = {
        {0x11, false, KEY_LEFTCTRL}, {0x43, true, KEY_C},     {0x56, true, KEY_V},
        {0x41, true, KEY_A},         {0x5A, true, KEY_Z},     {0x12, false, KEY_LEFTALT},
        {0x73, true, KEY_F4},        {0xAD, false, KEY_MUTE},
    };
    for (const Case& c : cases) {
        const uint8_t scan = c.mappedScan ? virtualKeyToScanCode(c.vk) : 0;
        EXPECT_EQ(linuxKeyCode(c.vk, scan, false), c.key) << int(c.vk);
        EXPECT_EQ(linuxKeyCode(c.vk, scan, false) + kXKeycodeOffset, c.key + 8u);
    }
}

TEST(KeyMap, ScanCodesAsTheKeyboardMapGivesThem) {
    struct Case {
        uint8_t vk;
        uint8_t scan;
        bool extended;
    } cases[] = {
        {0x43, 0x2E, false}, {0x56, 0x2F, false}, {0x41, 0x1E, false}, {0x5A, 0x2C, false},
        {0x73, 0x3E, false}, {0x11, 0x1D, false}, {0x12, 0x38, false}, {0x0D, 0x1C, false},
        {0x2C, 0x54, false}, {0x25, 0x4B, true},  {0xA3, 0x1D, true},  {0xAD, 0x20, true},
        {0x90, 0x45, true},  {0xA1, 0x36, false}, {0x00, 0x00, false}, {0xFF, 0x00, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(virtualKeyToScanCode(c.vk), c.scan) << int(c.vk);
        EXPECT_EQ(isExtendedVirtualKey(c.vk), c.extended) << int(c.vk);
    }
}

TEST(KeyMap, SetOneTableFollowsTheKernel) {
    for (uint8_t s = 0x01; s <= 0x53; ++s)
        EXPECT_EQ(linuxKeyFromScanCode(s, false), s);
    struct Case {
        uint8_t scan;
        bool extended;
        int key;
    } cases[] = {
        {0x57, false, KEY_F11},
        {0x58, false, KEY_F12},
        {0x56, false, KEY_102ND},
        {0x1C, true, KEY_KPENTER},
        {0x1D, true, KEY_RIGHTCTRL},
        {0x35, true, KEY_KPSLASH},
        {0x37, true, KEY_SYSRQ},
        {0x38, true, KEY_RIGHTALT},
        {0x47, true, KEY_HOME},
        {0x48, true, KEY_UP},
        {0x49, true, KEY_PAGEUP},
        {0x4B, true, KEY_LEFT},
        {0x4D, true, KEY_RIGHT},
        {0x4F, true, KEY_END},
        {0x50, true, KEY_DOWN},
        {0x51, true, KEY_PAGEDOWN},
        {0x52, true, KEY_INSERT},
        {0x53, true, KEY_DELETE},
        {0x5B, true, KEY_LEFTMETA},
        {0x5C, true, KEY_RIGHTMETA},
        {0x5D, true, KEY_COMPOSE},
        {0x20, true, KEY_MUTE},
        {0x2E, true, KEY_VOLUMEDOWN},
        {0x30, true, KEY_VOLUMEUP},
        {0x00, false, 0},
        {0x00, true, 0},
        {0x9E, false, 0}, // a break code
        {0x01, true, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(linuxKeyFromScanCode(c.scan, c.extended), c.key) << int(c.scan) << c.extended;
}

TEST(KeyMap, ScanCodePicksTheSideOfSidedKeysOnly) {
    EXPECT_EQ(linuxKeyCode(16, 0x36, false), KEY_RIGHTSHIFT);
    EXPECT_EQ(linuxKeyCode(17, 0x1D, true), KEY_RIGHTCTRL);
    EXPECT_EQ(linuxKeyCode(18, 0x38, true), KEY_RIGHTALT);
    EXPECT_EQ(linuxKeyCode(13, 0x1C, true), KEY_KPENTER);
    // A scan code that disagrees with its virtual key does not change the key:
    // volume mute with the plain 0x20 of MapVirtualKey is not the D key.
    EXPECT_EQ(linuxKeyCode(0xAD, 0x20, false), KEY_MUTE);
    EXPECT_EQ(linuxKeyCode(17, 0x2E, false), KEY_LEFTCTRL);
    // Pause travels as plain 0x45, which alone would be Num Lock.
    EXPECT_EQ(linuxKeyCode(19, 0x45, false), KEY_PAUSE);
    EXPECT_EQ(linuxKeyCode(144, 0x45, true), KEY_NUMLOCK);
    // A virtual key without a key of its own goes by its scan code.
    EXPECT_EQ(linuxKeyCode(0, 0x1E, false), KEY_A);
    EXPECT_EQ(linuxKeyCode(0xFF, 0x48, true), KEY_UP);
    EXPECT_EQ(linuxKeyCode(0xFF, 0, false), 0);
    // Mouse buttons' virtual keys are no keys.
    for (uint8_t vk : {1, 2, 4, 5, 6})
        EXPECT_EQ(linuxKeyCode(vk, 0, false), 0) << int(vk);
}

TEST(KeyMap, EveryMappedKeyFitsTheInjectors) {
    // uinput enables codes 1..255 and KEY_SELECT; X keycodes end at 255.
    for (int vk = 0; vk < 256; ++vk) {
        const uint16_t key = linuxKeyCode(static_cast<uint8_t>(vk), 0, false);
        EXPECT_TRUE(key < 256 || key == KEY_SELECT) << vk;
    }
}

TEST(KeyMap, MouseButtons) {
    struct Case {
        uint32_t flags;
        uint16_t button;
        bool down;
        unsigned x;
    } cases[] = {{kMouseLeftDown, BTN_LEFT, true, 1},     {kMouseLeftUp, BTN_LEFT, false, 1},
                 {kMouseRightDown, BTN_RIGHT, true, 3},   {kMouseRightUp, BTN_RIGHT, false, 3},
                 {kMouseMiddleDown, BTN_MIDDLE, true, 2}, {kMouseMiddleUp, BTN_MIDDLE, false, 2}};
    for (const Case& c : cases) {
        const MouseButtonEvent e = mouseButtonFromFlags(c.flags);
        EXPECT_EQ(e.button, c.button) << c.flags;
        EXPECT_EQ(e.down, c.down) << c.flags;
        EXPECT_EQ(xButtonFromLinuxButton(e.button), c.x) << c.flags;
    }
    for (uint32_t flags : {0u, 0x0001u, 0x0006u, 0x0080u, 0x8000u})
        EXPECT_EQ(mouseButtonFromFlags(flags).button, 0) << flags;
    EXPECT_EQ(xButtonFromLinuxButton(0), 0u);
}

} // namespace
} // namespace vux
