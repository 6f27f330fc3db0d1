#include "device/Discovery.h"

#include "app/AppState.h"

namespace vux {

uint8_t discoverDevice(AppState& state) {
    state.link.connected = 0;
    return 0;
}

} // namespace vux
