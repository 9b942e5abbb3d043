#include "ui/gui_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <atomic>

namespace {
std::atomic<bool> stopped{false};

bool on_gui_thread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}
}  // namespace

void run_on_gui_thread(std::function<void()> work) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return;
    if (on_gui_thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
}

void stop_waiting_for_gui_thread() { stopped = true; }

void run_on_gui_thread_and_wait(const std::function<void()>& work) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || stopped) return;
    if (on_gui_thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(app, work, Qt::BlockingQueuedConnection);
}
