#pragma once
// A designer's preview: a page composed from the written pictures the way the
// program composes it (normal picture, the selections copied from the down
// picture, the texts on top), without running the program.

#include "Painter.h"
#include "Skin.h"

#include <QImage>

namespace skin {

// page: 0 main, 1 macro, 2 DPI/light; hover: a row of the page's table to show hovered, or -1.
QImage preview(const Skin& skin, const Fonts& fonts, const QString& skinsFolder, int page,
               bool english, int hover);

} // namespace skin
