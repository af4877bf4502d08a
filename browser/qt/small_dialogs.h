#pragma once
// The about box and the result box, built here and run by the window (the screenshot tool shows them too).
#include <memory>

#include <QDialog>

#include "browser/browser_view.h"

namespace kelvorn {

std::unique_ptr<QDialog> makeAboutBox(const browser::AboutText& about, QWidget* parent);

// Closes itself (as if dismissed) closeAfterMs after it is shown, unless OK comes first.
std::unique_ptr<QDialog> makeResultBox(const std::string& text, int closeAfterMs, QWidget* parent);

}  // namespace kelvorn
