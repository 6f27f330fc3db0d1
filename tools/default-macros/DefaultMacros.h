#pragma once
// The macros delivered with the program, one set per interface language.

#include "macros/MacroTable.h"

#include <vector>

namespace vux {

std::vector<MacroSlot> defaultMacros(bool english);

} // namespace vux
