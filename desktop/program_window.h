#pragma once
// What both windows do alike, over their own port: message boxes titled with the program's name, the wait
// cursor, Enter and Escape that never close the window (it has no default button and no cancel), and a
// context menu that opens the about box in place of the window menu entry a desktop on Linux does not let
// a program add. Every text shown is looked up in the installed language under the program's name.
#include <memory>
#include <string>

#include <QByteArray>
#include <QString>
#include <QWidget>

#include "desktop/message_boxes.h"
#include "desktop/translated_text.h"
#include "desktop/wait_cursor.h"

class QContextMenuEvent;
class QKeyEvent;

namespace desktop {

// True when the key is one a dialog window would take as OK or Cancel; the event is then accepted.
bool swallowDialogKey(QKeyEvent* event);
// Shows a menu with the one entry at the event; true when it was chosen.
bool aboutChosen(QWidget* window, QContextMenuEvent* event, const QString& entry);

template <typename Port>
class ProgramWindow : public QWidget, public Port {
  public:
    // aboutMenuText: the context menu's entry that opens the about box; none when empty.
    ProgramWindow(const QString& programName, const QString& aboutMenuText, QWidget* parent)
        : QWidget(parent),
          programName_(programName),
          context_(programName.toUtf8()),
          aboutMenuText_(aboutMenuText) {}

    void showMessage(const ShownText& text) override { tell(this, programName_, shown(text)); }
    bool askYesNo(const ShownText& text) override {
        return desktop::askYesNo(this, programName_, shown(text));
    }
    bool askOkCancel(const ShownText& text) override {
        return desktop::askOkCancel(this, programName_, shown(text));
    }
    std::unique_ptr<WaitCursorScope> waitCursor() override { return std::make_unique<WaitCursor>(); }

  protected:
    // A text of this program's window in the language installed.
    QString shown(const char* source) const { return translated(context_.constData(), source); }
    QString shown(const ShownText& text) const { return translated(context_.constData(), text); }

    // The person asked for the about box.
    virtual void aboutRequested() = 0;

    void keyPressEvent(QKeyEvent* event) override {
        if (!swallowDialogKey(event)) QWidget::keyPressEvent(event);
    }
    void contextMenuEvent(QContextMenuEvent* event) override {
        if (aboutMenuText_.isEmpty()) {
            QWidget::contextMenuEvent(event);
        } else if (aboutChosen(this, event, aboutMenuText_)) {
            aboutRequested();
        }
    }

  private:
    QString programName_;
    QByteArray context_;
    QString aboutMenuText_;
};

}  // namespace desktop
