// kelvorn_screenshot OUT_DIR [IMAGE]: renders Kelvorn's window (IMAGE open, its folder as the only drive),
// the extension filter's drop-down, the about box and the two "new" dialogs to PNG files, offscreen unless
// told otherwise.
#include <cstdio>
#include <functional>
#include <string>
#include <variant>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QTreeWidget>

#include "browser/browser_dialog.h"
#include "browser/library_entries.h"
#include "browser/message_table.h"
#include "image_list.h"
#include "kelvorn_window.h"

namespace {

void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

bool save(const QPixmap& picture, const QDir& folder, const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!picture.save(path, "PNG")) {
        std::fprintf(stderr, "kelvorn_screenshot: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Modal dialogs run their own event loop; take the picture from inside it, then dismiss the dialog.
bool saveModal(const QDir& folder, const char* name, const std::function<void()>& run) {
    bool saved = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            settle();
            saved = save(box->grab(), folder, name);
            box->close();
        }
    });
    run();
    return saved;
}

// Opens the first folders of the image so the picture shows some depth.
void expandSomeFolders(QTreeWidget& tree, int count) {
    if (tree.topLevelItemCount() == 0) return;
    QTreeWidgetItem* root = tree.topLevelItem(0);
    int opened = 0;
    for (int i = 0; i < root->childCount() && opened < count; ++i) {
        QTreeWidgetItem* child = root->child(i);
        if (child->childCount() == 0) continue;
        child->setExpanded(true);
        if (opened++ == 0) tree.setCurrentItem(child->child(0));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("usage: kelvorn_screenshot OUT_DIR [IMAGE]\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    QApplication::setWindowIcon(kelvorn::programIcon());

    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "kelvorn_screenshot: cannot create %s\n", argv[1]);
        return 1;
    }
    const std::string image =
        argc == 3 ? QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath().toStdString()
                  : std::string();

    auto bound = browser::bindLibrary(browser::libraryCandidates());
    if (const auto* failure = std::get_if<browser::BindFailure>(&bound)) {
        std::fprintf(stderr, "kelvorn_screenshot: %s\n", failure->message.c_str());
        return 1;
    }

    // With an image, its folder is the one drive, so the picture shows nothing else of this machine.
    browser::HostServices host;
    if (!image.empty()) {
        const std::string folder = QFileInfo(QString::fromStdString(image)).absolutePath().toStdString();
        host.listDrives = [folder] {
            return std::vector<platform::HostDrive>{{folder, platform::DriveType::Fixed}};
        };
    }

    kelvorn::KelvornWindow window(QString::fromStdString(browser::messageText(101)));
    browser::BrowserDialog dialog(window, std::get<browser::LibraryEntries>(bound), browser::StartOptions{},
                                  host);
    window.attach(&dialog);
    dialog.initialise();
    window.resize(900, 560);
    window.show();
    if (!image.empty()) dialog.openImageAtStart(image);
    expandSomeFolders(*window.treeWidget(browser::Tree::Image), 2);
    settle();

    bool ok = save(window.grab(), out, "kelvorn-window.png");

    // The drop-down is a window of its own; paint it where it sits over the main window.
    QComboBox* filter = window.extensionFilter();
    filter->showPopup();
    settle();
    QWidget* popup = filter->view()->window();

    QPixmap withPopup = window.grab();
    {
        QPainter painter(&withPopup);
        painter.drawPixmap(popup->mapToGlobal(QPoint(0, 0)) - window.mapToGlobal(QPoint(0, 0)),
                           popup->grab());
    }
    filter->hidePopup();
    ok = save(withPopup, out, "kelvorn-filter.png") && ok;

    ok = saveModal(out, "kelvorn-about.png", [&] { dialog.onAbout(); }) && ok;
    ok = saveModal(out, "kelvorn-new-image.png", [&] { window.askNewImage("disk"); }) && ok;
    // At the image's root, where the label may be chosen instead of a folder.
    ok = saveModal(out, "kelvorn-new-folder.png", [&] { window.askNewItem("SAMPLE", true); }) && ok;

    window.attach(nullptr);
    return ok ? 0 : 1;
}
