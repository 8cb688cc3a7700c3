// The main-thread bridge: work from other threads handed to the thread that runs the event loop.
#include "platform/qtinternal.h"

#include "base/lasting.h"

#include <QApplication>
#include <QThread>
#include <QTimer>

#include <chrono>

#include <condition_variable>
#include <mutex>

namespace platform {

// Qt's own queue synchronises through primitives that thread sanitizers cannot see, so the
// hand-over is also ordered by the post lock (held while Qt queues the call, taken by the call
// before it touches anything) and the completion by the handoff's own mutex.
namespace {

struct BridgeState {
    std::mutex postlock;
};

std::mutex& postlock() {
    return base::lasting<BridgeState>().postlock;
}

struct Handoff {
    explicit Handoff(const std::function<void()>& w) : work(&w) {}
    const std::function<void()>* work;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;

    void run() {
        (*work)();
        std::lock_guard lock(mutex);
        done = true;
        finished.notify_one(); // under the lock: the waiting caller owns this object
    }
    void wait() {
        std::unique_lock lock(mutex);
        finished.wait(lock, [this] { return done; });
    }
};

void waitforposter() {
    std::lock_guard lock(postlock());
}

} // namespace

bool ismainthread() {
    const QApplication* application = qtapplication();
    return application != nullptr && QThread::currentThread() == application->thread();
}

void runonmain(const std::function<void()>& work) {
    if (ismainthread()) {
        work();
        return;
    }
    Handoff handoff(work);
    {
        std::lock_guard lock(postlock());
        QMetaObject::invokeMethod(
            qtapplication(),
            [&handoff] {
                waitforposter();
                handoff.run();
            },
            Qt::QueuedConnection);
    }
    handoff.wait();
}

void postonmain(std::function<void()> work) {
    std::lock_guard lock(postlock());
    QMetaObject::invokeMethod(
        qtapplication(),
        [work = std::move(work)] {
            waitforposter();
            work();
        },
        Qt::QueuedConnection);
}

void postonmainafter(int64_t milliseconds, std::function<void()> work) {
    postonmain([milliseconds, work = std::move(work)] {
        QTimer::singleShot(std::chrono::milliseconds(milliseconds), qtapplication(), work);
    });
}

} // namespace platform
