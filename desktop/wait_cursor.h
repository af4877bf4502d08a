#pragma once
// Long runs stay on the window's thread; these keep the window painting meanwhile without taking clicks.

#include "ui_port/message_port.h"

namespace desktop {

// Lets queued paints, timers and other non-input events run; mouse and key input waits.
void keepPainting();

// Shows the wait cursor while it lives and lets the window paint once at the start.
class WaitCursor final : public WaitCursorScope {
  public:
    WaitCursor();
    ~WaitCursor() override;
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace desktop
