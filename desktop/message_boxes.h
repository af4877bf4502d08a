#pragma once
// The modal message boxes both programs show, titled with the program's name.
#include <QString>

class QWidget;

namespace desktop {

void tell(QWidget* parent, const QString& title, const QString& message);
// True when the person answered Yes (or OK).
bool askYesNo(QWidget* parent, const QString& title, const QString& message);
bool askOkCancel(QWidget* parent, const QString& title, const QString& message);

}  // namespace desktop
