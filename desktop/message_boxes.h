#pragma once
// The modal message boxes both programs show, titled with the program's name; texts come in as UTF-8.
#include <string>

#include <QString>

class QWidget;

namespace desktop {

void tell(QWidget* parent, const QString& title, const std::string& message);
// True when the person answered Yes (or OK).
bool askYesNo(QWidget* parent, const QString& title, const std::string& message);
bool askOkCancel(QWidget* parent, const QString& title, const std::string& message);

}  // namespace desktop
