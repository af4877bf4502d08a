#include "desktop/screenshots.h"

#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QFont>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace desktop {

std::optional<Language> takeLanguage(std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front() != "--lang") return Language::Czech;
    const std::optional<Language> language =
        arguments.size() > 1 ? languageNamed(QString::fromStdString(arguments[1])) : std::nullopt;
    arguments.erase(arguments.begin(), arguments.begin() + std::min<size_t>(2, arguments.size()));
    return language;
}

void useOffscreenUnlessTold() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

void useScreenshotLook() {
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
}

void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

bool PictureFolder::save(const QPixmap& picture, const char* name) const {
    const QString path = folder_.filePath(QString::fromLatin1(name));
    if (!picture.save(path, "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", tool_, qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool PictureFolder::saveModal(const char* name, const std::function<void()>& run) const {
    bool saved = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            settle();
            saved = save(box->grab(), name);
            box->close();
        }
    });
    run();
    return saved;
}

}  // namespace desktop
