// The application on the desktop: pictures scaled with their window, clicks in picture pixels,
// the application menu (quitting, running the program again).
#include "core/appdelegate.h"
#include "core/bridge.h"
#include "core/programlifecycle.h"
#include "core/threads.h"
#include "display/render.h"
#include "events/queues.h"
#include "tests/support/inputhelpers.h"
#include "toolkit/desktop.h"
#include "ui/menuitems.h"

#include <QImage>
#include <QMenuBar>
#include <cmath>

namespace {

constexpr uint32_t black = 0xFF000000;

// A 1280 x 800 picture at 4 bits, black, with white rows 779 and 780 and a white last column.
void chartlikewindow() {
    t_InitWindow(1, 4, false, 1280, 800, 16, 16, t_Font{}, true);
    t_WindowVisible(1, true);
    t_Color(1, 15);
    g_Line(1, 0, 779, 1279, 779);
    g_Line(1, 0, 780, 1279, 780);
    g_Line(1, 1279, 0, 1279, 799);
}

QImage grabbed(uint8_t n) {
    return core::onmain([n] { return viewof(n)->grab().toImage(); })
        .convertToFormat(QImage::Format_ARGB32);
}

// The user drags the window to another size; the toolkit's idea of it stays.
// The picture and its borders scale; the menu bar keeps its height.
void resizeby(uint8_t n, double factor) {
    core::onmain([n, factor] {
        QWidget* window = viewof(n)->window();
        const int bar = window->findChild<QMenuBar*>()->height();
        window->resize(static_cast<int>(std::ceil(window->width() * factor)),
                       bar + static_cast<int>(std::ceil((window->height() - bar) * factor)));
    });
}

// Smoothed, a white line of one pixel on black comes out grey.
bool bright(QRgb pixel) {
    return qRed(pixel) >= 96 && qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
}

int64_t brightin(const QImage& image, int y) {
    int64_t count = 0;
    for (int x = 0; x < image.width(); ++x) {
        count += bright(image.pixel(x, y));
    }
    return count;
}

// Runs the application with program, and calls step on the main thread every 10 ms until the
// application ends; returns its exit status.
int rundesktopwith(std::function<void()> program, std::function<void()> step) {
    int argc = 1;
    char name[] = "desktop_test";
    char* argv[] = {name, nullptr};
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, step);
    timer.start(10);
    return toolkit::rundesktop(argc, argv, std::move(program));
}

} // namespace

// The picture and its borders scale with the window; clicks are reported in picture pixels, and
// a whole factor copies every pixel exactly.
PROGRAM_TEST(Scaling, ResizedWindowsShowTheWholePictureAndReportClicksInPicturePixels) {
    chartlikewindow();
    g_Plot(1, 7, 3, t_RGBColor{255, 255, 0, 0});
    resizeby(1, 0.5);
    const QImage half = grabbed(1);
    EXPECT_EQ(half.size(), QSize(640, 400));
    // The axis rows 779/780 land on row 389/390 and the last column stays in the picture.
    EXPECT_GE(brightin(half, 389) + brightin(half, 390), 640);
    EXPECT_EQ(std::tuple(brightin(half, 200), bright(half.pixel(639, 200)), brightin(half, 388)),
              std::tuple(1, true, 1));
    // Frames are still the picture's own.
    EXPECT_EQ(std::tuple(t_WindowPos(1, 8), t_WindowPos(1, 9)), std::tuple(1280, 800));
    for (auto [x, y, clickx, clicky] :
         {std::tuple{100.4, 50.7, 200, 101}, {0.2, 0.2, 0, 0}, {639.9, 399.9, 1279, 799}}) {
        sendmouse(1, QEvent::MouseButtonPress, {x, y}, Qt::LeftButton);
        ASSERT_TRUE(waitfor([] { return events::mousequeue().count() > 0; }));
        const t_Event click = events::mousequeue().pending().back();
        EXPECT_EQ(click.ClickX, clickx) << x;
        EXPECT_EQ(click.ClickY, clicky) << y;
        t_Event taken;
        t_TakeMouseEvent(taken);
    }
    resizeby(1, 4);
    const QImage twice = grabbed(1);
    const std::optional<platform::Image> picture = t_WindowImage(1);
    ASSERT_EQ(twice.width(), 2560);
    ASSERT_TRUE(picture.has_value());
    int64_t differing = 0;
    for (int y = 0; y < 1600; ++y) {
        for (int x = 0; x < 2560; ++x) {
            differing += twice.pixel(x, y) != picture->pixels[(y / 2) * 1280 + x / 2];
        }
    }
    EXPECT_EQ(std::tuple(differing, twice.pixel(14, 6), twice.pixel(13, 6)),
              std::tuple(0, 0xFFFF0000, black));
}

// The launch starts the program on thread two; restarting runs it again only once it has ended,
// and quitting ends the application even while the program waits for a key.
TEST(ApplicationMenu, LaunchThenRestartOnceTheProgramHasEndedThenQuitWhileItWaitsForAKey) {
    LogCapture log;
    std::atomic<int> runs{0};
    std::atomic<bool> enabledwhilerunning{true}, waiting{false};
    std::chrono::steady_clock::time_point asked;
    const int status = rundesktopwith(
        [&] {
            enabledwhilerunning = core::onmain([] {
                return platform::menuitemisenabled(
                    ui::menuitemtitled("Quorvinthal", "Programm neu starten"));
            });
            EXPECT_FALSE(core::restartprogram());
            if (++runs == 1) {
                EXPECT_EQ(core::currentthreadnumber(), 2);
                EXPECT_GE(stacksizeofthisthread(), size_t{1} << 30);
                return;
            }
            t_InitWindow(0, 24, 40, 10, 16, t_FontBold16x32);
            waiting = true;
            t_InputForm(0, "? ", "", false, t_InputText, 5);
            ADD_FAILURE() << "the line editor returned";
        },
        [&] {
            platform::MenuItem restart = ui::menuitemtitled("Quorvinthal", "Programm neu starten");
            if (waiting.exchange(false)) {
                asked = std::chrono::steady_clock::now();
                platform::menuitemperform(ui::menuitemtitled("Quorvinthal", "Quorvinthal beenden"));
            } else if (runs == 1 && !core::programrunning() &&
                       platform::menuitemisenabled(restart)) {
                platform::menuitemperform(restart);
            }
        });
    EXPECT_EQ(std::tuple(status, runs.load(), enabledwhilerunning.load()), std::tuple(0, 2, false));
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(1));
    const Lines lines = log.lines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(
        Lines(lines.begin(), lines.begin() + 6),
        (Lines{"applicationWillFinishLaunching: Called.", "applicationDidFinishLaunching: Start.",
               "initkqtools: Start.", "initkqtools: End.", "Program: Start.",
               "applicationDidFinishLaunching: End."}));
    EXPECT_EQ(log.count("Program: Start."), 2u);
    EXPECT_TRUE(log.contains("applicationWillTerminate: Called."));
    EXPECT_EQ(std::tuple(core::launchfinished(), core::currentthreadname()),
              std::tuple(true, "AppDelegate"));
}
