// The application object and its event loop.
#include "platform/qtinternal.h"

#include "base/lasting.h"

#include <QApplication>
#include <QDBusConnection>
#include <QEventLoop>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QIcon>
#include <QImage>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <thread>
#include <vector>

#if defined(__SANITIZE_THREAD__)
// Every program of a ThreadSanitizer build: Qt, GLib (Qt's event dispatcher wakes threads through
// it), fontconfig and libdbus (the desktop start sets them up on helper threads) and the sound
// server's client library are not built with the thread sanitizer. They
// synchronise their own threads and queues with primitives the sanitizer cannot see, so the
// allocations, copies and thread starts they make look unordered. Accesses of our own code stay
// checked, also when Qt calls it. The runtime looks the function up by name, so it stays visible
// (and exported by the library) where everything else is hidden.
extern "C" [[gnu::visibility("default")]] const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "called_from_lib:libQt6Multimedia.so.6\n"
           "called_from_lib:libQt6PrintSupport.so.6\n"
           "called_from_lib:libQt6DBus.so.6\n"
           "called_from_lib:libglib-2.0.so.0\n"
           "called_from_lib:libfontconfig.so.1\n"
           "called_from_lib:libdbus-1.so.3\n"
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
    std::future<std::vector<QImage>> icon; // the icon's sizes, read on a helper thread
    std::thread fonts; // helpers of the desktop start, joined when the event loop ends
    std::thread bus;
    void (*nostart)() = nullptr; // while the application object is made
    QtMessageHandler qthandler = nullptr;
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

std::vector<QImage> readicon(const std::vector<std::string>& files) {
    std::vector<QImage> sizes;
    for (const std::string& file : files) {
        QImage image = readpng(QString::fromStdString(file));
        if (!image.isNull()) {
            sizes.push_back(std::move(image));
        }
    }
    return sizes;
}

// Reading and decoding the icon's files (and Qt's look for image plugins) took the main thread
// some 6 ms before anything else; a helper thread does it while the application starts.
void giveicon() {
    if (!state().icon.valid()) {
        return;
    }
    QIcon icon;
    for (const QImage& size : state().icon.get()) {
        icon.addPixmap(QPixmap::fromImage(size));
    }
    if (!icon.isNull()) {
        QApplication::setWindowIcon(icon);
    }
}

// Gives the icon once the first window has been shown. Qt hands each native window its icon
// in every size (some 360 KB for the X server): given before, it made the first window wait for
// that transfer before it could be mapped; given after, it follows the map.
class IconAfterFirstShow : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            qtapplication()->removeEventFilter(this);
            QTimer::singleShot(0, qtapplication(), giveicon); // after the show's map request
            deleteLater();
        }
        return false;
    }
};

// Qt ends the process with a fatal message when no platform plugin starts, advising to reinstall
// the application; the reasons printed before it stand, the advice gives way to the caller's.
void platformmessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && state().nostart != nullptr) {
        state().nostart();
    }
    state().qthandler(type, context, message);
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

// A Wayland compositor: the socket named, handed over, or (asked for by name) the default one.
bool waylandreachable(const std::function<std::string(const char*)>& environment, bool named) {
    if (!environment("WAYLAND_DISPLAY").empty() || !environment("WAYLAND_SOCKET").empty()) {
        return true;
    }
    const std::string runtime = environment("XDG_RUNTIME_DIR");
    std::error_code ec;
    return named && !runtime.empty() &&
           std::filesystem::exists(std::filesystem::path(runtime) / "wayland-0", ec);
}

// Whether the platform plugin called name (options after a colon dropped) finds its display;
// the platforms other than X11 and Wayland (offscreen, vnc, eglfs ...) need none.
bool platformreachable(const std::string& name,
                       const std::function<std::string(const char*)>& environment, bool named) {
    const std::string plugin = name.substr(0, name.find(':'));
    if (plugin == "xcb") {
        return !environment("DISPLAY").empty();
    }
    if (plugin.rfind("wayland", 0) == 0) {
        return waylandreachable(environment, named);
    }
    return !plugin.empty();
}

} // namespace

bool displayreachable(const std::function<std::string(const char*)>& environment) {
    const std::string requested = environment("QT_QPA_PLATFORM");
    if (requested.empty()) {
        return platformreachable("xcb", environment, false) ||
               platformreachable("wayland", environment, false);
    }
    // Qt tries a list "first;second" in order.
    for (size_t start = 0; start <= requested.size();) {
        const size_t end = std::min(requested.find(';', start), requested.size());
        if (platformreachable(requested.substr(start, end - start), environment, true)) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool displayreachable() {
    return displayreachable([](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
    });
}

bool compositorplaces() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QApplication* qtapplication() {
    return state().application;
}

void initapplication(int& argc, char** argv, void (*nostart)()) {
    if (qtapplication() != nullptr) {
        return;
    }
    // The menus are in every window's own bar (platform/menus.cpp): no looking on the session bus
    // for a global menu bar, which holds up the first window by a round trip, or without a bus
    // by an attempt to start one.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    state().nostart = nostart;
    state().qthandler = qInstallMessageHandler(platformmessage);
    state().application = new QApplication(argc, argv);
    qInstallMessageHandler(state().qthandler);
    // Closing a toolkit window only hides it; the application decides itself when to end.
    QApplication::setQuitOnLastWindowClosed(false);
    usebarstyle();
    speakgerman();
}

void preparestart() {
    ApplicationState& s = state();
    if (s.fonts.joinable() || s.bus.joinable()) {
        return;
    }
    s.fonts = std::thread([] {
        QFontDatabase::families();
        QFontMetricsF(QGuiApplication::font()).height();
    });
    // Qt's accessibility bridge connects to the session bus when it is set up; without a bus,
    // libdbus first tries to start one. The connection is Qt's one per process, so the bridge
    // finds it made.
    s.bus = std::thread([] { QDBusConnection::sessionBus(); });
}

int runapplication(const AppCallbacks& callbacks) {
    connectcallbacks(callbacks);
    if (callbacks.applicationwillfinishlaunching) {
        callbacks.applicationwillfinishlaunching();
    }
    QTimer::singleShot(0, qtapplication(), [callbacks] {
        if (callbacks.applicationdidfinishlaunching) {
            callbacks.applicationdidfinishlaunching();
        }
    });
    // Not QApplication::exec(), which first sets up Qt's accessibility bridge: the bridge waits
    // for the session bus connection that the helper thread is still making, and the program
    // could not start before. Qt sets the bridge up with the first accessibility event instead
    // (the pasteboard's text, a window shown), when the connection is there.
    const int code = QCoreApplication::exec();
    for (std::thread* helper : {&state().fonts, &state().bus}) {
        if (helper->joinable()) {
            helper->join();
        }
    }
    // Never shown: letting go of the icon's result joins the thread that read it.
    state().icon = {};
    return code;
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

// Qt names the X11 windows' class after the application and gives Wayland the desktop file
// name as the app id; both are read when the first window is made.
void setapplicationidentity(const std::string& name, const std::string& desktopfilename,
                            const std::vector<std::string>& iconfiles) {
    QCoreApplication::setApplicationName(QString::fromStdString(name));
    QGuiApplication::setDesktopFileName(QString::fromStdString(desktopfilename));
    state().icon = std::async(std::launch::async, readicon, iconfiles);
    qtapplication()->installEventFilter(new IconAfterFirstShow(qtapplication()));
}

void quitapplication(int code) {
    postonmain([code] { QCoreApplication::exit(code); });
}

} // namespace platform
