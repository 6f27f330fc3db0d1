#pragma once
// Operations the main window's rows lead to that live in other parts of the
// program: the function menu, the macro page's editor and files, and the
// profile files. Each is one named entry point; those not yet written do
// nothing, so the rows already work as far as they can.

#include "ui/MainPainter.h"
#include "ui/SkinLayout.h"

class QWidget;

namespace vux {

struct AppState;

// Function menu for the button of label row (25..32), opened under that label.
void openFunctionMenu(AppState& state, QWidget* window, const SkinLayout& layout, int row);
// Closes the open function menu.
void closeFunctionMenu(AppState& state);
// Destroys the function menu when it asked to be closed (checked at every paint).
void serviceMenuCloseRequest(AppState& state);

// The macro editor's state as the macro page shows it.
MacroPageStatus macroPageStatus(const AppState& state);

void createMacroControls(AppState& state, QWidget* window, const SkinLayout& layout);
void destroyMacroControls(AppState& state);
void refillMacroList(AppState& state);
// Returns true when a file was chosen and read.
bool importMacros(AppState& state, QWidget* window);
void exportMacros(AppState& state, QWidget* window);
void addMacro(AppState& state);
void deleteMacro(AppState& state);
void toggleRecording(AppState& state);
void saveMacros(AppState& state);
void toggleRepeat(AppState& state);

// Returns true when a file was chosen.
bool importProfile(AppState& state, QWidget* window);
void exportProfile(AppState& state, QWidget* window);
void factoryReset(AppState& state, QWidget* window);

} // namespace vux
