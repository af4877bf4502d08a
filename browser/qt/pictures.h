#pragma once
// Kelvorn's pictures: its own, the four buttons', and the trees' in the order the logic's icon indices name
// them.
#include <QIcon>

#include "desktop/icon_cache.h"

namespace kelvorn {

// The program's own picture, from the icon theme once installed, else from our resources.
QIcon programIcon();

// Pictures of the four command buttons.
QIcon copyToHostIcon();
QIcon copyToImageIcon();
QIcon deleteIcon();
QIcon newIcon();

// What both trees show: the fixed pictures, and the system's picture of each file extension.
desktop::IconCache treeIcons();

}  // namespace kelvorn
