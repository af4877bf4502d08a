#pragma once
// What both screenshot tools share: the same look on every machine, and PNG files named by the caller.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QDir>
#include <QString>

#include "desktop/language.h"

class QPixmap;
class QWidget;

namespace desktop {

// The arguments after the tool's name, with a leading "--lang cs|en" taken off: the language the pictures
// show (Czech without it); nothing for a language we do not speak.
std::optional<Language> takeLanguage(std::vector<std::string>& arguments);

// Before QApplication exists: offscreen unless QT_QPA_PLATFORM says otherwise.
void useOffscreenUnlessTold();
// After: Fusion and DejaVu Sans, so pictures do not depend on the desktop they were made on.
void useScreenshotLook();
// Lets layouts and paints that are still queued finish.
void settle();
// The window as a person sees it on a desktop: with a title bar above (the offscreen platform draws none),
// so a picture shows the window's title too.
QPixmap withTitleBar(QWidget& window);

class PictureFolder {
  public:
    // tool names the program in its complaints.
    PictureFolder(const QDir& folder, const char* tool) : folder_(folder), tool_(tool) {}

    // Writes folder/name and prints its path.
    bool save(const QPixmap& picture, const char* name) const;
    // Modal dialogs run their own event loop: takes the picture from inside it, then dismisses the dialog.
    bool saveModal(const char* name, const std::function<void()>& run) const;

  private:
    QDir folder_;
    const char* tool_;
};

}  // namespace desktop
