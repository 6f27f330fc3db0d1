#pragma once

namespace vux {

struct AppState;
class CVUX_GMouseDlg;

// The close sequence: ends the program's window, and with it the program.
void closeProgram(AppState& state, CVUX_GMouseDlg& dialog);

} // namespace vux
