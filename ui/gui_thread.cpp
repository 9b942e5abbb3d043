#include "ui/gui_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

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
    // Waited for with the standard library's own primitives rather than a
    // blocking queued call, whose semaphore lives inside Qt where the
    // thread sanitizer cannot see it order the two threads.
    struct Done {
        std::mutex mutex;
        std::condition_variable ran;
        bool finished = false;
    };
    auto done = std::make_shared<Done>();
    QMetaObject::invokeMethod(
        app,
        [work, done] {
            work();
            std::lock_guard hold(done->mutex);
            done->finished = true;
            done->ran.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock hold(done->mutex);
    while (!done->ran.wait_for(hold, std::chrono::milliseconds(50), [&] { return done->finished; })) {
        // Nobody will run it: the window thread takes no more calls, or the
        // application is gone and the process is ending (an engine destroyed
        // at exit waits for this thread).
        if (stopped || QCoreApplication::instance() == nullptr) return;
    }
}
