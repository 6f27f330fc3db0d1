#pragma once

#include <QString>

namespace vux {

struct AppState;

void loadMacroFile(AppState& state, const QString& path);

} // namespace vux
