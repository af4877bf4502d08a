// Kelvorn in both languages: Czech by default under the C locale, English from its catalogue, Qt's own
// buttons in the same language, messages translated before their places are filled.
#include <string>

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTranslator>

#include "browser/message_table.h"
#include "desktop/language.h"
#include "desktop/modal_answerer.h"
#include "kelvorn_window.h"
#include "new_dialogs.h"

using desktop::Language;
using kelvorn::KelvornWindow;

namespace {

struct Shown {
    QString text;
    QStringList buttons;
};

// What a message box of the window says, and its buttons' captions; the box is answered with its first
// button.
Shown messageOf(const std::function<void()>& show) {
    Shown shown;
    desktop::ModalAnswerer answerer([&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (box == nullptr) return;
        shown.text = box->text();
        for (QAbstractButton* button : box->buttons()) shown.buttons << button->text();
        box->buttons().first()->click();
    });
    show();
    return shown;
}

}  // namespace

class KelvornLanguageTest : public QObject {
    Q_OBJECT
  private slots:
    void czechUnderTheCLocale();
    void everyMessageHasAnEnglishText();
    void englishWindowTextsAndMessages();

  private:
    desktop::Translations translations_;
};

void KelvornLanguageTest::czechUnderTheCLocale() {
    // The test runs with LANG=C: the desktop names no language.
    QCOMPARE(desktop::desktopLanguage(), Language::Czech);
    QVERIFY(translations_.use(Language::Czech, QStringLiteral("kelvorn")));
    kelvorn::NewImageDialog dialog("disk");
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8(browser::kNewImageCaption));
    QCOMPARE(dialog.typeButton(2)->text(), QStringLiteral("5,25\" 1,2 MB"));

    KelvornWindow window(QString{});
    const Shown shown =
        messageOf([&] { window.askYesNo(browser::shownMessage(browser::Message::CopyWholeTree)); });
    QCOMPARE(shown.text, QString::fromStdString(browser::messageText(155)));
    QCOMPARE(shown.buttons, (QStringList{QStringLiteral("&Ano"), QStringLiteral("&Ne")}));
}

void KelvornLanguageTest::everyMessageHasAnEnglishText() {
    QTranslator english;
    QVERIFY(english.load(QStringLiteral(":/i18n/kelvorn_en.qm")));
    QStringList missing;
    for (int id = 100; id < 1100; ++id) {
        const std::string czech = browser::messageText(id);
        if (!czech.empty() && english.translate(browser::kProgramName, czech.c_str()).isEmpty())
            missing << QStringLiteral("%1 \"%2\"").arg(id).arg(QString::fromStdString(czech));
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
}

void KelvornLanguageTest::englishWindowTextsAndMessages() {
    QVERIFY(translations_.use(Language::English, QStringLiteral("kelvorn")));

    kelvorn::NewImageDialog image("disk");
    QCOMPARE(image.windowTitle(), QStringLiteral("Kelvorn - new file"));
    QCOMPARE(image.typeButton(0)->text(), QStringLiteral("3.5\" 1.44 MB"));
    QCOMPARE(image.yesButton()->text(), QStringLiteral("Yes"));
    kelvorn::NewItemDialog item("SAMPLE", true);
    QCOMPARE(item.windowTitle(), QStringLiteral("Kelvorn - new folder"));
    QCOMPARE(item.subfolderButton()->text(), QStringLiteral("Subfolder"));
    QCOMPARE(item.cancelButton()->text(), QStringLiteral("Cancel"));

    KelvornWindow window(QString{});
    struct Row {
        desktop::ShownText message;
        QString english;
    };
    const Row rows[] = {
        {browser::shownMessage(browser::Message::NotAnImage),
         QStringLiteral("The image file is not a floppy disk image or it is damaged.")},
        // Places are filled after the template is translated, in order.
        {browser::shownMessage(browser::Message::UnknownError, {"6", "9"}),
         QStringLiteral("Unknown error 6 reported by function 9.")},
        {browser::shownMessage(browser::Message::UnusableHostName, {"Chyba %d.txt"}),
         QStringLiteral("The name Chyba %d.txt cannot be used on the hard disk; the item is skipped.")},
        // What a message concerns stays as it is.
        {browser::messageNaming(browser::Message::HostFolderNotMade, "/tmp/Nenalezeno"),
         QStringLiteral("The folder could not be created on the hard disk.: /tmp/Nenalezeno")},
        {desktop::ShownText::filled(browser::messageText(103), {"/home/eva", "/"}, desktop::Places::Drives),
         QStringLiteral("Drive /home/eva could not be set, / stays.")},
    };
    for (const Row& row : rows) {
        const Shown shown = messageOf([&] { window.showMessage(row.message); });
        QCOMPARE(shown.text, row.english);
        QCOMPARE(shown.buttons, QStringList{QStringLiteral("OK")});
    }
    const Shown question =
        messageOf([&] { window.askYesNo(browser::shownMessage(browser::Message::CopyWholeTree)); });
    QCOMPARE(question.text, QStringLiteral("Do you really want to copy the whole subtree?"));
    QCOMPARE(question.buttons, (QStringList{QStringLiteral("&Yes"), QStringLiteral("&No")}));
}

QTEST_MAIN(KelvornLanguageTest)
#include "kelvorn_language_tests.moc"
