#pragma once
// Checks that every text fits where the program will write it, measured with
// the faces the program uses. A text that would be clipped or run into a
// neighbour fails the build instead of shipping.

#include "Painter.h"
#include "Skin.h"

#include <QStringList>

namespace skin {

QStringList checkTexts(const Skin& skin, const Fonts& fonts);

} // namespace skin
