#pragma once

#include <stop_token>

namespace vux {

struct AppState;

// The button action executor worker: waits on the mailbox until stopped.
void executorLoop(AppState& state, std::stop_token stop);

} // namespace vux
