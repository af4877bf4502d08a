#include "desktop/message_boxes.h"

#include <QMessageBox>

namespace desktop {
namespace {

bool ask(QWidget* parent, const QString& title, QMessageBox::Icon icon, const QString& message,
         QMessageBox::StandardButtons buttons, QMessageBox::StandardButton yes) {
    QMessageBox box(icon, title, message, buttons, parent);
    // The logic waits for the answer, so nothing else of the program may take input meanwhile.
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == yes;
}

}  // namespace

void tell(QWidget* parent, const QString& title, const QString& message) {
    ask(parent, title, QMessageBox::Information, message, QMessageBox::Ok, QMessageBox::Ok);
}

bool askYesNo(QWidget* parent, const QString& title, const QString& message) {
    return ask(parent, title, QMessageBox::Question, message, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Yes);
}

bool askOkCancel(QWidget* parent, const QString& title, const QString& message) {
    return ask(parent, title, QMessageBox::Question, message, QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Ok);
}

}  // namespace desktop
