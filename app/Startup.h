#pragma once

#include <QString>

namespace vux {

struct AppState;
class CVUX_GMouseDlg;
class Workers;

// The paths every file is addressed from, all derived from the program's folder.
void setProgramFolder(AppState& state, const QString& appFolder);

// The window's initialisation, in its fixed order: workers, language, profile,
// skin, shape, macros, fonts, the mouse, then the profile applied.
void initDialog(AppState& state, CVUX_GMouseDlg& dialog, Workers& workers);

// The messages of a start without the mouse.
QString plugInMessage(bool english);

} // namespace vux
