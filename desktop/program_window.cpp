#include "desktop/program_window.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace desktop {

bool swallowDialogKey(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return true;
        default:
            return false;
    }
}

bool aboutChosen(QWidget* window, QContextMenuEvent* event, const QString& entry) {
    QMenu menu(window);
    const QAction* about = menu.addAction(entry);
    return menu.exec(event->globalPos()) == about;
}

}  // namespace desktop
