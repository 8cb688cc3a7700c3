// A long run of everything at once: the program prints, scrolls, re-initialises a window, draws
// and reads lines (pasting into them), while the main thread sends key, mouse and menu events and
// the views render at full rate. QV_SOAK_SECONDS sets the length (5 s unless given). The resident
// memory is sampled every 10 s and printed; from the second minute on it must stay flat.
#include "core/bridge.h"
#include "core/clock.h"
#include "core/log.h"
#include "core/lookup.h"
#include "display/videomemory.h"
#include "events/queues.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/inputhelpers.h"
#include "tests/support/testfonts.h"
#include "tests/support/toolkit.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <random>
#include <thread>

namespace {

constexpr uint8_t textwindow = 0, drawing = 1, changing = 2;
constexpr int64_t samplingseconds = 10;
constexpr int64_t settledseconds = 60;
constexpr int64_t allowedgrowthkilobytes = 16 * 1024;

int64_t soakseconds() {
    const char* given = std::getenv("QV_SOAK_SECONDS");
    return given != nullptr ? std::max<int64_t>(1, std::atoll(given)) : 5;
}

int64_t residentkilobytes() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            int64_t kilobytes = 0;
            status >> kilobytes;
            return kilobytes;
        }
    }
    return 0;
}

// Resident memory every ten seconds, on a thread of its own.
class MemorySamples {
  public:
    MemorySamples() : sampler([this] { run(); }) {}
    ~MemorySamples() { stop(); }

    void stop() {
        {
            std::lock_guard guard(lock);
            stopped = true;
        }
        wake.notify_all();
        if (sampler.joinable()) {
            sampler.join();
        }
    }
    // (seconds since the start, kilobytes)
    std::vector<std::pair<int64_t, int64_t>> taken() {
        std::lock_guard guard(lock);
        return samples;
    }

  private:
    void run() {
        std::unique_lock guard(lock);
        for (int64_t second = 0;; second += samplingseconds) {
            const int64_t kilobytes = residentkilobytes();
            samples.emplace_back(second, kilobytes);
            std::printf("soak: %4lld s  %7lld KB resident\n", static_cast<long long>(second),
                        static_cast<long long>(kilobytes));
            std::fflush(stdout);
            if (wake.wait_for(guard, std::chrono::seconds(samplingseconds),
                              [this] { return stopped; })) {
                return;
            }
        }
    }

    std::mutex lock;
    std::condition_variable wake;
    bool stopped = false;
    std::vector<std::pair<int64_t, int64_t>> samples;
    std::thread sampler;
};

struct Counts {
    std::atomic<int64_t> lines{0}, draws{0}, reinits{0}, pastes{0}, keys{0}, clicks{0},
        handledclicks{0}, menus{0};
};

// The main thread's side: keys into view 0 (text, Control-V, Backspace, arrows, Return), clicks
// into views 0 and 1 and menu items, each only while the program keeps up with them.
class User {
  public:
    explicit User(Counts& counts) : count(counts) {
        QObject::connect(&timer, &QTimer::timeout, [this] { act(); });
        timer.start(1);
    }
    void start() { running = true; }

  private:
    void act() {
        if (!running) {
            return;
        }
        if (events::keyqueue().count() < 16) {
            typekey();
        }
        if (events::mousequeue().count() < 16 && random() % 20 == 0) {
            click(random() % 2 == 0 ? textwindow : drawing);
        }
        if (random() % 50 == 0) {
            choosemenuitem();
        }
    }

    void typekey() {
        const uint32_t pick = random() % 40;
        if (pick == 0) {
            sendkey(QEvent::KeyPress, {Qt::Key_Return, "\r"});
        } else if (pick == 1) {
            sendkey(QEvent::KeyPress, {Qt::Key_V, "\x16", 0, Qt::ControlModifier});
        } else if (pick == 2) {
            sendkey(QEvent::KeyPress, {Qt::Key_Backspace, "\x7f"});
        } else if (pick == 3) {
            sendkey(QEvent::KeyPress, {Qt::Key_Left, ""});
        } else {
            const char c = static_cast<char>('a' + pick % 26);
            sendkey(QEvent::KeyPress, {std::toupper(c), QString(QChar(c))});
        }
        sendkey(QEvent::KeyRelease, {Qt::Key_A, "a"});
        ++count.keys;
    }

    void click(uint8_t n) {
        auto* view = reinterpret_cast<QWidget*>(core::getview(n));
        const QPointF at(random() % 700, random() % 420);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held =
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, held,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(view, &event);
        }
        ++count.clicks;
    }

    // Copying, clearing the text windows, showing and hiding windows: none opens a dialog.
    void choosemenuitem() {
        static constexpr std::pair<const char*, int64_t> items[] = {
            {"Bearbeiten", 110}, {"Bearbeiten", 111}, {"Bearbeiten", 112}, {"Bearbeiten", 114},
            {"Fenster", 209},    {"Fenster", 210},    {"Fenster", 211},    {"Fenster", 212},
            {"Fenster", 213},    {"Fenster", 215},    {"Fenster", 216},    {"Fenster", 217},
            {"Fenster", 218},    {"Fenster", 229},    {"Fenster", 230}};
        const auto& [menu, tag] = items[random() % std::size(items)];
        platform::Menu m = platform::mainmenuwithtitle(menu);
        platform::MenuItem item = platform::menuitemat(m, platform::menuindexofitemwithtag(m, tag));
        if (item != nullptr) {
            platform::menuitemperform(item);
            ++count.menus;
        }
    }

    Counts& count;
    QTimer timer;
    std::atomic<bool> running{false};
    std::minstd_rand random{7};
};

void openwindows() {
    t_InitWindow(textwindow, 24, true, 640, 320, 8, 8, makegreyfont(8, 16), true);
    t_InitWindow(drawing, 32, true, 640, 400, 4, 4, makegreyfont(8, 16), true);
    t_InitWindow(changing, 8, true, 320, 160, 2, 2, makegreyfont(8, 16), true);
    for (uint8_t n : {textwindow, drawing, changing}) {
        display::windowrecord(n).RefreshRate = 0; // a redraw on every pass
        t_WindowVisible(n, true);
    }
}

// One round of the program's work.
void workround(int64_t i, std::minstd_rand& random, Counts& count) {
    t_Print(textwindow, "Zeile " + std::to_string(i) +
                            " \x1B"
                            "A\x0F farbig\x0E €\r");
    if (i % 7 == 0) {
        t_ScrollDown(textwindow);
        t_ScrollUp(textwindow);
    }
    ++count.lines;
    t_Color(drawing, static_cast<int64_t>(random() % 16));
    for (int k = 0; k < 20; ++k) {
        g_Line(drawing, random() % 800 - 80, random() % 500 - 50, random() % 800 - 80,
               random() % 500 - 50);
        g_Plot(drawing, random() % 640, random() % 400);
    }
    g_GotoXY(drawing, random() % 600, random() % 380);
    g_PrintString(drawing, "Soak", 1 + random() % 3, 1 + random() % 3, t_PaletteColor(15),
                  t_PaletteColor(0), makegreyfont(8, 16));
    ++count.draws;
    if (i % 25 == 0) {
        static constexpr int64_t depths[] = {1, 4, 8, 16, 24, 32};
        t_InitWindow(changing, depths[(i / 25) % 6], true, 320, 160, 2, 2, makegreyfont(8, 16),
                     true);
        display::windowrecord(changing).RefreshRate = 0;
        t_WindowVisible(changing, true);
        ++count.reinits;
    }
    t_Print(changing, std::vector<uint8_t>{'x', 13, 'y', 156, 7, 27, 'Q', 'z', 10});
    if (i % 10 == 0) {
        static const std::string pasted[] = {"5.12.1985", "€5.12€\nzweite",
                                             std::string(100000, 'p'), ""};
        setpasteboard(pasted[(i / 10) % std::size(pasted)]);
        t_Htab(textwindow, 1);
        const std::string line = t_InputForm(textwindow, "Eingabe: ", "", false, 0, 30);
        EXPECT_LE(line.size(), 30u * 2);
        ++count.pastes;
    }
    t_Event click;
    while (t_TakeMouseEvent(click)) {
    }
    t_MenuEvent selection;
    while (t_TakeMenuEvent(selection)) {
    }
}

} // namespace

TEST(Soak, EverythingAtOnceStaysCorrectAndItsMemoryFlat) {
    const int64_t seconds = soakseconds();
    // Threads that outlive the test may still log: the count lives as long as the process.
    static std::atomic<int64_t> loglines{0};
    core::setlogsink([](std::string_view) { ++loglines; });
    setuptoolkit();
    Counts count;
    t_SetMouseHandler([&count] { ++count.handledclicks; });
    User user(count);
    MemorySamples memory;
    const int64_t start = core::absolutemilliseconds();
    ASSERT_TRUE(runprogram(
        [&] {
            openwindows();
            user.start();
            std::minstd_rand random(11);
            for (int64_t i = 0; core::absolutemilliseconds() - start < seconds * 1000; ++i) {
                workround(i, random, count);
            }
        },
        (seconds + 60) * 1000));
    memory.stop();
    std::printf(
        "soak: %lld lines, %lld drawing rounds, %lld re-initialisations, %lld inputs, "
        "%lld keys, %lld clicks (%lld handled), %lld menu items\n",
        static_cast<long long>(count.lines.load()), static_cast<long long>(count.draws.load()),
        static_cast<long long>(count.reinits.load()), static_cast<long long>(count.pastes.load()),
        static_cast<long long>(count.keys.load()), static_cast<long long>(count.clicks.load()),
        static_cast<long long>(count.handledclicks.load()),
        static_cast<long long>(count.menus.load()));
    EXPECT_GT(count.lines, 0);
    EXPECT_GT(count.reinits, 0);
    EXPECT_GT(count.pastes, 0);
    EXPECT_GT(count.keys, 0);
    const auto samples = memory.taken();
    const auto settled = std::find_if(samples.begin(), samples.end(),
                                      [](const auto& s) { return s.first >= settledseconds; });
    if (settled != samples.end()) {
        const int64_t highest =
            std::max_element(settled, samples.end(), [](const auto& a, const auto& b) {
                return a.second < b.second;
            })->second;
        EXPECT_LT(highest - settled->second, allowedgrowthkilobytes);
    }
}
