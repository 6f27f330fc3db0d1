#pragma once

#include <QIcon>

namespace vux {

// The program's icon (window and tray): a mouse silhouette in the skin's accent colour.
QIcon appIcon();

} // namespace vux
