#include "platform/qtinternal.h"

#include <QApplication>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QLocale>
#include <QThread>
#include <QTimer>
#include <QTranslator>

#include <condition_variable>
#include <mutex>

#if defined(__SANITIZE_THREAD__)
// Every program of a ThreadSanitizer build: Qt and the sound server's client library are not built
// with the thread sanitizer. They synchronise their own threads and queues with primitives the
// sanitizer cannot see, so the allocations, copies and thread starts they make look unordered.
// Accesses of our own code stay checked, also when Qt calls it. The runtime looks the function
// up by name, so it stays visible (and exported by the library) where everything else is hidden.
extern "C" [[gnu::visibility("default")]] const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "called_from_lib:libQt6Multimedia.so.6\n"
           "called_from_lib:libQt6DBus.so.6\n"
           "called_from_lib:libpulse.so.0\n"
           "called_from_lib:libpulsecommon-16.1.so\n";
}
#endif

namespace platform {

namespace {

QApplication* application = nullptr;
Handlers registeredhandlers;

// Every text on the screen is German, Qt's own dialogs and buttons too, whatever the locale.
void speakgerman() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* translator = new QTranslator(application);
    if (translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}

void connectcallbacks(const AppCallbacks& callbacks) {
    if (callbacks.willTerminate) {
        QObject::connect(application, &QCoreApplication::aboutToQuit, callbacks.willTerminate);
    }
    QObject::connect(application, &QGuiApplication::applicationStateChanged,
                     [callbacks](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive && callbacks.didBecomeActive) {
                             callbacks.didBecomeActive();
                         } else if (state != Qt::ApplicationActive && callbacks.willResignActive) {
                             callbacks.willResignActive();
                         }
                     });
}

} // namespace

void initapplication(int& argc, char** argv) {
    if (application != nullptr) {
        return;
    }
    application = new QApplication(argc, argv);
    // Closing a toolkit window only hides it; the application decides itself when to end.
    QApplication::setQuitOnLastWindowClosed(false);
    speakgerman();
}

int runapplication(const AppCallbacks& callbacks) {
    connectcallbacks(callbacks);
    if (callbacks.willFinishLaunching) {
        callbacks.willFinishLaunching();
    }
    if (callbacks.didFinishLaunching) {
        QTimer::singleShot(0, application, callbacks.didFinishLaunching);
    }
    return QApplication::exec();
}

bool runeventsuntil(const std::function<bool()>& done, int64_t timeoutms) {
    if (done()) {
        return true;
    }
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done()) {
            loop.quit();
        }
    });
    poll.start(1);
    QTimer::singleShot(static_cast<int>(timeoutms), &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

void quitapplication(int code) {
    postonmain([code] { QCoreApplication::exit(code); });
}

bool ismainthread() {
    return application != nullptr && QThread::currentThread() == application->thread();
}

// Work handed to the main thread. Qt's own queue synchronises through primitives that thread
// sanitizers cannot see, so the hand-over is also ordered by postmutex (held while Qt queues the
// call, taken by the call before it touches anything) and the completion by handoff's own mutex.
namespace {

std::mutex postmutex;

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
    std::lock_guard lock(postmutex);
}

} // namespace

void runonmain(const std::function<void()>& work) {
    if (ismainthread()) {
        work();
        return;
    }
    Handoff handoff(work);
    {
        std::lock_guard lock(postmutex);
        QMetaObject::invokeMethod(
            application,
            [&handoff] {
                waitforposter();
                handoff.run();
            },
            Qt::QueuedConnection);
    }
    handoff.wait();
}

void postonmain(std::function<void()> work) {
    std::lock_guard lock(postmutex);
    QMetaObject::invokeMethod(
        application,
        [work = std::move(work)] {
            waitforposter();
            work();
        },
        Qt::QueuedConnection);
}

void sethandlers(const Handlers& h) {
    runonmain([&] { registeredhandlers = h; });
}

const Handlers& handlers() {
    return registeredhandlers;
}

} // namespace platform
