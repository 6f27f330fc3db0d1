#include "platform/input/KeyMap.h"

#include "platform/input/InputInjector.h"

#include <array>

namespace vux {

namespace {

// Linux input key codes used below (linux/input-event-codes.h); this file stays
// free of system headers so the tables can be tested anywhere.
enum LinuxKey : uint16_t {
    kEsc = 1,
    kEnter = 28,
    kLeftCtrl = 29,
    kLeftShift = 42,
    kRightShift = 54,
    kKpAsterisk = 55,
    kLeftAlt = 56,
    kNumLock = 69,
    kScrollLock = 70,
    kKpDot = 83,
    k102nd = 86,
    kF11 = 87,
    kF12 = 88,
    kRo = 89,
    kKatakanaHiragana = 93,
    kHenkan = 92,
    kMuhenkan = 94,
    kKpEnter = 96,
    kRightCtrl = 97,
    kKpSlash = 98,
    kSysRq = 99,
    kRightAlt = 100,
    kHome = 102,
    kUp = 103,
    kPageUp = 104,
    kLeft = 105,
    kRight = 106,
    kEnd = 107,
    kDown = 108,
    kPageDown = 109,
    kInsert = 110,
    kDelete = 111,
    kMute = 113,
    kVolumeDown = 114,
    kVolumeUp = 115,
    kPower = 116,
    kKpEqual = 117,
    kPause = 119,
    kKpComma = 121,
    kHanja = 123,
    kYen = 124,
    kLeftMeta = 125,
    kRightMeta = 126,
    kCompose = 127,
    kStop = 128,
    kHelp = 138,
    kCalc = 140,
    kSleep = 142,
    kWakeUp = 143,
    kMail = 155,
    kBookmarks = 156,
    kComputer = 157,
    kBack = 158,
    kForward = 159,
    kNextSong = 163,
    kPlayPause = 164,
    kPreviousSong = 165,
    kStopCd = 166,
    kHomePage = 172,
    kRefresh = 173,
    kF13 = 183,
    kF24 = 194,
    kPrint = 210,
    kSearch = 217,
    kMedia = 226,
    kSelect = 0x161,
};

constexpr uint16_t kBtnLeft = 0x110;
constexpr uint16_t kBtnRight = 0x111;
constexpr uint16_t kBtnMiddle = 0x112;

// Set 1 without prefix. Linux numbers the keys of codes 0x01..0x53 with the codes themselves.
constexpr std::array<uint16_t, 128> kSet1 = [] {
    std::array<uint16_t, 128> t{};
    for (uint16_t s = 0x01; s <= 0x53; ++s)
        t[s] = s;
    t[0x54] = kSysRq; // Alt+Print Screen
    t[0x56] = k102nd;
    t[0x57] = kF11;
    t[0x58] = kF12;
    t[0x59] = kKpEqual;
    for (uint16_t s = 0x64; s <= 0x6E; ++s) // F13..F23
        t[s] = static_cast<uint16_t>(kF13 + (s - 0x64));
    t[0x70] = kKatakanaHiragana;
    t[0x73] = kRo;
    t[0x76] = kF24;
    t[0x79] = kHenkan;
    t[0x7B] = kMuhenkan;
    t[0x7D] = kYen;
    return t;
}();

// Set 1 with the E0 prefix.
constexpr std::array<uint16_t, 128> kSet1E0 = [] {
    std::array<uint16_t, 128> t{};
    t[0x10] = kPreviousSong;
    t[0x19] = kNextSong;
    t[0x1C] = kKpEnter;
    t[0x1D] = kRightCtrl;
    t[0x20] = kMute;
    t[0x21] = kCalc;
    t[0x22] = kPlayPause;
    t[0x24] = kStopCd;
    // E0 2A / E0 36 are the keyboard's fake shifts, which the kernel drops; a
    // shift sent with the extended flag (right Shift is) still means that shift.
    t[0x2A] = kLeftShift;
    t[0x36] = kRightShift;
    t[0x2E] = kVolumeDown;
    t[0x30] = kVolumeUp;
    t[0x32] = kHomePage;
    t[0x35] = kKpSlash;
    t[0x37] = kSysRq; // Print Screen
    t[0x38] = kRightAlt;
    t[0x45] = kNumLock; // Num Lock travels as E0 45, plain 45 being Pause's tail
    t[0x46] = kPause;   // Ctrl+Break
    t[0x47] = kHome;
    t[0x48] = kUp;
    t[0x49] = kPageUp;
    t[0x4B] = kLeft;
    t[0x4D] = kRight;
    t[0x4F] = kEnd;
    t[0x50] = kDown;
    t[0x51] = kPageDown;
    t[0x52] = kInsert;
    t[0x53] = kDelete;
    t[0x5B] = kLeftMeta;
    t[0x5C] = kRightMeta;
    t[0x5D] = kCompose;
    t[0x5E] = kPower;
    t[0x5F] = kSleep;
    t[0x63] = kWakeUp;
    t[0x65] = kSearch;
    t[0x66] = kBookmarks;
    t[0x67] = kRefresh;
    t[0x68] = kStop;
    t[0x69] = kForward;
    t[0x6A] = kBack;
    t[0x6B] = kComputer;
    t[0x6C] = kMail;
    t[0x6D] = kMedia;
    return t;
}();

constexpr uint16_t set1Key(uint8_t scan, bool extended) {
    if (scan >= 0x80)
        return 0; // break codes are not keys
    return extended ? kSet1E0[scan] : kSet1[scan];
}

// A virtual key on a US layout: its set-1 scan code, whether that carries E0,
// and the Linux key for keys that have no scan code of their own.
struct VirtualKey {
    uint8_t vk;
    uint8_t scan;
    bool extended;
    uint16_t linuxKey = 0; // only where scan cannot give it
};

constexpr VirtualKey kVirtualKeys[] = {
    {8, 0x0E, false},
    {9, 0x0F, false},
    {12, 0x4C, false},
    {13, 0x1C, false},
    {16, 0x2A, false},
    {17, 0x1D, false},
    {18, 0x38, false},
    {19, 0x45, false, kPause}, // sent as E1 1D 45: plain 45 with the Pause key
    {20, 0x3A, false},
    {21, 0x70, false},
    {25, 0x00, false, kHanja},
    {27, 0x01, false},
    {28, 0x79, false},
    {29, 0x7B, false},
    {32, 0x39, false},
    {33, 0x49, true},
    {34, 0x51, true},
    {35, 0x4F, true},
    {36, 0x47, true},
    {37, 0x4B, true},
    {38, 0x48, true},
    {39, 0x4D, true},
    {40, 0x50, true},
    {41, 0x00, false, kSelect},
    {42, 0x00, false, kPrint},
    {44, 0x54, false}, // Print Screen; the player sends it as E0 37, which maps to the same key
    {45, 0x52, true},
    {46, 0x53, true},
    {47, 0x00, false, kHelp},
    {48, 0x0B, false},
    {49, 0x02, false},
    {50, 0x03, false},
    {51, 0x04, false},
    {52, 0x05, false},
    {53, 0x06, false},
    {54, 0x07, false},
    {55, 0x08, false},
    {56, 0x09, false},
    {57, 0x0A, false},
    {65, 0x1E, false},
    {66, 0x30, false},
    {67, 0x2E, false},
    {68, 0x20, false},
    {69, 0x12, false},
    {70, 0x21, false},
    {71, 0x22, false},
    {72, 0x23, false},
    {73, 0x17, false},
    {74, 0x24, false},
    {75, 0x25, false},
    {76, 0x26, false},
    {77, 0x32, false},
    {78, 0x31, false},
    {79, 0x18, false},
    {80, 0x19, false},
    {81, 0x10, false},
    {82, 0x13, false},
    {83, 0x1F, false},
    {84, 0x14, false},
    {85, 0x16, false},
    {86, 0x2F, false},
    {87, 0x11, false},
    {88, 0x2D, false},
    {89, 0x15, false},
    {90, 0x2C, false},
    {91, 0x5B, true},
    {92, 0x5C, true},
    {93, 0x5D, true},
    {95, 0x5F, true},
    {96, 0x52, false},
    {97, 0x4F, false},
    {98, 0x50, false},
    {99, 0x51, false},
    {100, 0x4B, false},
    {101, 0x4C, false},
    {102, 0x4D, false},
    {103, 0x47, false},
    {104, 0x48, false},
    {105, 0x49, false},
    {106, 0x37, false},
    {107, 0x4E, false},
    {108, 0x00, false, kKpComma},
    {109, 0x4A, false},
    {110, 0x53, false},
    {111, 0x35, true},
    {112, 0x3B, false},
    {113, 0x3C, false},
    {114, 0x3D, false},
    {115, 0x3E, false},
    {116, 0x3F, false},
    {117, 0x40, false},
    {118, 0x41, false},
    {119, 0x42, false},
    {120, 0x43, false},
    {121, 0x44, false},
    {122, 0x57, false},
    {123, 0x58, false},
    {124, 0x64, false},
    {125, 0x65, false},
    {126, 0x66, false},
    {127, 0x67, false},
    {128, 0x68, false},
    {129, 0x69, false},
    {130, 0x6A, false},
    {131, 0x6B, false},
    {132, 0x6C, false},
    {133, 0x6D, false},
    {134, 0x6E, false},
    {135, 0x76, false},
    {144, 0x45, true},
    {145, 0x46, false},
    {160, 0x2A, false},
    {161, 0x36, false},
    {162, 0x1D, false},
    {163, 0x1D, true},
    {164, 0x38, false},
    {165, 0x38, true},
    {166, 0x6A, true},
    {167, 0x69, true},
    {168, 0x67, true},
    {169, 0x68, true},
    {170, 0x65, true},
    {171, 0x66, true},
    {172, 0x32, true},
    {173, 0x20, true},
    {174, 0x2E, true},
    {175, 0x30, true},
    {176, 0x19, true},
    {177, 0x10, true},
    {178, 0x24, true},
    {179, 0x22, true},
    {180, 0x6C, true},
    {181, 0x6D, true},
    {182, 0x6B, true},
    {183, 0x21, true},
    {186, 0x27, false},
    {187, 0x0D, false},
    {188, 0x33, false},
    {189, 0x0C, false},
    {190, 0x34, false},
    {191, 0x35, false},
    {192, 0x29, false},
    {219, 0x1A, false},
    {220, 0x2B, false},
    {221, 0x1B, false},
    {222, 0x28, false},
    {226, 0x56, false},
};

struct VirtualKeyEntry {
    uint8_t scan = 0;
    bool extended = false;
    uint16_t linuxKey = 0;
};

constexpr std::array<VirtualKeyEntry, 256> kVirtualKeyTable = [] {
    std::array<VirtualKeyEntry, 256> t{};
    for (const VirtualKey& k : kVirtualKeys)
        t[k.vk] = {k.scan, k.extended, k.linuxKey != 0 ? k.linuxKey : set1Key(k.scan, k.extended)};
    return t;
}();

// Keys whose virtual-key code leaves the side open (Shift, Ctrl, Alt) or the
// block (Enter): the scan code picks the right-hand or keypad key.
struct SidedKey {
    uint8_t vk;
    uint16_t otherKey;
};
constexpr SidedKey kSidedKeys[] = {
    {13, kKpEnter}, {16, kRightShift}, {17, kRightCtrl}, {18, kRightAlt}};

} // namespace

uint8_t virtualKeyToScanCode(uint8_t vk) {
    return kVirtualKeyTable[vk].scan;
}

bool isExtendedVirtualKey(uint8_t vk) {
    return kVirtualKeyTable[vk].extended;
}

uint16_t linuxKeyFromScanCode(uint8_t scan, bool extended) {
    return set1Key(scan, extended);
}

uint16_t linuxKeyCode(uint8_t vk, uint8_t scan, bool extended) {
    const uint16_t own = kVirtualKeyTable[vk].linuxKey;
    const uint16_t byScan = scan != 0 ? set1Key(scan, extended) : 0;
    // The virtual key decides, as it does for the programs that receive it; the
    // scan code only chooses the side of a sided key, or stands in for a
    // virtual key that has no key of its own.
    if (own == 0)
        return byScan;
    for (const SidedKey& k : kSidedKeys)
        if (k.vk == vk && byScan == k.otherKey)
            return byScan;
    return own;
}

MouseButtonEvent mouseButtonFromFlags(uint32_t flags) {
    switch (flags) {
    case kMouseLeftDown:
        return {kBtnLeft, true};
    case kMouseLeftUp:
        return {kBtnLeft, false};
    case kMouseRightDown:
        return {kBtnRight, true};
    case kMouseRightUp:
        return {kBtnRight, false};
    case kMouseMiddleDown:
        return {kBtnMiddle, true};
    case kMouseMiddleUp:
        return {kBtnMiddle, false};
    default:
        return {};
    }
}

unsigned xButtonFromLinuxButton(uint16_t button) {
    switch (button) {
    case kBtnLeft:
        return 1;
    case kBtnMiddle:
        return 2;
    case kBtnRight:
        return 3;
    default:
        return 0;
    }
}

} // namespace vux
