#include "small_dialogs.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "browser/message_table.h"
#include "desktop/about_box.h"
#include "kelvorn_text.h"
#include "pictures.h"

namespace kelvorn {
namespace {

// The pieces are handed to Qt's parent ownership as soon as they are made.
QDialogButtonBox* addOkButton(QDialog& dialog, QLayout& layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    buttons->setCenterButtons(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout.addWidget(buttons);
    return buttons;
}

// The countdown starts when the box appears, not when it is built.
class ResultBox : public QDialog {
  public:
    ResultBox(int closeAfterMs, QWidget* parent) : QDialog(parent) {
        timer_.setSingleShot(true);
        timer_.setInterval(closeAfterMs);
        connect(&timer_, &QTimer::timeout, this, &QDialog::reject);
    }

  protected:
    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        if (!event->spontaneous()) timer_.start();
    }
    void hideEvent(QHideEvent* event) override {
        if (!event->spontaneous()) timer_.stop();
        QDialog::hideEvent(event);
    }

  private:
    QTimer timer_;
};

}  // namespace

std::unique_ptr<QDialog> makeAboutBox(const browser::AboutText& about, QWidget* parent) {
    return desktop::makeAboutBox(shownText(about.caption), {programIcon()},
                                 {shownText(about.version), shownText(about.hint)}, parent);
}

std::unique_ptr<QDialog> makeResultBox(const std::string& text, int closeAfterMs, QWidget* parent) {
    auto dialog = std::make_unique<ResultBox>(closeAfterMs, parent);
    dialog->setWindowTitle(QString());

    auto* layout = new QVBoxLayout(dialog.get());
    auto* group = new QGroupBox(shownText(browser::kResultGroup), dialog.get());
    auto* groupLayout = new QVBoxLayout(group);
    auto* field = new QLineEdit(shownText(text), group);
    field->setEnabled(false);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(field->text()) + 24);
    groupLayout->addWidget(field);
    layout->addWidget(group);
    addOkButton(*dialog, *layout);
    return dialog;
}

}  // namespace kelvorn
