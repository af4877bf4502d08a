// The Qt view's wiring: real widgets offscreen, the real logic and library, images made here.
#include <memory>
#include <string>
#include <variant>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include "browser/browser_dialog.h"
#include "browser/library_entries.h"
#include "browser/message_table.h"
#include "desktop/icon_cache.h"
#include "desktop/modal_answerer.h"
#include "desktop/tree_model.h"
#include "desktop/tree_view.h"
#include "kelvorn_session.h"
#include "kelvorn_window.h"
#include "new_dialogs.h"
#include "ui_port/tree_order.h"

using browser::ItemHandle;
using browser::Tree;
using kelvorn::KelvornWindow;
using kelvorn::NewImageDialog;
using kelvorn::NewItemDialog;

namespace {

using desktop::ModalAnswerer;

void click(QMessageBox& box, QMessageBox::StandardButton which) {
    box.button(which)->click();
}

// Double-clicks the item where it is drawn, as a person would.
void doubleClick(QTreeView& tree, const QModelIndex& item) {
    QVERIFY(QTest::qWaitForWindowExposed(tree.window()));
    tree.scrollTo(item);
    const QPoint at = tree.visualRect(item).center();
    // A widget double-click event comes after a press and release of its own, as the window system sends it.
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void showAndWait(QDialog& dialog) {
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

// A radio button takes clicks only on its circle and text, which a wide one does not have in its middle.
void clickOn(QAbstractButton* button) {
    const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
    const QPoint at = radio ? QPoint(6, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
}

// Replaces the field's text as typing would.
void retype(QLineEdit* field, const QString& value) {
    field->selectAll();
    QTest::keyClicks(field, value);
}

QImage picture(const QIcon& icon, QIcon::Mode mode = QIcon::Normal) {
    return icon.pixmap(16, 16, mode).toImage();
}

}  // namespace

class KelvornViewTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void hostTreeListsTheScratchDrive();
    void doubleClickOpensTheImage();
    void notAnImageIsReportedThroughMessageBoxes();
    void questionsReturnTheButtonClicked();
    void modelFollowsTheStore();
    void extensionPicturesAreAskedOnceAndBounded();
    void resultBoxClosesItself();
    void f1OpensTheAboutBox();
    void newImageDialogReturnsWhatWasTyped();
    void newImageIsNothingOnNo();
    void newFolderDialogSwitchesBetweenFolderAndLabel();
    void newFolderWithoutLabelChoice();
    void arrowButtonCopiesAHostFileIntoTheImage();
    void aHurtItemShowsAMarkAndSaysWhyInItsTooltip();

  private:
    using Session = kelvorn::testing::Session;

    std::unique_ptr<Session> session() { return std::make_unique<Session>(library_, folder_); }

    QTemporaryDir scratch_;
    std::string folder_;
    browser::LibraryEntries library_;
};

void KelvornViewTest::initTestCase() {
    QVERIFY(scratch_.isValid());
    folder_ = scratch_.path().toStdString();
    QCOMPARE(QProcess::execute(QStringLiteral(KELVORN_TEST_MAKE_IMAGE),
                               {scratch_.filePath(QStringLiteral("floppy.img")), QStringLiteral("TESTDISK")}),
             0);
    QFile junk(scratch_.filePath(QStringLiteral("junk.img")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a floppy image\n");
    junk.close();

    auto bound = browser::bindLibrary({KELVORN_TEST_LIBRARY});
    if (const auto* failure = std::get_if<browser::BindFailure>(&bound)) QFAIL(failure->message.c_str());
    library_ = std::get<browser::LibraryEntries>(bound);
}

void KelvornViewTest::hostTreeListsTheScratchDrive() {
    const auto s = session();
    QCOMPARE(s->window.driveList()->count(), 1);
    const QModelIndex file = s->hostFile("floppy.img");
    QVERIFY(file.isValid());
    QCOMPARE(file.data().toString(), QStringLiteral("floppy.img (1440K)"));
    QVERIFY(!file.data(Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(s->window.treeView(Tree::Host)->isExpanded(file.parent()));
}

void KelvornViewTest::doubleClickOpensTheImage() {
    const auto s = session();
    const QModelIndex file = s->hostFile("floppy.img");
    QVERIFY(file.isValid());
    doubleClick(*s->window.treeView(Tree::Host), file);

    QVERIFY(s->dialog.imageIsOpen());
    QTreeView* imageTree = s->window.treeView(Tree::Image);
    QCOMPARE(imageTree->model()->rowCount(), 1);
    const QModelIndex root = imageTree->model()->index(0, 0);
    QVERIFY2(root.data().toString().startsWith(QStringLiteral("TESTDISK")),
             qPrintable(root.data().toString()));
    // The root of a 1.44 MB image shows the 3.5-inch picture of the shared list.
    QCOMPARE(picture(root.data(Qt::DecorationRole).value<QIcon>()),
             picture(s->window.icons().picture(browser::icon::kImage35)));
    QVERIFY(imageTree->isExpanded(root));
}

void KelvornViewTest::notAnImageIsReportedThroughMessageBoxes() {
    const auto s = session();
    const QModelIndex junk = s->hostFile("junk.img");
    QVERIFY(junk.isValid());
    QStringList shown;
    {
        ModalAnswerer answerer([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            if (box == nullptr) return;
            shown << box->text();
            QCOMPARE(box->windowTitle(), QString::fromUtf8(browser::kProgramName));
            click(*box, QMessageBox::Ok);
        });
        doubleClick(*s->window.treeView(Tree::Host), junk);
    }
    QVERIFY2(shown.size() >= 2, qPrintable(shown.join(QLatin1Char('|'))));
    QCOMPARE(shown.last(), QString::fromStdString(browser::messageText(106)));
    QVERIFY(!s->dialog.imageIsOpen());
    QCOMPARE(s->window.treeView(Tree::Image)->model()->rowCount(), 0);
}

void KelvornViewTest::questionsReturnTheButtonClicked() {
    KelvornWindow window(QString{});
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    ModalAnswerer answerer([&](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal)) click(*box, answer);
    });
    QVERIFY(window.askYesNo("Přepsat?"));
    answer = QMessageBox::No;
    QVERIFY(!window.askYesNo("Přepsat?"));
    answer = QMessageBox::Ok;
    QVERIFY(window.askOkCancel("Pokračovat?"));
    answer = QMessageBox::Cancel;
    QVERIFY(!window.askOkCancel("Pokračovat?"));
}

void KelvornViewTest::modelFollowsTheStore() {
    browser::ItemTree store(desktop::faceTextLess);
    KelvornWindow window(QString{});
    desktop::TreeModel model(store, window.icons());
    QTreeView* view = desktop::makeTreeView(&window, &model);
    auto add = [&](ItemHandle parent, const char* text, bool sorted) {
        return store.insert(parent, {text, browser::icon::kFolder, browser::icon::kFolderOpen, {}}, {},
                            sorted);
    };
    auto texts = [&](const QModelIndex& parent) {
        QStringList result;
        for (int row = 0; row < model.rowCount(parent); ++row)
            result << model.index(row, 0, parent).data().toString();
        return result;
    };
    const ItemHandle root = add(browser::kNoItem, "ROOT", false);
    add(root, "beta", true);
    const ItemHandle docs = add(root, "DOCS", true);
    add(root, "Alpha", true);
    QCOMPARE(texts(model.indexOf(root)), (QStringList{"Alpha", "beta", "DOCS"}));

    const ItemHandle old = add(docs, "OLD", false);
    add(docs, "NEW", false);
    view->expand(model.indexOf(docs));
    view->setCurrentIndex(model.indexOf(old));
    store.sortChildren(root);
    store.sortChildren(docs);
    // A sort moves rows, and the view keeps what was expanded and selected with the items themselves.
    QCOMPARE(texts(model.indexOf(docs)), (QStringList{"NEW", "OLD"}));
    QVERIFY(view->isExpanded(model.indexOf(docs)));
    QCOMPARE(model.handleOf(view->currentIndex()), old);
    // A folder shows its closed picture, and its open one while selected.
    const QIcon folderIcon = model.indexOf(docs).data(Qt::DecorationRole).value<QIcon>();
    QCOMPARE(picture(folderIcon), picture(window.icons().picture(browser::icon::kFolder)));
    QCOMPARE(picture(folderIcon, QIcon::Selected),
             picture(window.icons().picture(browser::icon::kFolderOpen)));
    QCOMPARE(model.parent(model.indexOf(old)), model.indexOf(docs));

    store.setText(root, "RENAMED");
    QCOMPARE(model.indexOf(root).data().toString(), QStringLiteral("RENAMED"));
    store.remove(docs);
    QCOMPARE(texts(model.indexOf(root)), (QStringList{"Alpha", "beta"}));
    QVERIFY(!model.indexOf(old).isValid());
    store.clear();
    QCOMPARE(model.rowCount(), 0);
}

void KelvornViewTest::extensionPicturesAreAskedOnceAndBounded() {
    const KelvornWindow window(QString{});
    desktop::IconCache cache = window.icons();
    const int before = cache.systemLookups();
    cache.extensionIcon(".txt");
    cache.extensionIcon(".txt");
    QCOMPARE(cache.systemLookups(), before + 1);
    // Beyond its slots the cache gives up its oldest extensions, and asks again for one it gave up.
    for (size_t i = 0; i < desktop::IconCache::kExtensions; ++i)
        cache.extensionIcon(".e" + std::to_string(i));
    const int full = cache.systemLookups();
    cache.extensionIcon(".e255");
    QCOMPARE(cache.systemLookups(), full);
    cache.extensionIcon(".txt");
    QCOMPARE(cache.systemLookups(), full + 1);
    // An item without a system picture for its extension shows its own.
    QCOMPARE(
        picture(cache.iconFor({"x", browser::icon::kImageFile, browser::icon::kImageFile, ".no-such-ext"})),
        picture(cache.picture(browser::icon::kImageFile)));
}

void KelvornViewTest::resultBoxClosesItself() {
    KelvornWindow window(QString{});
    QPointer<QDialog> seen;
    QString text;
    bool fieldEnabled = true;
    bool closedForIt = false;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!seen) return;
        if (auto* field = seen->findChild<QLineEdit*>()) {
            text = field->text();
            fieldEnabled = field->isEnabled();
        }
        // Only a broken countdown gets here; it keeps the suite from hanging.
        QTimer::singleShot(30000, seen.data(), [&] {
            closedForIt = true;
            seen->reject();
        });
    });
    window.showResultBox(browser::kResultText, 50);
    QVERIFY(!closedForIt);
    QCOMPARE(text, QString::fromUtf8(browser::kResultText));
    QVERIFY(!fieldEnabled);
    QTRY_VERIFY(seen.isNull());
}

void KelvornViewTest::f1OpensTheAboutBox() {
    const auto s = session();
    s->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s->window));
    QString title;
    {
        ModalAnswerer answerer([&](QWidget& modal) {
            title = modal.windowTitle();
            modal.close();
        });
        QTest::keyClick(&s->window, Qt::Key_F1);
    }
    QCOMPARE(title, QString::fromUtf8(browser::kAboutCaption));
}

void KelvornViewTest::newImageDialogReturnsWhatWasTyped() {
    NewImageDialog dialog("disk");
    showAndWait(dialog);
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8(browser::kNewImageCaption));
    QCOMPARE(dialog.fileField()->text(), QStringLiteral("disk"));
    QCOMPARE(dialog.fileField()->maxLength(), 255);
    QCOMPARE(dialog.labelField()->text(), QString());
    QVERIFY(dialog.typeButton(0)->isChecked());
    QCOMPARE(dialog.typeButton(0)->text(), QStringLiteral("3,5\" 1,44 MB"));
    QCOMPARE(dialog.choice().templateId, bootsectors::TemplateId::Disk1440K);

    retype(dialog.fileField(), QStringLiteral("backup"));
    QTest::keyClicks(dialog.labelField(), QStringLiteral("MYFLOPPYDISK"));  // one past the label's limit
    clickOn(dialog.typeButton(3));
    QVERIFY(!dialog.typeButton(0)->isChecked());
    clickOn(dialog.yesButton());

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const browser::NewImageChoice choice = dialog.choice();
    QCOMPARE(choice.templateId, bootsectors::TemplateId::Disk360K);
    QCOMPARE(choice.fileName, std::string("backup"));
    QCOMPARE(choice.label, std::string("MYFLOPPYDIS"));
}

void KelvornViewTest::newImageIsNothingOnNo() {
    KelvornWindow window(QString{});
    bool answerYes = false;
    QString preset;
    ModalAnswerer answerer([&](QWidget& modal) {
        auto* dialog = qobject_cast<NewImageDialog*>(&modal);
        if (dialog == nullptr) return;
        preset = dialog->fileField()->text();
        clickOn(answerYes ? dialog->yesButton() : dialog->noButton());
    });
    QVERIFY(!window.askNewImage("disk").has_value());
    QCOMPARE(preset, QStringLiteral("disk"));

    answerYes = true;
    const auto accepted = window.askNewImage("záloha");
    QVERIFY(accepted.has_value());
    QCOMPARE(accepted->fileName, std::string("záloha"));
    QCOMPARE(accepted->label, std::string());
    QCOMPARE(accepted->templateId, bootsectors::TemplateId::Disk1440K);
}

void KelvornViewTest::newFolderDialogSwitchesBetweenFolderAndLabel() {
    const QString newFolder = QString::fromUtf8(browser::kNewItemDefaultName);
    NewItemDialog dialog("SAMPLE", true);
    showAndWait(dialog);
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8(browser::kNewItemCaption));
    QVERIFY(dialog.typeGroup()->isVisible());
    QVERIFY(dialog.subfolderButton()->isChecked());
    QCOMPARE(dialog.nameField()->text(), newFolder);
    QCOMPARE(dialog.nameField()->maxLength(), 255);
    // Selected, so the first key typed replaces the suggestion.
    QCOMPARE(dialog.nameField()->selectedText(), newFolder);

    clickOn(dialog.labelButton());
    QCOMPARE(dialog.nameField()->text(), QStringLiteral("SAMPLE"));
    QCOMPARE(dialog.nameField()->maxLength(), 11);
    retype(dialog.nameField(), QStringLiteral("ABCDEFGHIJKLMN"));
    QCOMPARE(dialog.nameField()->text(), QStringLiteral("ABCDEFGHIJK"));

    clickOn(dialog.subfolderButton());
    QCOMPARE(dialog.nameField()->text(), newFolder);
    QCOMPARE(dialog.nameField()->maxLength(), 255);
    QCOMPARE(dialog.choice().volumeLabel, false);

    clickOn(dialog.labelButton());
    retype(dialog.nameField(), QStringLiteral("ZALOHA"));
    clickOn(dialog.okButton());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.choice().volumeLabel, true);
    QCOMPARE(dialog.choice().name, std::string("ZALOHA"));
}

void KelvornViewTest::newFolderWithoutLabelChoice() {
    const int fullHeight = NewItemDialog("SAMPLE", true).sizeHint().height();
    KelvornWindow window(QString{});
    bool answerOk = true;
    bool groupShown = true;
    int height = 0;
    ModalAnswerer answerer([&](QWidget& modal) {
        auto* dialog = qobject_cast<NewItemDialog*>(&modal);
        if (dialog == nullptr) return;
        groupShown = dialog->typeGroup()->isVisible();
        height = dialog->height();
        retype(dialog->nameField(), QStringLiteral("Dopisy 2024"));
        clickOn(answerOk ? dialog->okButton() : dialog->cancelButton());
    });
    const auto made = window.askNewItem("SAMPLE", false);
    QVERIFY(!groupShown);
    QVERIFY2(height < fullHeight, qPrintable(QStringLiteral("%1 vs %2").arg(height).arg(fullHeight)));
    QVERIFY(made.has_value());
    QCOMPARE(made->volumeLabel, false);
    QCOMPARE(made->name, std::string("Dopisy 2024"));

    answerOk = false;
    QVERIFY(!window.askNewItem("SAMPLE", true).has_value());
}

void KelvornViewTest::arrowButtonCopiesAHostFileIntoTheImage() {
    // A drive of its own: the copy changes the image, which the other tests expect empty.
    QTemporaryDir drive;
    QVERIFY(drive.isValid());
    const QString image = drive.filePath(QStringLiteral("transfer.img"));
    QCOMPARE(QProcess::execute(QStringLiteral(KELVORN_TEST_MAKE_IMAGE), {image, QStringLiteral("TRANSFER")}),
             0);
    // A Czech name needs a long name entry, the part of the copy most likely to go wrong.
    const QString name = QStringLiteral("poznámka.txt");
    const QByteArray content("Kelvorn was here.\r\n");
    QFile note(drive.filePath(name));
    QVERIFY(note.open(QIODevice::WriteOnly));
    note.write(content);
    note.close();

    browser::StartOptions options;
    options.extensionList = "imgtxt";  // without txt the filter hides the file
    Session s(library_, drive.path().toStdString(), options);
    const QModelIndex imageFile = s.hostFile("transfer.img");
    QVERIFY(imageFile.isValid());
    doubleClick(*s.window.treeView(Tree::Host), imageFile);
    QVERIFY(s.dialog.imageIsOpen());

    QTreeView* hostTree = s.window.treeView(Tree::Host);
    QTreeView* imageTree = s.window.treeView(Tree::Image);
    const QModelIndex source = s.hostFile(name.toStdString());
    QVERIFY(source.isValid());
    hostTree->setCurrentIndex(source);
    QCOMPARE(imageTree->model()->rowCount(), 1);
    imageTree->setCurrentIndex(imageTree->model()->index(0, 0));

    QStringList messages;
    QStringList results;
    {
        ModalAnswerer answerer([&](QWidget& modal) {
            if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
                messages << box->text();
                box->reject();
                return;
            }
            // The result box would close itself after two seconds; the test does not wait for that.
            if (auto* dialog = qobject_cast<QDialog*>(&modal)) {
                if (const auto* field = dialog->findChild<QLineEdit*>()) results << field->text();
                dialog->accept();
            }
        });
        QTest::mouseClick(s.window.copyToImageButton(), Qt::LeftButton);
    }
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(QLatin1Char('|'))));
    QCOMPARE(results, QStringList{QString::fromUtf8(browser::kResultText)});

    // The image tree is built anew after the copy: look the file up under the new root.
    QCOMPARE(imageTree->model()->rowCount(), 1);
    const QModelIndex root = imageTree->model()->index(0, 0);
    QStringList shown;
    for (int i = 0; i < imageTree->model()->rowCount(root); ++i)
        shown << imageTree->model()->index(i, 0, root).data().toString();
    QCOMPARE(shown, QStringList{name});

    // What the image holds, read by a FAT tool of its own.
    QProcess mtype;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MTOOLS_SKIP_CHECK"), QStringLiteral("1"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    mtype.setProcessEnvironment(environment);
    mtype.start(QStringLiteral("mtype"), {QStringLiteral("-i"), image, QStringLiteral("::") + name});
    QVERIFY2(mtype.waitForFinished(), "mtype from mtools did not run");
    QCOMPARE(mtype.exitCode(), 0);
    QCOMPARE(mtype.readAllStandardOutput(), content);
}

void KelvornViewTest::aHurtItemShowsAMarkAndSaysWhyInItsTooltip() {
    const QString image = scratch_.filePath(QStringLiteral("hurt.img"));
    QCOMPARE(QProcess::execute(QStringLiteral(KELVORN_TEST_MAKE_IMAGE), {image, QStringLiteral("HURT")}), 0);
    // A rescue that could not read the boot sector.
    QFile map(scratch_.filePath(QStringLiteral("hurt.map")));
    QVERIFY(map.open(QIODevice::WriteOnly));
    map.write("# Mapfile\n0x00000000     +               1\n0x00000000  0x00000200  -\n0x00000200  0x00167E00  +\n");
    map.close();

    const auto s = session();
    doubleClick(*s->window.treeView(Tree::Host), s->hostFile("hurt.img"));
    QVERIFY(s->dialog.imageIsOpen());
    QModelIndex root = s->imageItem("\\");
    QCOMPARE(root.data(Qt::ToolTipRole).toString(), QStringLiteral("Boot sektor: 512 nepřečtených bajtů"));
    const QImage plain = picture(s->window.icons().picture(browser::icon::kImage35));
    const QImage marked = picture(root.data(Qt::DecorationRole).value<QIcon>());
    QVERIFY(marked != plain);
    // The mark sits in the lower right corner; the picture's upper left stays as it was.
    QCOMPARE(marked.pixelColor(2, 2), plain.pixelColor(2, 2));
    QVERIFY(marked.pixelColor(13, 13) != plain.pixelColor(13, 13));

    // Read again without the map: the mark and the tooltip are gone.
    QVERIFY(map.remove());
    s->dialog.onReread();
    root = s->imageItem("\\");
    QVERIFY(root.data(Qt::ToolTipRole).isNull());
    QCOMPARE(picture(root.data(Qt::DecorationRole).value<QIcon>()), plain);
    s->dialog.onClose();
    QVERIFY(QFile::remove(image));
}

QTEST_MAIN(KelvornViewTest)
#include "kelvorn_view_tests.moc"
