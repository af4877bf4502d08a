#include "desktop/screenshots.h"

#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QFont>
#include <QPainter>
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

QPixmap withTitleBar(QWidget& window) {
    const QPixmap inside = window.grab();
    const int bar = window.fontMetrics().height() + 12;
    QPixmap framed(inside.width(), inside.height() + bar);
    framed.fill(window.palette().color(QPalette::Dark));
    QPainter painter(&framed);
    const QRect title(0, 0, inside.width(), bar);
    const int icon = bar - 8;
    const QString text = window.windowTitle();
    const int textWidth = window.fontMetrics().horizontalAdvance(text);
    const int left = (inside.width() - textWidth - icon - 6) / 2;
    painter.drawPixmap(left, 4, window.windowIcon().pixmap(icon, icon));
    painter.setPen(window.palette().color(QPalette::BrightText));
    painter.setFont(window.font());
    painter.drawText(title.adjusted(left + icon + 6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
    painter.drawPixmap(0, bar, inside);
    return framed;
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
