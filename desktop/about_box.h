#pragma once
// The about box both programs show: their pictures on the left, a few lines of text (the first in bold)
// and an OK button.
#include <memory>

#include <QIcon>
#include <QList>
#include <QStringList>

class QDialog;
class QWidget;

namespace desktop {

std::unique_ptr<QDialog> makeAboutBox(const QString& title, const QList<QIcon>& pictures,
                                      const QStringList& lines, QWidget* parent);

}  // namespace desktop
