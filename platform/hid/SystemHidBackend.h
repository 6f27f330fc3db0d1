#pragma once
// The program's HID backend: the hidraw devices first, then the virtual mice.

#include "platform/hid/HidBackend.h"

#include <memory>

namespace vux::hid {

std::unique_ptr<HidBackend> makeSystemHidBackend();

} // namespace vux::hid
