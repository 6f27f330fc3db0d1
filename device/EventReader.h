#pragma once

#include <stop_token>

namespace vux {

struct AppState;

// The device event reader worker: one input report per pass until stopped.
void readerLoop(AppState& state, std::stop_token stop);

} // namespace vux
