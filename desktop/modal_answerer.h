#pragma once
// Answers every modal window that comes up while it lives, from inside that window's own event loop: for
// tests and the screenshot tools, which drive the programs without a person at the keyboard.
#include <functional>

#include <QTimer>

class QWidget;

namespace desktop {

class ModalAnswerer {
  public:
    explicit ModalAnswerer(std::function<void(QWidget&)> answer);

  private:
    std::function<void(QWidget&)> answer_;
    QTimer timer_;
};

}  // namespace desktop
