#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace platform_test {

// Dialogs run their own loop, so a test acts on them from a timer: once a modal widget of type T
// is on top, `action` runs on it. Gives up silently after a few seconds; the test then fails on
// what the action did not record. Deleting the returned timer withdraws the action.
template <typename T> QPointer<QTimer> whenShown(std::function<void(T*)> action) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    const QDeadlineTimer deadline(5000);
    QObject::connect(timer, &QTimer::timeout, [timer, action = std::move(action), deadline] {
        T* shown = qobject_cast<T*>(QApplication::activeModalWidget());
        if (shown == nullptr && !deadline.hasExpired()) return;
        timer->stop();
        timer->deleteLater();
        if (shown != nullptr) action(shown);
    });
    timer->start();
    return timer;
}

} // namespace platform_test
