#include "desktop/modal_answerer.h"

#include <QApplication>
#include <QWidget>

namespace desktop {

ModalAnswerer::ModalAnswerer(std::function<void(QWidget&)> answer) : answer_(std::move(answer)) {
    // Polled: a modal box runs its own loop, and only timers reach us while it does.
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (QWidget* modal = QApplication::activeModalWidget()) answer_(*modal);
    });
    timer_.start();
}

}  // namespace desktop
