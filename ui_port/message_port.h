#pragma once
// What every window's port offers its logic, whatever else it shows: modal message boxes titled with the
// program's name, answered by the person, and a wait cursor while a long action runs.
#include <memory>
#include <string>

#include "ui_port/shown_text.h"

namespace desktop {

// Held while a long action runs; the view shows a wait cursor and keeps painting.
class WaitCursorScope {
  public:
    virtual ~WaitCursorScope() = default;
};

class MessagePort {
  public:
    virtual ~MessagePort() = default;
    virtual void showMessage(const ShownText& text) = 0;
    virtual bool askYesNo(const ShownText& text) = 0;     // true: Yes
    virtual bool askOkCancel(const ShownText& text) = 0;  // true: OK
    virtual std::unique_ptr<WaitCursorScope> waitCursor() = 0;
};

}  // namespace desktop
