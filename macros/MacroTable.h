#pragma once
// The macro table: up to twelve macros of the language's macro file. The UI
// thread edits it while the executor plays from it, so the slots sit behind a
// lock and the player works on a copy of its slot.

#include "platform/Relaxed.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace vux {

inline constexpr int kMacroEventCapacity = 255;
inline constexpr int kMacroTableSize = 13; // 12 macros and one blank entry
inline constexpr int kMacroMax = 12;
inline constexpr uint8_t kKeyMouseLeft = 240;
inline constexpr uint8_t kKeyMouseRight = 241;
inline constexpr uint8_t kKeyMouseMiddle = 242;
inline constexpr uint8_t kActionDown = 1;
inline constexpr uint8_t kActionUp = 2;

#pragma pack(push, 1)
struct MacroEvent {
    uint8_t keyCode;
    uint8_t action;
};

// One macro, byte for byte as the macro file stores it (little-endian).
struct MacroSlot {
    char16_t name[20];
    uint8_t repeatEnabled;
    uint16_t repeatCount;
    uint8_t eventCount;
    MacroEvent events[kMacroEventCapacity];
    uint16_t delays[kMacroEventCapacity];
};
#pragma pack(pop)

static_assert(sizeof(MacroSlot) == 1064);
static_assert(offsetof(MacroSlot, repeatEnabled) == 40);
static_assert(offsetof(MacroSlot, repeatCount) == 41);
static_assert(offsetof(MacroSlot, eventCount) == 43);
static_assert(offsetof(MacroSlot, events) == 44);
static_assert(offsetof(MacroSlot, delays) == 554);

struct MacroTable {
    // Guards entries; hold it only to copy or change entries, never while playing.
    mutable std::mutex lock;
    std::array<MacroSlot, kMacroTableSize> entries{};
    Relaxed<int16_t> macroCount;
    Relaxed<int32_t> selectedMacro;

    // Entry i, for a caller that holds lock.
    MacroSlot& slotAt(int i) { return entries.at(static_cast<std::size_t>(i)); }
    const MacroSlot& slotAt(int i) const { return entries.at(static_cast<std::size_t>(i)); }

    // A copy of slot i taken under the lock.
    MacroSlot snapshot(int i) const {
        std::lock_guard guard(lock);
        return entries.at(static_cast<std::size_t>(i));
    }
};

} // namespace vux
