// kelvorn_screenshot [--lang cs|en] OUT_DIR [IMAGE]: renders Kelvorn's window (IMAGE open, its folder as the
// only drive), the extension filter's drop-down, the about box, the two "new" dialogs, a question and, with
// IMAGE, the whole disk copied out to a folder and the marks of a rescue map, to PNG files, offscreen unless
// told otherwise.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <variant>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QToolTip>
#include <QTreeView>

#include "browser/browser_dialog.h"
#include "browser/library_entries.h"
#include "browser/message_table.h"
#include "damage/table_copies.h"
#include "library_codes.h"
#include "platform/containers/mapfile.h"
#include "desktop/language.h"
#include "desktop/modal_answerer.h"
#include "desktop/screenshots.h"
#include "kelvorn_text.h"
#include "kelvorn_window.h"
#include "pictures.h"

namespace {

using desktop::settle;

using browser::Tree;

// Opens the first folders of the image so the picture shows some depth.
void expandSomeFolders(kelvorn::KelvornWindow& window, const browser::BrowserDialog& dialog, int count) {
    const browser::ItemTree& tree = dialog.tree(Tree::Image);
    const auto roots = tree.children(browser::kNoItem);
    if (roots.empty()) return;
    int opened = 0;
    for (const browser::ItemHandle child : tree.children(roots.front())) {
        if (opened == count) break;
        const auto below = tree.children(child);
        if (below.empty()) continue;
        window.expandItem(Tree::Image, child);
        if (opened++ == 0) window.selectItem(Tree::Image, below.front());
    }
}

browser::HostServices onlyDrive(const std::string& folder) {
    browser::HostServices host;
    host.listDrives = [folder] {
        return std::vector<platform::HostDrive>{{folder, platform::DriveType::Fixed}};
    };
    return host;
}

// The host item among parent's children whose path ends with suffix; kNoItem when none.
browser::ItemHandle childEndingWith(const browser::BrowserDialog& dialog, browser::ItemHandle parent,
                                    browser::ItemKind kind, const std::string& suffix) {
    for (const browser::ItemHandle item : dialog.tree(Tree::Host).children(parent)) {
        const browser::ItemData& data = dialog.tree(Tree::Host).data(item);
        if (data.kind == kind && data.path.ends_with(suffix)) return item;
    }
    return browser::kNoItem;
}

void expandAll(kelvorn::KelvornWindow& window, const browser::BrowserDialog& dialog, Tree which,
               browser::ItemHandle item) {
    // Each expansion lists the level below, so the children exist only once their parent is open.
    window.expandItem(which, item);
    for (const browser::ItemHandle child : dialog.tree(which).children(item)) {
        if (!dialog.tree(which).children(child).empty()) expandAll(window, dialog, which, child);
    }
}

// "<---" from the image's root to a rescue folder: the whole disk lands in a folder named after its label,
// beside the boot sector file. Runs on a copy of the image in a scratch drive, so the user's folder stays
// as it was. rescueName: the folder's name, in the pictures' language.
bool saveDiskCopy(const desktop::PictureFolder& out, const browser::LibraryEntries& library,
                  const std::string& image, const std::string& rescueName) {
    QTemporaryDir scratch(QDir::temp().filePath(QStringLiteral("kelvorn-XXXXXX")));
    const QFileInfo original(QString::fromStdString(image));
    const QString drive = scratch.filePath(original.dir().dirName());
    const QString copy = QDir(drive).filePath(original.fileName());
    const QString rescue = QDir(drive).filePath(QString::fromStdString(rescueName));
    if (!scratch.isValid() || !QDir().mkpath(rescue) || !QFile::copy(original.filePath(), copy)) {
        std::fprintf(stderr, "kelvorn_screenshot: cannot prepare a scratch copy of %s\n", image.c_str());
        return false;
    }

    kelvorn::KelvornWindow window(kelvorn::shownText(browser::messageText(browser::Message::AboutMenu)));
    browser::StartOptions options;
    options.extensionList = "imgbottxtdocexedat";  // the boot sector file and what the sample holds
    browser::BrowserDialog dialog(window, library, options, onlyDrive(drive.toStdString()));
    window.attach(&dialog);
    dialog.initialise();
    window.resize(900, 560);
    window.show();
    dialog.openImageAtStart(copy.toStdString());
    settle();

    const std::vector<browser::ItemHandle> roots = dialog.tree(Tree::Host).children(browser::kNoItem);
    const browser::ItemHandle target =
        roots.empty() ? browser::kNoItem
                      : childEndingWith(dialog, roots.front(), browser::ItemKind::Folder, "/" + rescueName);
    const std::vector<browser::ItemHandle> imageRoots = dialog.tree(Tree::Image).children(browser::kNoItem);
    if (target == browser::kNoItem || imageRoots.empty()) {
        std::fputs("kelvorn_screenshot: the scratch drive or the image did not show\n", stderr);
        window.attach(nullptr);
        return false;
    }
    window.selectItem(Tree::Host, target);
    window.selectItem(Tree::Image, imageRoots.front());

    // Yes to the question, the result box closed at once; any other box is a failed copy.
    QStringList complaints;
    {
        desktop::ModalAnswerer answerer([&](QWidget& modal) {
            if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
                if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
                    yes->click();
                    return;
                }
                complaints << box->text();
                box->reject();
            } else if (auto* result = qobject_cast<QDialog*>(&modal)) {
                result->accept();
            }
        });
        dialog.onCopyToHost();
    }
    if (!complaints.isEmpty()) {
        std::fprintf(stderr, "kelvorn_screenshot: the copy failed: %s\n", qPrintable(complaints.join(u'|')));
        window.attach(nullptr);
        return false;
    }

    // The copy rebuilt the host tree with the rescue folder selected; open it all the way down.
    const browser::ItemHandle again = window.selectedItem(Tree::Host);
    browser::ItemHandle bootFile = browser::kNoItem;
    if (again != browser::kNoItem) {
        expandAll(window, dialog, Tree::Host, again);
        for (const browser::ItemHandle disk : dialog.tree(Tree::Host).children(again)) {
            bootFile = childEndingWith(dialog, disk, browser::ItemKind::File, ".BOT");
            if (bootFile != browser::kNoItem) break;
        }
    }
    if (bootFile == browser::kNoItem) {
        std::fputs("kelvorn_screenshot: the copied disk has no boot sector file\n", stderr);
        window.attach(nullptr);
        return false;
    }
    window.selectItem(Tree::Host, bootFile);
    // The source open beside its copy; the root stays selected, as it was for the copy.
    expandAll(window, dialog, Tree::Image, dialog.tree(Tree::Image).children(browser::kNoItem).front());
    settle();
    const bool saved = out.save(desktop::withTitleBar(window), "kelvorn-disk-copy.png");
    window.close();
    window.attach(nullptr);
    return saved;
}

// A map as a rescue leaves it: the last clusters in use and a sector of the second table copy unread.
std::optional<platform::containers::Mapfile> hurtMap(const std::string& image) {
    int32_t opened = 0;
    const auto tables = damage::readTableCopies(image, damage::TableCopies::First, opened);
    if (!tables || tables->copies.empty()) return std::nullopt;
    const orva::ImageLayout& l = tables->layout;
    uint32_t last = 0;
    for (uint32_t c = orva::kFirstDataCluster; c < tables->copies[0].clusterLimit(); ++c) {
        if (tables->copies[0].raw(c) != 0) last = c;
    }
    if (last < orva::kFirstDataCluster + 4) return std::nullopt;
    const uint64_t secondTable = l.fatOffset + uint64_t{l.fatBytes};
    const uint64_t hurt = static_cast<uint64_t>(l.clusterOffset(last - 3));
    const uint64_t end = l.imageBytes;
    using platform::containers::MapBlock;
    platform::containers::Mapfile map;
    map.currentStatus = platform::containers::kFinished;
    map.blocks = {MapBlock{0, secondTable, platform::containers::kFinished},
                  MapBlock{secondTable, l.bytesPerSector, platform::containers::kBadSector},
                  MapBlock{secondTable + l.bytesPerSector, hurt - secondTable - l.bytesPerSector,
                           platform::containers::kFinished},
                  MapBlock{hurt, 2 * uint64_t{l.clusterBytes}, platform::containers::kBadSector},
                  MapBlock{hurt + 2 * uint64_t{l.clusterBytes}, end - hurt - 2 * uint64_t{l.clusterBytes},
                           platform::containers::kFinished}};
    return map;
}

// The image beside a rescue map that left sectors unread: the hurt items marked, one tooltip shown.
bool saveRescueMarks(const desktop::PictureFolder& out, const browser::LibraryEntries& library,
                     const std::string& image) {
    QTemporaryDir scratch(QDir::temp().filePath(QStringLiteral("kelvorn-XXXXXX")));
    const QFileInfo original(QString::fromStdString(image));
    const QString drive = scratch.filePath(original.dir().dirName());
    const QString copy = QDir(drive).filePath(original.fileName());
    if (!scratch.isValid() || !QDir().mkpath(drive) || !QFile::copy(original.filePath(), copy)) {
        std::fprintf(stderr, "kelvorn_screenshot: cannot prepare a scratch copy of %s\n", image.c_str());
        return false;
    }
    const auto map = hurtMap(copy.toStdString());
    QFile mapFile(QDir(drive).filePath(original.completeBaseName() + QStringLiteral(".map")));
    const std::string mapText = map ? platform::containers::mapfileText(*map, "kelvorn_screenshot") : "";
    if (!map || !mapFile.open(QIODevice::WriteOnly) ||
        mapFile.write(mapText.data(), static_cast<qint64>(mapText.size())) != static_cast<qint64>(mapText.size())) {
        std::fprintf(stderr, "kelvorn_screenshot: cannot write a rescue map beside %s\n", qPrintable(copy));
        return false;
    }
    mapFile.close();

    kelvorn::KelvornWindow window(kelvorn::shownText(browser::messageText(browser::Message::AboutMenu)));
    browser::BrowserDialog dialog(window, library, browser::StartOptions{}, onlyDrive(drive.toStdString()));
    window.attach(&dialog);
    dialog.initialise();
    window.resize(900, 560);
    window.show();
    dialog.openImageAtStart(copy.toStdString());
    const browser::ItemTree& tree = dialog.tree(Tree::Image);
    const std::vector<browser::ItemHandle> roots = tree.children(browser::kNoItem);
    if (roots.empty()) {
        std::fputs("kelvorn_screenshot: the image with its map did not show\n", stderr);
        window.attach(nullptr);
        return false;
    }
    expandAll(window, dialog, Tree::Image, roots.front());
    // The deepest hurt file, whose tooltip says how much of it the rescue did not read.
    browser::ItemHandle hurtFile = browser::kNoItem;
    std::vector<browser::ItemHandle> pending{roots.front()};
    while (!pending.empty()) {
        const browser::ItemHandle item = pending.back();
        pending.pop_back();
        if (tree.data(item).kind == browser::ItemKind::ImageFile && tree.warning(item).shown()) hurtFile = item;
        for (const browser::ItemHandle child : tree.children(item)) pending.push_back(child);
    }
    settle();
    QPixmap picture = desktop::withTitleBar(window);
    if (hurtFile != browser::kNoItem) {
        window.selectItem(Tree::Image, hurtFile);
        QAbstractItemView* view = window.treeView(Tree::Image);
        const QModelIndex at = window.indexOf(Tree::Image, hurtFile);
        const QPoint place = view->viewport()->mapToGlobal(view->visualRect(at).center() + QPoint(0, 12));
        QToolTip::showText(place, at.data(Qt::ToolTipRole).toString(), view->viewport());
        settle();
        picture = desktop::withTitleBar(window);
        // The tooltip is a window of its own: paint it where it sits, below the title bar withTitleBar adds.
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible() || !top->inherits("QTipLabel")) continue;
            QPainter painter(&picture);
            const QPoint offset(0, picture.height() - window.height());
            painter.drawPixmap(top->mapToGlobal(QPoint(0, 0)) - window.mapToGlobal(QPoint(0, 0)) + offset,
                               top->grab());
        }
        QToolTip::hideText();
    }
    const bool saved = out.save(picture, "kelvorn-rescue-marks.png");
    window.close();
    window.attach(nullptr);
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const std::optional<desktop::Language> language = desktop::takeLanguage(arguments);
    if (!language || arguments.empty() || arguments.size() > 2) {
        std::fputs("usage: kelvorn_screenshot [--lang cs|en] OUT_DIR [IMAGE]\n", stderr);
        return 2;
    }
    desktop::useOffscreenUnlessTold();

    QApplication app(argc, argv);
    desktop::useScreenshotLook();
    QApplication::setWindowIcon(kelvorn::programIcon());
    desktop::Translations translations;
    if (!translations.use(*language, QStringLiteral("kelvorn"))) return 1;

    const QDir outFolder(QString::fromStdString(arguments[0]));
    if (!outFolder.exists() && !QDir().mkpath(outFolder.path())) {
        std::fprintf(stderr, "kelvorn_screenshot: cannot create %s\n", arguments[0].c_str());
        return 1;
    }
    const desktop::PictureFolder out(outFolder, "kelvorn_screenshot");
    const std::string image =
        arguments.size() == 2
            ? QFileInfo(QString::fromStdString(arguments[1])).absoluteFilePath().toStdString()
            : std::string();
    // Offscreen, the message box about an image that cannot be opened would wait for a click nobody makes.
    if (!image.empty() && !QFileInfo(QString::fromStdString(image)).isFile()) {
        std::fprintf(stderr, "kelvorn_screenshot: no image file %s\n", image.c_str());
        return 1;
    }

    auto bound = browser::bindLibrary(browser::libraryCandidates());
    if (const auto* failure = std::get_if<browser::BindFailure>(&bound)) {
        std::fprintf(stderr, "kelvorn_screenshot: %s\n", failure->message.c_str());
        return 1;
    }

    // With an image, its folder is the one drive, so the picture shows nothing else of this machine.
    browser::HostServices host;
    if (!image.empty())
        host = onlyDrive(QFileInfo(QString::fromStdString(image)).absolutePath().toStdString());

    kelvorn::KelvornWindow window(kelvorn::shownText(browser::messageText(browser::Message::AboutMenu)));
    browser::BrowserDialog dialog(window, std::get<browser::LibraryEntries>(bound), browser::StartOptions{},
                                  host);
    window.attach(&dialog);
    dialog.initialise();
    window.resize(900, 560);
    window.show();
    if (!image.empty()) dialog.openImageAtStart(image);
    expandSomeFolders(window, dialog, 2);
    settle();

    bool ok = out.save(desktop::withTitleBar(window), "kelvorn-window.png");

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
    ok = out.save(withPopup, "kelvorn-filter.png") && ok;

    ok = out.saveModal("kelvorn-about.png", [&] { dialog.onAbout(); }) && ok;
    ok = out.saveModal("kelvorn-new-image.png", [&] { window.askNewImage("disk"); }) && ok;
    // At the image's root, where the label may be chosen instead of a folder.
    ok = out.saveModal("kelvorn-new-folder.png", [&] { window.askNewItem("SAMPLE", true); }) && ok;
    // A question, with Qt's own buttons in the pictures' language.
    ok = out.saveModal("kelvorn-question.png",
                       [&] { window.askYesNo(browser::shownMessage(browser::Message::CopyWholeTree)); }) &&
         ok;

    // The library holds one image at a time: closing the window lets go of this one.
    window.close();
    window.attach(nullptr);
    const std::string rescueName = *language == desktop::Language::English ? "Rescue" : "Záchrana";
    if (!image.empty()) {
        ok = saveDiskCopy(out, std::get<browser::LibraryEntries>(bound), image, rescueName) && ok;
        ok = saveRescueMarks(out, std::get<browser::LibraryEntries>(bound), image) && ok;
    }
    return ok ? 0 : 1;
}
