#pragma once
// The button functions that start something on the desktop: the file
// manager's view of the computer, the screen lock, a calculator, a terminal.

#include <cstdint>

namespace vux {

class ProcessLauncher;

inline constexpr int32_t kFuncOpenComputer = 36;
inline constexpr int32_t kFuncLockSession = 37;
inline constexpr int32_t kFuncCalculator = 38;
inline constexpr int32_t kFuncTerminal = 39;

bool isHostAction(int32_t functionCode);

// Starts what the function stands for; a program that is missing or fails is
// passed over in silence.
void runHostAction(int32_t functionCode, ProcessLauncher& launcher);

} // namespace vux
