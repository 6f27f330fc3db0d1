#pragma once
// Which page the main window shows and which rows are under the pointer.

#include "platform/Relaxed.h"

#include <cstdint>

namespace vux {

struct MainViewState {
    Relaxed<int32_t> viewMode; // 0 main page, 1 macro page, 2 DPI/light page
    Relaxed<uint8_t> hotMain{255};
    Relaxed<uint8_t> hotColor{255};
    Relaxed<uint8_t> hotAdvanced{255};
    Relaxed<uint8_t> buttonHeld;
    // The hot rows at the previous pointer move; a change repaints.
    Relaxed<uint8_t> prevHotMain{255};
    Relaxed<uint8_t> prevHotColor{255};
    Relaxed<uint8_t> prevHotAdvanced{255};
};

} // namespace vux
