// kelvorn_screenshot OUT_DIR [IMAGE]: renders Kelvorn's window (IMAGE open, its folder as the only drive),
// the extension filter's drop-down, the about box, the two "new" dialogs and, with IMAGE, the whole disk
// copied out to a folder, to PNG files, offscreen unless told otherwise.
#include <cstdio>
#include <functional>
#include <string>
#include <variant>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
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

browser::HostServices onlyDrive(const std::string& folder) {
    browser::HostServices host;
    host.listDrives = [folder] { return std::vector<platform::HostDrive>{{folder, platform::DriveType::Fixed}}; };
    return host;
}

// The host item among parent's children whose path ends with suffix; kNoItem when none.
browser::ItemHandle childEndingWith(const kelvorn::KelvornWindow& window, browser::ItemHandle parent,
                                    browser::ItemKind kind, const std::string& suffix) {
    for (const browser::ItemHandle item : window.children(browser::Tree::Host, parent)) {
        const browser::ItemData data = window.itemData(browser::Tree::Host, item);
        if (data.kind == kind && data.path.ends_with(suffix)) return item;
    }
    return browser::kNoItem;
}

void expandAll(QTreeWidgetItem& item) {
    // Each expansion lists the level below, so the children exist only once their parent is open.
    item.setExpanded(true);
    for (int i = 0; i < item.childCount(); ++i) {
        if (item.child(i)->childCount() > 0) expandAll(*item.child(i));
    }
}

// "<---" from the image's root to a rescue folder: the whole disk lands in a folder named after its label,
// beside the boot sector file. Runs on a copy of the image in a scratch drive, so the user's folder stays
// as it was.
bool saveDiskCopy(const QDir& out, const browser::LibraryEntries& library, const std::string& image) {
    QTemporaryDir scratch(QDir::temp().filePath(QStringLiteral("kelvorn-XXXXXX")));
    const QFileInfo original(QString::fromStdString(image));
    const QString drive = scratch.filePath(original.dir().dirName());
    const QString copy = QDir(drive).filePath(original.fileName());
    const QString rescue = QDir(drive).filePath(QStringLiteral("Záchrana"));
    if (!scratch.isValid() || !QDir().mkpath(rescue) || !QFile::copy(original.filePath(), copy)) {
        std::fprintf(stderr, "kelvorn_screenshot: cannot prepare a scratch copy of %s\n", image.c_str());
        return false;
    }

    kelvorn::KelvornWindow window(QString::fromStdString(browser::messageText(101)));
    browser::StartOptions options;
    options.extensionList = "imgbottxtdocexedat";  // the boot sector file and what the sample holds
    browser::BrowserDialog dialog(window, library, options, onlyDrive(drive.toStdString()));
    window.attach(&dialog);
    dialog.initialise();
    window.resize(900, 560);
    window.show();
    dialog.openImageAtStart(copy.toStdString());
    settle();

    const std::vector<browser::ItemHandle> roots = window.children(browser::Tree::Host, browser::kNoItem);
    const browser::ItemHandle target =
        roots.empty() ? browser::kNoItem
                      : childEndingWith(window, roots.front(), browser::ItemKind::Folder, "/Záchrana");
    QTreeWidget* imageTree = window.treeWidget(browser::Tree::Image);
    if (target == browser::kNoItem || imageTree->topLevelItemCount() == 0) {
        std::fputs("kelvorn_screenshot: the scratch drive or the image did not show\n", stderr);
        window.attach(nullptr);
        return false;
    }
    window.treeWidget(browser::Tree::Host)->setCurrentItem(window.widgetItem(browser::Tree::Host, target));
    imageTree->setCurrentItem(imageTree->topLevelItem(0));

    // Yes to the question, the result box closed at once; any other box is a failed copy.
    QStringList complaints;
    QTimer answerer;
    answerer.setInterval(5);
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
                yes->click();
                return;
            }
            complaints << box->text();
            box->reject();
        } else if (auto* result = qobject_cast<QDialog*>(modal)) {
            result->accept();
        }
    });
    answerer.start();
    dialog.onCopyToHost();
    answerer.stop();
    if (!complaints.isEmpty()) {
        std::fprintf(stderr, "kelvorn_screenshot: the copy failed: %s\n", qPrintable(complaints.join(u'|')));
        window.attach(nullptr);
        return false;
    }

    // The copy rebuilt the host tree with the rescue folder selected; open it all the way down.
    const browser::ItemHandle again = window.selectedItem(browser::Tree::Host);
    QTreeWidgetItem* rescued = window.widgetItem(browser::Tree::Host, again);
    browser::ItemHandle bootFile = browser::kNoItem;
    if (rescued != nullptr) {
        expandAll(*rescued);
        for (const browser::ItemHandle disk : window.children(browser::Tree::Host, again)) {
            bootFile = childEndingWith(window, disk, browser::ItemKind::File, ".BOT");
            if (bootFile != browser::kNoItem) break;
        }
    }
    if (bootFile == browser::kNoItem) {
        std::fputs("kelvorn_screenshot: the copied disk has no boot sector file\n", stderr);
        window.attach(nullptr);
        return false;
    }
    window.selectItem(browser::Tree::Host, bootFile);
    // The source open beside its copy; the root stays selected, as it was for the copy.
    expandAll(*imageTree->topLevelItem(0));
    settle();
    const bool saved = save(window.grab(), out, "kelvorn-disk-copy.png");
    window.close();
    window.attach(nullptr);
    return saved;
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
    if (!image.empty()) host = onlyDrive(QFileInfo(QString::fromStdString(image)).absolutePath().toStdString());

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

    // The library holds one image at a time: closing the window lets go of this one.
    window.close();
    window.attach(nullptr);
    if (!image.empty()) ok = saveDiskCopy(out, std::get<browser::LibraryEntries>(bound), image) && ok;
    return ok ? 0 : 1;
}
