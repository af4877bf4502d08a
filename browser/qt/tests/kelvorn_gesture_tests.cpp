// What people expect of a desktop file program, on the real window offscreen: drops from and drags to
// other programs, the keys, trees that stay as they were left, the title, sizes and dates, tooltips.
#include <memory>
#include <string>
#include <variant>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include "browser/library_entries.h"
#include "desktop/modal_answerer.h"
#include "desktop/tree_model.h"
#include "image_drag_drop.h"
#include "kelvorn_session.h"

using browser::ItemHandle;
using browser::Tree;
using kelvorn::testing::Session;

namespace {

using desktop::ModalAnswerer;

// Runs an mtools command on an image; the tools must not refuse an image for its geometry.
bool mtools(const QString& tool, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MTOOLS_SKIP_CHECK"), QStringLiteral("1"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(tool, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

bool writeText(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    return file.write(content) == content.size();
}

QByteArray readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every message box and dialog that comes up: message boxes are recorded and answered with yes (or OK),
// the result box is recorded as "[result]" and closed.
class Answers {
  public:
    Answers()
        : answerer_([this](QWidget& modal) {
              if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
                  shown << box->text();
                  QAbstractButton* yes = box->button(QMessageBox::Yes);
                  (yes ? yes : box->button(QMessageBox::Ok))->click();
              } else if (auto* dialog = qobject_cast<QDialog*>(&modal)) {
                  shown << QStringLiteral("[result]");
                  dialog->accept();
              }
          }) {}
    QStringList shown;

  private:
    ModalAnswerer answerer_;
};

QPoint pointOf(const QTreeView& view, const QModelIndex& target) {
    // Below the last row: the space that stands for the root.
    return target.isValid() ? view.visualRect(target).center() : QPoint(20, view.viewport()->height() - 4);
}

// A drag from another program over the item (or the empty space): whether the view takes it, and as what.
Qt::DropAction dragOver(QTreeView& view, const QModelIndex& target, const QMimeData& data,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPoint at = pointOf(view, target);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(view.viewport(), &enter);
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(view.viewport(), &move);
    return move.isAccepted() ? move.dropAction() : Qt::IgnoreAction;
}

// The drop that ends it; the transfer runs once the drop is over, as the event loop gets to it.
Qt::DropAction dropOn(QTreeView& view, const QModelIndex& target, const QMimeData& data,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::DropAction taken = dragOver(view, target, data, modifiers);
    QDropEvent drop(pointOf(view, target), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(view.viewport(), &drop);
    QCoreApplication::processEvents();
    return taken == Qt::IgnoreAction || !drop.isAccepted() ? Qt::IgnoreAction : drop.dropAction();
}

std::unique_ptr<QMimeData> urls(const QList<QUrl>& list) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(list);
    return data;
}

QStringList childTexts(const QAbstractItemModel& model, const QModelIndex& parent) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(parent); ++row)
        texts << model.index(row, 0, parent).data().toString();
    return texts;
}

}  // namespace

class KelvornGestureTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void localFilesDroppedGoIntoTheFolderDroppedOn();
    void dropsOfOtherThingsAreRefusedQuietly();
    void aDropOnAReadOnlyImageAsksAndSaysSo();
    void aDraggedItemIsACopyInATemporaryFolderRemovedAtTheEnd();
    void keysDeleteRereadAndOpen();
    void everyButtonSaysWhatItDoes();
    void rebuiltTreesKeepWhatWasOpenSelectedAndScrolled();
    void theImageTreeShowsSizesAndDates();

  private:
    // A drive folder with an image "disk.img" (label DISK) holding README.TXT and DOCS with two letters,
    // plus the host files "drop/a.txt" and the folder "drop/Fotky".
    bool makeDrive(QTemporaryDir& drive);
    QString image(const QTemporaryDir& drive) const { return drive.filePath(QStringLiteral("disk.img")); }
    std::unique_ptr<Session> openDisk(const QTemporaryDir& drive) {
        auto s = std::make_unique<Session>(library_, drive.path().toStdString());
        s->dialog.openImageAtStart(image(drive).toStdString());
        return s;
    }

    browser::LibraryEntries library_;
};

void KelvornGestureTest::initTestCase() {
    auto bound = browser::bindLibrary({KELVORN_TEST_LIBRARY});
    if (const auto* failure = std::get_if<browser::BindFailure>(&bound)) QFAIL(failure->message.c_str());
    library_ = std::get<browser::LibraryEntries>(bound);
}

bool KelvornGestureTest::makeDrive(QTemporaryDir& drive) {
    const QString disk = image(drive);
    const QDir at(drive.path());
    return drive.isValid() &&
           QProcess::execute(QStringLiteral(KELVORN_TEST_MAKE_IMAGE), {disk, "DISK"}) == 0 &&
           at.mkpath(QStringLiteral("drop/Fotky")) &&
           writeText(at.filePath(QStringLiteral("README.TXT")), "readme\r\n") &&
           writeText(at.filePath(QStringLiteral("a letter.txt")), "Dear Sir\r\n") &&
           writeText(at.filePath(QStringLiteral("b.txt")), "bb") &&
           writeText(at.filePath(QStringLiteral("drop/a.txt")), "dropped") &&
           writeText(at.filePath(QStringLiteral("drop/Fotky/moře.txt")), "sea") &&
           mtools("mmd", {"-i", disk, "::DOCS"}) &&
           mtools("mcopy", {"-i", disk, at.filePath("README.TXT"), at.filePath("a letter.txt"),
                            at.filePath("b.txt"), "::DOCS"}) &&
           mtools("mcopy", {"-i", disk, at.filePath("README.TXT"), "::"}) &&
           QFile::remove(at.filePath("README.TXT")) && QFile::remove(at.filePath("a letter.txt")) &&
           QFile::remove(at.filePath("b.txt"));
}

void KelvornGestureTest::localFilesDroppedGoIntoTheFolderDroppedOn() {
    QTemporaryDir drive;
    QVERIFY(makeDrive(drive));
    const auto s = openDisk(drive);
    QTreeView& tree = *s->window.treeView(Tree::Image);
    QVERIFY(QTest::qWaitForWindowExposed(&s->window));
    const QUrl file = QUrl::fromLocalFile(drive.filePath(QStringLiteral("drop/a.txt")));
    const QUrl folder = QUrl::fromLocalFile(drive.filePath(QStringLiteral("drop/Fotky/")));

    struct Row {
        const char* target;  // the image item dropped on; "" the space below the items
        QList<QUrl> dropped;
        Qt::KeyboardModifiers modifiers;  // Shift asks the dragging program for a move
        QStringList shown;
        const char* made;
    } rows[] = {
        {"\\DOCS", {file}, Qt::NoModifier, {"[result]"}, "\\DOCS\\a.txt"},
        {"\\README.TXT",
         {folder},
         Qt::ShiftModifier,
         {QString::fromStdString(browser::messageText(155)), "[result]"},
         "\\Fotky\\moře.txt"},
        {"", {file}, Qt::NoModifier, {"[result]"}, "\\a.txt"},
    };
    for (const Row& row : rows) {
        Answers answers;
        const QModelIndex target = *row.target ? s->imageItem(row.target) : QModelIndex();
        QVERIFY(!*row.target || target.isValid());
        const auto data = urls(row.dropped);
        // Only ever a copy: after a move the dragging program would delete its files.
        QCOMPARE(dropOn(tree, target, *data, row.modifiers), Qt::CopyAction);
        QCOMPARE(answers.shown, row.shown);
        QVERIFY2(s->imageItem(row.made).isValid(), row.made);
    }
    QVERIFY(QFileInfo::exists(drive.filePath(QStringLiteral("drop/a.txt"))));

    // From the host tree beside it, as from a file manager; a drive root is nothing to drag.
    const QAbstractItemModel& hosts = *s->window.treeView(Tree::Host)->model();
    QVERIFY(!(hosts.flags(hosts.index(0, 0)) & Qt::ItemIsDragEnabled));
    const QModelIndex hostFolder = s->hostItem("drop", browser::ItemKind::Folder);
    QVERIFY(hosts.flags(hostFolder) & Qt::ItemIsDragEnabled);
    std::unique_ptr<QMimeData> fromHost(hosts.mimeData({hostFolder}));
    QVERIFY(fromHost);
    {
        Answers answers;
        QCOMPARE(dropOn(tree, s->imageItem("\\DOCS"), *fromHost), Qt::CopyAction);
        QCOMPARE(answers.shown, (QStringList{QString::fromStdString(browser::messageText(155)), "[result]"}));
    }
    QVERIFY(s->imageItem("\\DOCS\\drop\\Fotky\\moře.txt").isValid());
    s->dialog.onClose();
    QVERIFY(mtools("mtype", {"-i", image(drive), "::Fotky/moře.txt"}));
}

void KelvornGestureTest::dropsOfOtherThingsAreRefusedQuietly() {
    QTemporaryDir drive;
    QVERIFY(makeDrive(drive));
    auto s = std::make_unique<Session>(library_, drive.path().toStdString());
    QTreeView& tree = *s->window.treeView(Tree::Image);
    QVERIFY(QTest::qWaitForWindowExposed(&s->window));
    const QUrl local = QUrl::fromLocalFile(drive.filePath(QStringLiteral("drop/a.txt")));
    Answers answers;
    // No image open: nowhere to go.
    QCOMPARE(dropOn(tree, {}, *urls({local})), Qt::IgnoreAction);

    s->dialog.openImageAtStart(image(drive).toStdString());
    const QModelIndex root = s->imageItem("\\");
    QVERIFY(root.isValid());
    auto own = urls({local});
    own->setData(QString::fromLatin1(kelvorn::ImageDragDrop::kOwnFormat), {});
    auto text = std::make_unique<QMimeData>();
    text->setText(QStringLiteral("a.txt"));
    const std::unique_ptr<QMimeData> refused[] = {
        urls({QUrl(QStringLiteral("https://example.org/a.txt"))}),
        urls({local, QUrl(QStringLiteral("sftp://host/b.txt"))}), std::move(text),
        std::move(own),  // the tree's own items dragged back onto it
    };
    for (const auto& data : refused) QCOMPARE(dropOn(tree, root, *data), Qt::IgnoreAction);
    QCOMPARE(answers.shown, QStringList());
    QCOMPARE(childTexts(*tree.model(), root), (QStringList{"DOCS", "README.TXT"}));
}

void KelvornGestureTest::aDropOnAReadOnlyImageAsksAndSaysSo() {
    QTemporaryDir drive;
    QVERIFY(makeDrive(drive));
    QVERIFY(QFile::setPermissions(image(drive), QFile::ReadOwner | QFile::ReadGroup));
    const QByteArray before = readText(image(drive));
    std::unique_ptr<Session> s;
    {
        Answers answers;  // the read-only image says so when it opens
        s = openDisk(drive);
    }
    QTreeView& tree = *s->window.treeView(Tree::Image);
    QVERIFY(QTest::qWaitForWindowExposed(&s->window));
    const QString readOnly = QString::fromStdString(browser::messageText(136));
    Answers answers;
    QCOMPARE(dropOn(tree, s->imageItem("\\DOCS"),
                    *urls({QUrl::fromLocalFile(drive.filePath(QStringLiteral("drop/a.txt")))})),
             Qt::CopyAction);
    QCOMPARE(dropOn(tree, s->imageItem("\\"),
                    *urls({QUrl::fromLocalFile(drive.filePath(QStringLiteral("drop/Fotky")))})),
             Qt::CopyAction);
    QCOMPARE(answers.shown,
             (QStringList{readOnly, QString::fromStdString(browser::messageText(155)), readOnly}));
    QCOMPARE(readText(image(drive)), before);
}

void KelvornGestureTest::aDraggedItemIsACopyInATemporaryFolderRemovedAtTheEnd() {
    QTemporaryDir drive;
    QVERIFY(makeDrive(drive));
    // A read-only folder comes out without write permission, and must still go away at the end.
    QVERIFY(mtools("mattrib", {"-i", image(drive), "+r", "::DOCS"}));
    auto s = openDisk(drive);
    QTreeView& tree = *s->window.treeView(Tree::Image);
    Answers answers;

    QStringList folders;
    struct Row {
        const char* item;
        const char* inside;  // a file of the copy, relative to what the drag carries
        QByteArray content;
    } rows[] = {{"\\README.TXT", "", "readme\r\n"}, {"\\DOCS", "/a letter.txt", "Dear Sir\r\n"}};
    for (const Row& row : rows) {
        const QModelIndex item = s->imageItem(row.item);
        QVERIFY(item.isValid());
        // A row of every column, as the view hands a dragged row over.
        std::unique_ptr<QMimeData> data(
            tree.model()->mimeData({item, item.siblingAtColumn(1), item.siblingAtColumn(2)}));
        QVERIFY(data);
        QCOMPARE(data->urls().size(), 1);
        QVERIFY(data->urls().front().isLocalFile());
        const QString carried = data->urls().front().toLocalFile();
        QCOMPARE(readText(carried + QString::fromUtf8(row.inside)), row.content);
        folders << QFileInfo(carried).absolutePath();
    }
    QCOMPARE(answers.shown, QStringList());
    QVERIFY(folders[0] != folders[1]);
    // Nothing whole to carry (the image was replaced by something else meanwhile): no drag.
    QVERIFY(QFile::remove(image(drive)));
    QVERIFY(writeText(image(drive), QByteArray(1474560, '\0')));
    std::unique_ptr<QMimeData> none(tree.model()->mimeData({s->imageItem("\\DOCS")}));
    QVERIFY(!none);
    QVERIFY(!answers.shown.isEmpty());

    s.reset();
    for (const QString& folder : folders) QVERIFY2(!QFileInfo::exists(folder), qPrintable(folder));
}

void KelvornGestureTest::keysDeleteRereadAndOpen() {
    QTemporaryDir drive;
    QVERIFY(makeDrive(drive));
    QVERIFY(QFile::copy(image(drive), drive.filePath(QStringLiteral("other.img"))));
    auto s = openDisk(drive);
    QCOMPARE(s->window.windowTitle(), QStringLiteral("Kelvorn – disk.img"));
    QTreeView& images = *s->window.treeView(Tree::Image);
    QTreeView& hosts = *s->window.treeView(Tree::Host);
    // Keys reach the window's shortcuts while it is the active one, which a closed box hands back later.
    const auto activate = [&] {
        s->window.activateWindow();
        return QTest::qWaitForWindowActive(&s->window);
    };
    QVERIFY(activate());

    Answers answers;
    images.setFocus();
    images.setCurrentIndex(s->imageItem("\\README.TXT"));
    QTest::keyClick(&images, Qt::Key_Delete);
    QCOMPARE(answers.shown, QStringList{"[result]"});
    QVERIFY(!s->imageItem("\\README.TXT").isValid());
    // Delete in the host tree deletes nothing.
    QVERIFY(activate());
    hosts.setFocus();
    hosts.setCurrentIndex(s->hostFile("other.img"));
    images.setCurrentIndex(s->imageItem("\\DOCS\\a letter.txt"));
    QTest::keyClick(&hosts, Qt::Key_Delete);
    QVERIFY(s->imageItem("\\DOCS\\a letter.txt").isValid());

    // F5 reads what another program wrote into the image, and the host folder anew.
    QVERIFY(
        mtools("mcopy", {"-i", image(drive), drive.filePath(QStringLiteral("drop/a.txt")), "::THEIRS.TXT"}));
    QVERIFY(writeText(drive.filePath(QStringLiteral("new.img")), "x"));
    QVERIFY(activate());
    QTest::keyClick(&s->window, Qt::Key_F5);
    QVERIFY(s->imageItem("\\THEIRS.TXT").isValid());
    QVERIFY(s->hostFile("new.img").isValid());
    QCOMPARE(answers.shown, QStringList{"[result]"});

    // Enter opens the image file selected on the host side, as a double-click does.
    hosts.setFocus();
    hosts.setCurrentIndex(s->hostFile("other.img"));
    QTest::keyClick(&hosts, Qt::Key_Return);
    QCOMPARE(s->window.windowTitle(), QStringLiteral("Kelvorn – other.img"));
    QVERIFY(s->imageItem("\\README.TXT").isValid());
    // On a folder it opens or closes the folder.
    const QModelIndex folder = s->hostItem("drop", browser::ItemKind::Folder);
    hosts.setCurrentIndex(folder);
    const bool wasOpen = hosts.isExpanded(folder);
    QTest::keyClick(&hosts, Qt::Key_Enter);
    QCOMPARE(hosts.isExpanded(folder), !wasOpen);
    QCOMPARE(s->window.windowTitle(), QStringLiteral("Kelvorn – other.img"));

    // Closing the image takes its name off the title.
    QVERIFY(activate());
    images.setFocus();
    images.setCurrentIndex(s->imageItem("\\"));
    QTest::keyClick(&images, Qt::Key_Delete);
    QCOMPARE(s->window.windowTitle(), QStringLiteral("Kelvorn"));
}

void KelvornGestureTest::everyButtonSaysWhatItDoes() {
    const kelvorn::KelvornWindow window(QString{});
    QStringList tips;
    for (const QToolButton* button :
         {window.copyToHostButton(), window.copyToImageButton(), window.deleteButton(), window.newButton()}) {
        QVERIFY(button->toolTip().size() > 20);
        QVERIFY(button->toolTip() != button->text());
        tips << button->toolTip();
    }
    tips.removeDuplicates();
    QCOMPARE(tips.size(), 4);
}

void KelvornGestureTest::rebuiltTreesKeepWhatWasOpenSelectedAndScrolled() {
    QTemporaryDir drive;
    QVERIFY(makeDrive(drive));
    // Enough files in the root that the image tree scrolls.
    QStringList many{"-i", image(drive)};
    for (int i = 0; i < 40; ++i) {
        const QString name = drive.filePath(QStringLiteral("F%1.TXT").arg(i, 2, 10, QLatin1Char('0')));
        QVERIFY(writeText(name, "f"));
        many << name;
    }
    many << QStringLiteral("::");
    QVERIFY(mtools("mcopy", many));
    QVERIFY(QDir(drive.path()).mkpath(QStringLiteral("host/inner")));
    QVERIFY(writeText(drive.filePath(QStringLiteral("host/inner/deep.img")), "x"));
    auto s = openDisk(drive);
    s->window.resize(800, 400);
    QVERIFY(QTest::qWaitForWindowExposed(&s->window));
    QTreeView& images = *s->window.treeView(Tree::Image);
    QTreeView& hosts = *s->window.treeView(Tree::Host);
    const auto pathAt = [&](Tree which, const QModelIndex& index) {
        const auto* model = s->window.treeModel(which);
        return s->dialog.tree(which).data(model->handleOf(index)).path;
    };

    images.expand(s->imageItem("\\DOCS"));
    images.setCurrentIndex(s->imageItem("\\DOCS\\a letter.txt"));
    images.scrollTo(s->imageItem("\\F10.TXT"), QAbstractItemView::PositionAtTop);
    const std::string top = pathAt(Tree::Image, images.indexAt(QPoint(1, 1)));
    QVERIFY(top != "\\");
    const QModelIndex host = s->hostItem("host", browser::ItemKind::Folder);
    hosts.expand(host);
    const QModelIndex inner = s->window.indexOf(
        Tree::Host,
        s->dialog.tree(Tree::Host).children(s->window.treeModel(Tree::Host)->handleOf(host)).at(0));
    hosts.expand(inner);
    hosts.setCurrentIndex(s->window.indexOf(
        Tree::Host,
        s->dialog.tree(Tree::Host).children(s->window.treeModel(Tree::Host)->handleOf(inner)).at(0)));
    const std::string hostSelected = pathAt(Tree::Host, hosts.currentIndex());
    QVERIFY(hostSelected.ends_with("/host/inner/deep.img"));

    Answers answers;
    const auto check = [&](const char* after) {
        QVERIFY2(images.isExpanded(s->imageItem("\\DOCS")), after);
        QCOMPARE(pathAt(Tree::Image, images.indexAt(QPoint(1, 1))), top);
        QVERIFY2(hosts.isExpanded(s->hostItem("host", browser::ItemKind::Folder)), after);
        QCOMPARE(pathAt(Tree::Host, hosts.currentIndex()), hostSelected);
    };
    // A drop into the root rebuilds the image tree.
    QCOMPARE(dropOn(images, s->imageItem("\\"), *urls({QUrl::fromLocalFile(drive.filePath("drop/a.txt"))})),
             Qt::CopyAction);
    check("drop");
    QCOMPARE(pathAt(Tree::Image, images.currentIndex()), std::string("\\DOCS\\a letter.txt"));
    // F5 rebuilds both (and shows a file made meanwhile).
    QVERIFY(writeText(drive.filePath(QStringLiteral("later.img")), "x"));
    s->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s->window));
    QTest::keyClick(&s->window, Qt::Key_F5);
    QVERIFY(s->hostFile("later.img").isValid());
    check("F5");
    QCOMPARE(pathAt(Tree::Image, images.currentIndex()), std::string("\\DOCS\\a letter.txt"));
    // A filter change rebuilds the host tree.
    QComboBox* filter = s->window.extensionFilter();
    const int img = filter->findText(QStringLiteral(".img"));
    QVERIFY(img > 0);
    filter->setCurrentIndex(img);
    emit filter->activated(img);
    check("filter");
    // A deleted item leaves its folder selected.
    images.setCurrentIndex(s->imageItem("\\DOCS\\a letter.txt"));
    QTest::mouseClick(s->window.deleteButton(), Qt::LeftButton);
    QVERIFY(!s->imageItem("\\DOCS\\a letter.txt").isValid());
    QCOMPARE(pathAt(Tree::Image, images.currentIndex()), std::string("\\DOCS"));
    QVERIFY(images.isExpanded(s->imageItem("\\DOCS")));
}

void KelvornGestureTest::theImageTreeShowsSizesAndDates() {
    QTemporaryDir drive;
    QVERIFY(makeDrive(drive));
    const QString dated = drive.filePath(QStringLiteral("OLD.TXT"));
    QVERIFY(writeText(dated, QByteArray(612, 'o')));
    QVERIFY(QProcess::execute(QStringLiteral("touch"), {"-m", "-d", "1998-03-12 14:22:00", dated}) == 0);
    // mcopy -m keeps the host file's time, as the entry's write time.
    QVERIFY(mtools("mcopy", {"-m", "-i", image(drive), dated, "::OLD.TXT"}));
    const auto s = openDisk(drive);
    QTreeView& tree = *s->window.treeView(Tree::Image);
    QVERIFY(!tree.isHeaderHidden());
    QCOMPARE(tree.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Název"));
    QCOMPARE(tree.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Velikost"));
    QCOMPARE(tree.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Změněno"));

    const QModelIndex file = s->imageItem("\\OLD.TXT");
    QVERIFY(file.isValid());
    QCOMPARE(file.siblingAtColumn(1).data().toString(), QStringLiteral("612 B"));
    // The time as the entry holds it (mtools writes local time; the test runs in whatever zone it is in).
    QVERIFY2(file.siblingAtColumn(2).data().toString().startsWith(QStringLiteral("12. 3. 1998 ")),
             qPrintable(file.siblingAtColumn(2).data().toString()));
    QCOMPARE(file.siblingAtColumn(1).data(Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    // A folder has a date but no size; the root neither.
    QCOMPARE(s->imageItem("\\DOCS").siblingAtColumn(1).data().toString(), QString());
    QVERIFY(!s->imageItem("\\DOCS").siblingAtColumn(2).data().toString().isEmpty());
    QCOMPARE(s->imageItem("\\").siblingAtColumn(2).data().toString(), QString());
    // The names keep their look: text and picture in the first column.
    QCOMPARE(file.data().toString(), QStringLiteral("OLD.TXT"));
    QVERIFY(file.siblingAtColumn(1).data(Qt::DecorationRole).isNull());
}

QTEST_MAIN(KelvornGestureTest)
#include "kelvorn_gesture_tests.moc"
