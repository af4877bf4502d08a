#pragma once
// How both programs start once their command line is read: named to Qt and the desktop, then one window
// with its logic attached, run until it closes.
#include <functional>

#include <QApplication>
#include <QIcon>

namespace desktop {

// Application name and version, the .desktop file that names the program, and its icon.
void nameApplication(const QString& name, const QString& version, const QString& desktopFile,
                     const QIcon& icon);

// Attaches the logic to its window, fills the window, shows it, lets afterShow act (an image named on the
// command line), and runs until the window closes; the window hears nothing of the logic afterwards.
template <typename Window, typename Dialog>
int runWindow(Window& window, Dialog& dialog, const std::function<void()>& afterShow = {}) {
    window.attach(&dialog);
    dialog.initialise();
    window.show();
    if (afterShow) afterShow();
    const int status = QApplication::exec();
    window.attach(nullptr);
    return status;
}

}  // namespace desktop
