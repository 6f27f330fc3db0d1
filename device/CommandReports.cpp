#include "device/CommandReports.h"

#include "app/AppState.h"

namespace vux {

void applySettings(AppState&) {}

} // namespace vux
