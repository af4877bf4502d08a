#pragma once
// Mirask's pictures: its own, and the file tree's six in the order the logic's icon indices name them.
#include <QIcon>

#include "desktop/icon_cache.h"

namespace mirask {

// From the icon theme once installed, else from our resources.
QIcon programIcon();
// The about box's second picture.
QIcon floppyIcon();

// The file tree's pictures, in the order the logic's icon indices name them.
desktop::IconCache treePictures();

}  // namespace mirask
