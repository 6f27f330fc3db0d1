#pragma once
// The macro table: up to twelve macros of the language's macro file.

#include "platform/Relaxed.h"

#include <cstdint>

namespace vux {

struct MacroTable {
    Relaxed<int32_t> macroCount;
    Relaxed<int32_t> selectedMacro;
};

} // namespace vux
