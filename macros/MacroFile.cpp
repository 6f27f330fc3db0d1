#include "macros/MacroFile.h"

#include "app/AppState.h"

namespace vux {

void loadMacroFile(AppState&, const QString&) {}

} // namespace vux
