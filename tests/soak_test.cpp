// A long run of everything at once: the program prints, scrolls, re-creates a window, draws and
// reads lines (pasting into them) while the main thread sends key, mouse and menu events and
// takes window images, and the views render at full rate. QV_SOAK_SECONDS sets the length (5 s
// unless given). Under ThreadSanitizer this proves the shared state race-free. The peak resident
// memory, sampled every second, must stay flat once the run has settled.
#include "base/clock.h"
#include "base/log.h"
#include "core/lookup.h"
#include "display/render.h"
#include "display/videomemory.h"
#include "events/queues.h"
#include "tests/support/inputhelpers.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>

namespace {

constexpr uint8_t textwindow = 0, drawing = 1, changing = 2;

// How often each thing was done; the map is filled before the threads start and then only read.
using Counts = std::map<std::string, std::atomic<int64_t>>;

// The main thread's side, every millisecond: keys into view 0 (letters, Control-V, Backspace,
// Left, Return) and clicks into views 0 and 1 while the program keeps up with them, menu items
// that open no dialog (copying, clearing the text windows, showing and hiding windows) and the
// image of window 0.
void actasuser(std::minstd_rand& random, Counts& count) {
    if (events::keyqueue().count() < 16) {
        const QtKey special[] = {{Qt::Key_Return, "\r"},
                                 {Qt::Key_V, "\x16", 0, Qt::ControlModifier},
                                 {Qt::Key_Backspace, "\x7f"},
                                 {Qt::Key_Left, ""}};
        const uint32_t pick = random() % 40;
        const char c = static_cast<char>('a' + pick % 26);
        sendkey(QEvent::KeyPress, pick < 4 ? special[pick] : QtKey{std::toupper(c), QChar(c)});
        sendkey(QEvent::KeyRelease, {Qt::Key_A, "a"});
        ++count.at("keys");
    }
    if (events::mousequeue().count() < 16 && random() % 20 == 0) {
        auto* view = reinterpret_cast<QWidget*>(core::getview(random() % 2));
        const QPointF at(random() % 700, random() % 420);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const auto held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, held,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(view, &event);
        }
        ++count.at("clicks");
    }
    if (random() % 50 == 0) {
        // Items 1xx are in the edit menu, 2xx in the window menu.
        static constexpr int64_t tags[] = {110, 111, 112, 114, 209, 210, 211, 212,
                                           213, 215, 216, 217, 218, 229, 230};
        const int64_t tag = tags[random() % std::size(tags)];
        platform::Menu m = platform::mainmenuwithtitle(tag < 200 ? "Bearbeiten" : "Fenster");
        platform::MenuItem item = platform::menuitemat(m, platform::menuindexofitemwithtag(m, tag));
        ASSERT_NE(item, nullptr) << tag;
        platform::menuitemperform(item);
        ++count.at("menu items");
    }
    count.at("window images") += t_WindowImage(textwindow).has_value() ? 1 : 0;
}

void openwindow(uint8_t n, int64_t depth, int64_t width, int64_t height, int64_t border) {
    t_InitWindow(n, depth, true, width, height, border, border, makegreyfont(8, 16), true);
    windowrecord(n).RefreshRate = 0; // a redraw on every pass
    t_WindowVisible(n, true);
}

// One round of the program's work; the auto-update thread and the views read the records while
// they change.
void workround(int64_t i, std::minstd_rand& random, Counts& count) {
    t_Print(textwindow, "Zeile " + std::to_string(i) + " \x1B" + "A\x0F farbig\x0E €\r");
    if (i % 7 == 0) {
        t_ScrollDown(textwindow);
        t_ScrollUp(textwindow);
        t_WindowUpdate(textwindow, true);
    }
    t_Color(drawing, static_cast<int64_t>(random() % 16));
    for (int k = 0; k < 20; ++k) {
        g_Line(drawing, random() % 800 - 80, random() % 500 - 50, random() % 800 - 80,
               random() % 500 - 50);
        g_Plot(drawing, random() % 640, random() % 400);
    }
    g_GotoXY(drawing, random() % 600, random() % 380);
    g_PrintString(drawing, "Soak", 1 + random() % 3, 1 + random() % 3, t_PaletteColor(15),
                  t_PaletteColor(0), makegreyfont(8, 16));
    if (i % 25 == 0) {
        static constexpr int64_t depths[] = {1, 4, 8, 16, 24, 32};
        openwindow(changing, depths[(i / 25) % 6], 320, 160, 2);
        ++count.at("re-creations");
    }
    windowrecord(changing).RefreshRate = i % 2 == 0 ? 1000 : 0;
    t_Print(changing, Bytes{'x', 13, 'y', 156, 7, 27, 'Q', 'z', 10});
    if (i % 10 == 0) {
        static const std::string pasted[] = {"5.12.1985", "€5.12€\nzweite",
                                             std::string(100000, 'p'), ""};
        setpasteboard(pasted[(i / 10) % std::size(pasted)]);
        t_Htab(textwindow, 1);
        EXPECT_LE(t_InputForm(textwindow, "Eingabe: ", "", false, 0, 30).size(), 30u * 2);
        ++count.at("inputs");
    }
    t_Event click;
    while (t_TakeMouseEvent(click)) {
    }
    t_MenuEvent selection;
    while (t_TakeMenuEvent(selection)) {
    }
    ++count.at("rounds");
}

} // namespace

TEST(Soak, EverythingAtOnceStaysCorrectAndItsMemoryFlat) {
    const char* given = std::getenv("QV_SOAK_SECONDS");
    const int64_t seconds = given != nullptr ? std::max<int64_t>(1, std::atoll(given)) : 5;
    // Threads that outlive the test may still log: the sink outlives it too.
    base::setlogsink([](std::string_view) {});
    setuptoolkit();
    Counts count;
    for (const char* name : {"rounds", "re-creations", "inputs", "keys", "clicks", "handled clicks",
                             "menu items", "window images"}) {
        count[name] = 0;
    }
    t_SetMouseHandler([&count] { ++count.at("handled clicks"); });
    std::atomic<bool> started{false};
    std::minstd_rand userrandom(7);
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (started) {
            actasuser(userrandom, count);
        }
    });
    user.start(1);
    Numbers kilobytes; // one a second
    const int64_t start = base::absolutemilliseconds();
    ASSERT_TRUE(runprogram(
        [&] {
            openwindow(textwindow, 24, 640, 320, 8);
            openwindow(drawing, 32, 640, 400, 4);
            openwindow(changing, 8, 320, 160, 2);
            started = true;
            std::minstd_rand random(11);
            for (int64_t i = 0, now = 0; now < seconds * 1000;
                 ++i, now = base::absolutemilliseconds() - start) {
                if (now >= static_cast<int64_t>(kilobytes.size()) * 1000) {
                    kilobytes.push_back(peakkilobytes());
                    std::printf("soak: %4zu s  %7lld KB peak resident\n", kilobytes.size() - 1,
                                static_cast<long long>(kilobytes.back()));
                }
                workround(i, random, count);
            }
        },
        (seconds + 60) * 1000));
    user.stop();
    for (const auto& [name, total] : count) {
        std::printf("soak: %lld %s\n", static_cast<long long>(total), name.c_str());
        EXPECT_GT(total, 0) << name;
    }
    // From the middle of the run on at most 16 MB more; instrumented builds hold freed memory
    // back for a while (quarantine, history), theirs settles only in the second minute.
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
    const size_t settled = 60;
#else
    const size_t settled = kilobytes.size() / 2;
#endif
    if (settled < kilobytes.size()) {
        EXPECT_LT(kilobytes.back() - kilobytes[settled], 16 * 1024);
    }
}
