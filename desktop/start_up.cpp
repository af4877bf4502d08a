#include "desktop/start_up.h"

namespace desktop {

void nameApplication(const QString& name, const QString& version, const QString& desktopFile,
                     const QIcon& icon) {
    QApplication::setApplicationName(name);
    QApplication::setApplicationVersion(version);
    QApplication::setDesktopFileName(desktopFile);
    QApplication::setWindowIcon(icon);
}

}  // namespace desktop
