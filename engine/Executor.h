#pragma once

#include <cstdint>
#include <stop_token>

namespace vux {

struct AppState;

// The button action executor worker: waits on the mailbox until stopped,
// carries out each pending button event and then empties the mailbox.
void executorLoop(AppState& state, std::stop_token stop);

// Carries out the function of the button whose press code (240 + its device
// code) is eventCode; codes of no button do nothing. Blocks while a macro plays.
void dispatchButtonEvent(AppState& state, uint8_t eventCode, std::stop_token stop);

} // namespace vux
