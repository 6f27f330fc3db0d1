#include "ui/PageSeams.h"

namespace vux {

void openFunctionMenu(AppState&, QWidget*, const SkinLayout&, int) {}
void closeFunctionMenu(AppState&) {}
void serviceMenuCloseRequest(AppState&) {}

MacroPageStatus macroPageStatus(const AppState&) {
    return {};
}

void createMacroControls(AppState&, QWidget*, const SkinLayout&) {}
void destroyMacroControls(AppState&) {}
void refillMacroList(AppState&) {}
bool importMacros(AppState&, QWidget*) {
    return false;
}
void exportMacros(AppState&, QWidget*) {}
void addMacro(AppState&) {}
void deleteMacro(AppState&) {}
void toggleRecording(AppState&) {}
void saveMacros(AppState&) {}
void toggleRepeat(AppState&) {}

bool importProfile(AppState&, QWidget*) {
    return false;
}
void exportProfile(AppState&, QWidget*) {}
void factoryReset(AppState&, QWidget*) {}

} // namespace vux
