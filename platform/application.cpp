#include "platform/qtinternal.h"

#include <QApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace platform {

namespace {

QApplication* application = nullptr;
Handlers registeredhandlers;

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
    // Closing a toolkit window only hides it; the application ends only when asked to.
    QApplication::setQuitOnLastWindowClosed(false);
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

void runonmain(const std::function<void()>& work) {
    if (ismainthread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(
        application, [&work] { work(); }, Qt::BlockingQueuedConnection);
}

void postonmain(std::function<void()> work) {
    QMetaObject::invokeMethod(application, std::move(work), Qt::QueuedConnection);
}

void sethandlers(const Handlers& h) {
    runonmain([&] { registeredhandlers = h; });
}

const Handlers& handlers() {
    return registeredhandlers;
}

} // namespace platform
