#include "device/EventReader.h"

#include "app/AppState.h"

namespace vux {

void readerLoop(AppState&, std::stop_token) {}

} // namespace vux
