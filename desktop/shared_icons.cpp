#include "desktop/shared_icons.h"

#include <QPainter>
#include <QPixmap>

// The pictures live in a static library, where nothing would pull their resource in without this call.
static void loadSharedIcons() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(desktop_icons);
        return true;
    }();
    (void)loaded;
}

namespace desktop {
namespace {

QIcon ours(const char* resource) {
    loadSharedIcons();
    return QIcon(QString::fromLatin1(resource));
}

QIcon themed(const char* themeName, const char* resource) {
    return QIcon::fromTheme(QString::fromLatin1(themeName), ours(resource));
}

}  // namespace

QIcon folderIcon() {
    return themed("folder", ":/desktop/folder.svg");
}
QIcon openFolderIcon() {
    return themed("folder-open", ":/desktop/folder-open.svg");
}
QIcon hardDiskIcon() {
    return themed("drive-harddisk", ":/desktop/drive-harddisk.svg");
}
QIcon opticalDiskIcon() {
    return themed("drive-optical", ":/desktop/drive-optical.svg");
}
QIcon removableDiskIcon() {
    return themed("drive-removable-media", ":/desktop/drive-removable.svg");
}
QIcon floppy35Picture() {
    return ours(":/desktop/floppy-35.svg");
}

QIcon withWarningMark(const QIcon& icon) {
    // Ours, not the theme's: a theme's warning sign is drawn for a whole icon and gets lost at half size.
    const QIcon mark = ours(":/desktop/warning-mark.svg");
    QIcon marked;
    for (const int side : {16, 24, 32, 48}) {
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Selected}) {
            QPixmap picture = icon.pixmap(side, side, mode);
            if (picture.isNull()) {
                picture = QPixmap(side, side);
                picture.fill(Qt::transparent);
            }
            const int markSide = side * 5 / 8;
            QPainter painter(&picture);
            painter.drawPixmap(side - markSide, side - markSide, mark.pixmap(markSide, markSide));
            painter.end();
            marked.addPixmap(picture, mode);
        }
    }
    return marked;
}

QIcon withSelectedPicture(const QIcon& normal, const QIcon& selected) {
    // The item views paint a selected row with the icon's Selected mode, so both pictures go in one icon.
    QIcon both;
    for (const int side : {16, 24, 32, 48}) {
        both.addPixmap(normal.pixmap(side, side), QIcon::Normal);
        both.addPixmap(selected.pixmap(side, side), QIcon::Selected);
    }
    return both;
}

}  // namespace desktop
