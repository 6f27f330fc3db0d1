#pragma once

namespace vux {

struct AppState;

} // namespace vux
