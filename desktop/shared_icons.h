#pragma once
// Pictures both programs show: the freedesktop theme's where it has them, else our own small SVGs.
#include <QIcon>

namespace desktop {

QIcon folderIcon();
QIcon openFolderIcon();
QIcon hardDiskIcon();
QIcon opticalDiskIcon();
QIcon removableDiskIcon();
// A 3.5-inch floppy: always ours, since no theme tells it from other removable media.
QIcon floppy35Picture();

// The icon with a warning mark over its lower right corner, in both its normal and selected pictures.
QIcon withWarningMark(const QIcon& icon);

// One icon that item views draw as normal, and as selected while its row is selected.
QIcon withSelectedPicture(const QIcon& normal, const QIcon& selected);

}  // namespace desktop
