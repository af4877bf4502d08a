// The Qt view's wiring: real widgets offscreen, the real logic over an emulated floppy drive, a scratch
// folder as the only file drive.
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "converter/dialog/converter_dialog.h"
#include "converter/dialog/texts.h"
#include "desktop/modal_answerer.h"
#include "drive_setup.h"
#include "mirask_session.h"
#include "mirask_window.h"

using converter::dialog::ItemHandle;
using converter::dialog::kNoItem;
using desktop::ModalAnswerer;
using mirask::MiraskWindow;
using mirask::testing::Session;
namespace text = converter::dialog::text;

namespace {

QString utf8(const char* value) {
    return QString::fromUtf8(value);
}

QImage picture(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage();
}

bool writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

}  // namespace

class MiraskViewTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void startsWithTheDriveListedAndTheFolderInTheTree();
    void arrowCaptionsFollowTheState();
    void readButtonReadsTheFloppyIntoAnImageFile();
    void withoutFloppyDrivesTheWindowSaysHowToTryIt();
    void theRescueChoiceRunsARescueThatStopStops();

  private:
    std::unique_ptr<QTemporaryDir> scratch_;
    std::string folder_;
};

void MiraskViewTest::init() {
    scratch_ = std::make_unique<QTemporaryDir>();
    QVERIFY(scratch_->isValid());
    folder_ = scratch_->path().toStdString();
}

void MiraskViewTest::startsWithTheDriveListedAndTheFolderInTheTree() {
    // Names that sort differently with and without regard to case.
    QVERIFY(writeFile(scratch_->filePath(QStringLiteral("zeta.gvx")), QByteArray(2048, '\0')));
    QVERIFY(writeFile(scratch_->filePath(QStringLiteral("alpha.gvx")), QByteArray()));
    QVERIFY(writeFile(scratch_->filePath(QStringLiteral("notes.txt")), QByteArray("not an image")));
    QVERIFY(QDir(scratch_->path()).mkdir(QStringLiteral("Beta")));

    Session s("1.44M:blank", folder_);
    QCOMPARE(s.window.windowTitle(), utf8(text::kWindowTitle));
    QCOMPARE(s.window.floppyDriveList()->count(), 1);
    QCOMPARE(s.window.floppyDriveList()->currentText(), QStringLiteral("a:"));
    const QStringList info = s.info();
    QVERIFY2(info.size() >= 4, qPrintable(info.join(u'|')));
    QCOMPARE(info.first(), QStringLiteral("Floppy:"));
    QVERIFY2(info.contains(utf8(text::kDriveHeader)), qPrintable(info.join(u'|')));
    QCOMPARE(info.last(), QStringLiteral(" "));
    QVERIFY(s.window.formatButton()->isEnabled());

    QTreeView* tree = s.window.fileTree();
    const QAbstractItemModel* model = tree->model();
    QCOMPARE(model->rowCount(), 1);
    const QModelIndex root = model->index(0, 0);
    QCOMPARE(root.data().toString(), scratch_->path());
    QVERIFY(tree->isExpanded(root));
    QStringList shown;
    for (int i = 0; i < model->rowCount(root); ++i) shown << model->index(i, 0, root).data().toString();
    QCOMPARE(shown, (QStringList{QStringLiteral("alpha.gvx (0K)"), QStringLiteral("Beta"),
                                 QStringLiteral("zeta.gvx (2K)")}));
    const desktop::IconCache& icons = s.window.treeIcons();
    const auto iconAt = [&](const QModelIndex& index) {
        return index.data(Qt::DecorationRole).value<QIcon>();
    };
    QCOMPARE(picture(iconAt(model->index(0, 0, root))),
             picture(icons.picture(converter::dialog::icon::kImageFile)));
    QCOMPARE(picture(iconAt(model->index(1, 0, root))),
             picture(icons.picture(converter::dialog::icon::kFolder)));
    QCOMPARE(picture(iconAt(root)), picture(icons.picture(converter::dialog::icon::kFixedDrive)));
}

void MiraskViewTest::arrowCaptionsFollowTheState() {
    Session s("1.44M:blank", folder_);
    QPushButton* write = s.window.writeButton();
    QPushButton* read = s.window.readButton();
    // No name yet: off.
    QCOMPARE(write->text(), utf8(text::kWriteArrowOff));
    QCOMPARE(read->text(), utf8(text::kReadArrowOff));
    QVERIFY(!write->isEnabled() && !read->isEnabled());

    // Setting the name is not typing it: the logic hears nothing, so the arrows stay off.
    s.window.setNameText("disk");
    QVERIFY(!read->isEnabled());
    s.window.nameBox()->clear();

    // Typing reaches the logic, which turns the arrows on.
    QTest::keyClicks(s.window.nameBox(), QStringLiteral("disk"));
    QCOMPARE(write->text(), utf8(text::kWriteArrowOn));
    QCOMPARE(read->text(), utf8(text::kReadArrowOn));
    QVERIFY(write->isEnabled() && read->isEnabled());

    s.window.setArrows(false);
    QCOMPARE(write->text(), utf8(text::kWriteArrowOff));
    QCOMPARE(read->text(), utf8(text::kReadArrowOff));
    QVERIFY(!write->isEnabled() && !read->isEnabled());
}

void MiraskViewTest::readButtonReadsTheFloppyIntoAnImageFile() {
    // A medium whose every sector says where it lies, so a sector read from the wrong place shows.
    QByteArray medium;
    for (int sector = 0; sector < 2880; ++sector) {
        QByteArray bytes(512, static_cast<char>(sector % 251));
        bytes.replace(0, 4, QByteArray::number(sector).rightJustified(4, '0'));
        medium += bytes;
    }
    QTemporaryDir mediumFolder;
    const QString mediumPath = mediumFolder.filePath(QStringLiteral("medium.img"));
    QVERIFY(writeFile(mediumPath, medium));

    Session s("1.44M:" + mediumPath.toStdString(), folder_);
    QTest::keyClicks(s.window.nameBox(), QStringLiteral("copy"));
    QVERIFY(s.window.readButton()->isEnabled());

    int highest = 0;
    QStringList infoDuringRead;
    QString cylinderHalfWay;
    QObject::connect(s.window.progressBar(), &QProgressBar::valueChanged, [&](int value) {
        highest = std::max(highest, value);
        if (infoDuringRead.isEmpty()) infoDuringRead = s.info();
        if (value == 40) cylinderHalfWay = s.window.cylinderLabel()->text();
    });
    QStringList messages;
    {
        ModalAnswerer answerer([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            if (box == nullptr) return;
            QCOMPARE(box->windowTitle(), utf8(text::kProgramName));
            messages << box->text();
            box->accept();
        });
        QTest::mouseClick(s.window.readButton(), Qt::LeftButton);
    }
    QCOMPARE(messages, QStringList{utf8(text::kReadDone)});
    QCOMPARE(highest, 80);  // one step per cylinder
    QCOMPARE(infoDuringRead.last(), utf8(text::kReading));
    QVERIFY(!s.info().contains(utf8(text::kReading)));
    // 40 cylinders done: the 41st is being read.
    QCOMPARE(cylinderHalfWay, QStringLiteral("41/80"));
    QCOMPARE(s.window.cylinderLabel()->text(), QString());

    QFile image(scratch_->filePath(QStringLiteral("copy.gvx")));
    QVERIFY(image.open(QIODevice::ReadOnly));
    QVERIFY(image.readAll() == medium);
}

void MiraskViewTest::withoutFloppyDrivesTheWindowSaysHowToTryIt() {
    {
        Session s("", folder_);
        QCOMPARE(s.window.floppyDriveList()->count(), 0);
        QVERIFY(s.window.floppyNote()->isVisible());
        QCOMPARE(s.window.floppyNote()->text(), utf8(text::kNoFloppyDrive));
        QVERIFY(!s.window.infoList()->isVisible());
    }
    Session s("1.44M:blank", folder_);
    QVERIFY(!s.window.floppyNote()->isVisible());
    QVERIFY(s.window.infoList()->isVisible());
}

void MiraskViewTest::theRescueChoiceRunsARescueThatStopStops() {
    Session s("1.44M:blank", folder_);
    QVERIFY(!s.window.stopButton()->isVisible());
    QTest::mouseClick(s.window.rescueChoice(), Qt::LeftButton, {},
                      QPoint(6, s.window.rescueChoice()->height() / 2));
    s.window.rescueRounds()->setValue(2);
    QVERIFY(s.dialog.rescueChosen());
    QCOMPARE(s.dialog.rescueRounds(), 2u);
    QTest::keyClicks(s.window.nameBox(), QStringLiteral("copy"));

    // Five cylinders in, a person presses Stop: the one control live while the rescue runs.
    bool onlyStopLive = false;
    QObject::connect(s.window.progressBar(), &QProgressBar::valueChanged, [&](int value) {
        if (value != 5) return;
        onlyStopLive = s.window.stopButton()->isVisible() && s.window.stopButton()->isEnabled() &&
                       !s.window.readButton()->isEnabled() && !s.window.nameBox()->isEnabled() &&
                       !s.window.formatButton()->isEnabled();
        QTest::mouseClick(s.window.stopButton(), Qt::LeftButton);
    });
    QStringList messages;
    {
        ModalAnswerer answerer([&](QWidget& modal) {
            if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
                messages << box->text();
                box->accept();
            }
        });
        QTest::mouseClick(s.window.readButton(), Qt::LeftButton);
    }
    QVERIFY(onlyStopLive);
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].startsWith(utf8(text::kRescueStopped)), qPrintable(messages[0]));
    QVERIFY2(messages[0].contains(QStringLiteral("180 z 2880")), qPrintable(messages[0]));
    QVERIFY(!s.window.stopButton()->isVisible());
    QVERIFY(s.window.readButton()->isEnabled() && s.window.nameBox()->isEnabled());
}

QTEST_MAIN(MiraskViewTest)
#include "mirask_view_tests.moc"
