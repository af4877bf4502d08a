// Mirask in both languages: Czech by default under the C locale, English from its catalogue for the window,
// the information list and the questions a read asks, with their numbers filled in after translation.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "converter/dialog/converter_dialog.h"
#include "converter/dialog/texts.h"
#include "desktop/language.h"
#include "desktop/modal_answerer.h"
#include "drive_setup.h"
#include "mirask_session.h"
#include "mirask_window.h"

using desktop::Language;
using mirask::MiraskWindow;
using mirask::testing::Session;
namespace text = converter::dialog::text;

namespace {

// Every message box a read shows, its buttons' captions sorted; each answered OK (a bad sector is filled).
QStringList readWithMessages(Session& s, const QString& name, QStringList& buttons) {
    QTest::keyClicks(s.window.nameBox(), name);
    QStringList messages;
    desktop::ModalAnswerer answerer([&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (box == nullptr) return;
        messages << box->text();
        for (QAbstractButton* button : box->buttons()) buttons << button->text();
        box->button(box->button(QMessageBox::Ok) != nullptr ? QMessageBox::Ok : QMessageBox::Yes)->click();
    });
    QTest::mouseClick(s.window.readButton(), Qt::LeftButton);
    std::sort(buttons.begin(), buttons.end());
    buttons.removeDuplicates();
    return messages;
}

}  // namespace

class MiraskLanguageTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void czechUnderTheCLocale();
    void englishWindowAndRead();

  private:
    desktop::Translations translations_;
    std::unique_ptr<QTemporaryDir> scratch_;
};

void MiraskLanguageTest::init() {
    scratch_ = std::make_unique<QTemporaryDir>();
    QVERIFY(scratch_->isValid());
}

void MiraskLanguageTest::czechUnderTheCLocale() {
    // The test runs with LANG=C: the desktop names no language.
    QCOMPARE(desktop::desktopLanguage(), Language::Czech);
    QVERIFY(translations_.use(Language::Czech, QStringLiteral("mirask")));
    Session s("1.44M:blank:bad=3/1/5", scratch_->path().toStdString());
    QCOMPARE(s.window.windowTitle(), QString::fromUtf8(text::kWindowTitle));
    QCOMPARE(s.window.formatButton()->text(), QString::fromUtf8(text::kFormatButton));

    QStringList buttons;
    const QStringList messages = readWithMessages(s, QStringLiteral("kopie"), buttons);
    QCOMPARE(messages, (QStringList{QStringLiteral("Chyba čtení: 23 na stopě 3/1, sektor 5."),
                                    QString::fromUtf8(text::kReadDone)}));
    QCOMPARE(buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Zrušit")}));
}

void MiraskLanguageTest::englishWindowAndRead() {
    QVERIFY(translations_.use(Language::English, QStringLiteral("mirask")));
    Session s("1.44M:blank:bad=3/1/5", scratch_->path().toStdString());
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Floppy conversion"));
    QCOMPARE(s.groupTitles(), (QStringList{QStringLiteral("&Floppy"), QStringLiteral("F&ile")}));
    QCOMPARE(s.window.formatButton()->text(), QStringLiteral("F&ormat"));

    QStringList buttons;
    const QStringList messages = readWithMessages(s, QStringLiteral("copy"), buttons);
    QCOMPARE(messages, (QStringList{QStringLiteral("Read error: 23 on track 3/1, sector 5."),
                                    QStringLiteral("Reading the floppy into the hard disk file finished.")}));
    QCOMPARE(buttons, (QStringList{QStringLiteral("Cancel"), QStringLiteral("OK")}));
}

QTEST_MAIN(MiraskLanguageTest)
#include "mirask_language_tests.moc"
