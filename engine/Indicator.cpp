#include "engine/Indicator.h"

#include "app/AppState.h"

namespace vux {

void blinkLoop(AppState& state, std::stop_token) { state.shell.blinkRunning = 0; }

} // namespace vux
