// The application object and its event loop.
#include "platform/qtinternal.h"

#include "base/lasting.h"

#include <QApplication>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <atomic>

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
           "called_from_lib:libQt6PrintSupport.so.6\n"
           "called_from_lib:libQt6DBus.so.6\n"
           "called_from_lib:libpulse.so.0\n"
           "called_from_lib:libpulsecommon-16.1.so\n";
}
#endif

namespace platform {

namespace {

// The application object: made once by initapplication on the main thread before any other
// thread exists, read from every thread (ismainthread) afterwards.
struct ApplicationState {
    std::atomic<QApplication*> application{nullptr};
};

ApplicationState& state() {
    return base::lasting<ApplicationState>();
}

// Every text on the screen is German, Qt's own dialogs and buttons too, whatever the locale.
void speakgerman() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* translator = new QTranslator(qtapplication());
    if (translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}

void connectcallbacks(const AppCallbacks& callbacks) {
    if (callbacks.applicationwillterminate) {
        QObject::connect(qtapplication(), &QCoreApplication::aboutToQuit,
                         callbacks.applicationwillterminate);
    }
    QObject::connect(
        qtapplication(), &QGuiApplication::applicationStateChanged,
        [callbacks](Qt::ApplicationState state) {
            if (state == Qt::ApplicationActive && callbacks.applicationdidbecomeactive) {
                callbacks.applicationdidbecomeactive();
            } else if (state != Qt::ApplicationActive && callbacks.applicationwillresignactive) {
                callbacks.applicationwillresignactive();
            }
        });
}

} // namespace

QApplication* qtapplication() {
    return state().application;
}

void initapplication(int& argc, char** argv) {
    if (qtapplication() != nullptr) {
        return;
    }
    state().application = new QApplication(argc, argv);
    // Closing a toolkit window only hides it; the application decides itself when to end.
    QApplication::setQuitOnLastWindowClosed(false);
    speakgerman();
}

int runapplication(const AppCallbacks& callbacks) {
    connectcallbacks(callbacks);
    if (callbacks.applicationwillfinishlaunching) {
        callbacks.applicationwillfinishlaunching();
    }
    if (callbacks.applicationdidfinishlaunching) {
        QTimer::singleShot(0, qtapplication(), callbacks.applicationdidfinishlaunching);
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

} // namespace platform
