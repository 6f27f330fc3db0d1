#include "engine/Executor.h"

#include "app/AppState.h"

namespace vux {

void executorLoop(AppState&, std::stop_token) {}

} // namespace vux
