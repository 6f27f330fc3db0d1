#include "app/Lifecycle.h"

#include "app/AppState.h"
#include "app/MainDialog.h"

namespace vux {

void closeProgram(AppState&, CVUX_GMouseDlg& dialog) {
    dialog.close();
}

} // namespace vux
