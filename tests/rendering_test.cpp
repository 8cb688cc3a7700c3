// Frames only for changes: every write marks the rows it touched, the views convert and repaint
// only those, unchanged windows cost nothing, and a typed character reaches the screen quickly.
//
// The tests of marks and frames run the toolkit on the main thread (platform work runs inline
// there) and call the paint handler themselves; the tests of the views run a program thread
// while the main thread paints, as the application does.
#include "core/bridge.h"
#include "core/clock.h"
#include "core/process.h"
#include "display/handlers.h"
#include "display/render.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "input/handlers.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/logcapture.h"
#include "tests/support/testfonts.h"
#include "tests/support/toolkit.h"
#include "ui/handlers.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <random>
#include <vector>

namespace {

const t_RGBColor white{255, 255, 255, 255};
const t_RGBColor black{255, 0, 0, 0};

// Rows as (first, count), cut to the picture: what a view would be asked to redraw.
std::pair<int64_t, int64_t> pendingrows(uint8_t n) {
    platform::PixelRect part = display::pendingpart(n);
    return {part.y, part.height};
}

void forgetmarks(uint8_t n) {
    display::VideoLock guard(display::videolock());
    display::takerows(n);
}

void fillrandom(uint8_t n, unsigned seed) {
    const display::t_Window& w = display::windowrecord(n);
    std::mt19937 random(seed);
    display::VideoLock guard(display::videolock());
    for (int64_t a = w.MemoryStart; a <= w.MemoryEnd; ++a) {
        display::videomemory()[a] = static_cast<uint8_t>(random());
    }
    display::markwholewindow(n); // written behind the toolkit's back, so announced here
}

std::vector<uint32_t> rowsof(const platform::Image& image, int64_t first, int64_t count) {
    auto from = image.pixels.begin() + first * image.width;
    return std::vector<uint32_t>(from, from + count * image.width);
}

} // namespace

// ---- Marks --------------------------------------------------------------------------------

TEST(ChangeMarks, EveryWriteToABlockMarksTheRowsItTouched) {
    setuptoolkit();
    LogCapture log;
    // Window 0: 80 x 25 cells of 8 x 16 at depth 24 (640 x 400); window 1: 64 x 32 at depth 8.
    t_InitWindow(0, 24, false, 640, 400, 0, 0, makegreyfont(8, 16), true);
    t_InitWindow(1, 8, false, 64, 32, 0, 0, t_Font{}, true);
    t_Font small = makegreyfont(8, 8);
    const struct {
        const char* what;
        uint8_t window;
        std::function<void()> action;
        int64_t first, count;
    } cases[] = {
        {"t_PrintSymbol", 0, [] { t_PrintSymbol(0, 'A', 0xC0, 3, 2); }, 16, 16},
        {"t_Print", 0,
         [] {
             t_Vtab(0, 4);
             t_Htab(0, 1);
             t_Print(0, "ab");
         },
         48, 16},
        {"t_ScrollUp", 0, [] { t_ScrollUp(0); }, 0, 400},
        {"t_ScrollDown", 0, [] { t_ScrollDown(0); }, 0, 400},
        {"t_ScrollUp of a narrow text window", 0,
         [] {
             display::t_Window& w = display::windowrecord(0);
             w.TextFirstColumn = 10;
             w.TextLastColumn = 20;
             w.TextFirstLine = 3;
             w.TextLastLine = 5;
             t_ScrollUp(0);
             t_FullArea(0);
         },
         32, 48},
        {"t_ClearEndOfLine", 0,
         [] {
             t_Vtab(0, 3);
             t_Htab(0, 5);
             t_ClearEndOfLine(0);
         },
         32, 16},
        {"t_ClearEndOfWindow", 0,
         [] {
             t_Vtab(0, 24);
             t_Htab(0, 5);
             t_ClearEndOfWindow(0);
         },
         368, 32},
        {"t_InvertRect", 0, [] { t_InvertRect(0, 2, 5, 4, 7); }, 64, 48},
        {"g_Plot in drawing mode 7", 0,
         [] {
             display::windowrecord(0).DrawingMode = 7;
             g_Plot(0, 3, 300);
             display::windowrecord(0).DrawingMode = 0;
         },
         300, 1},
        {"g_Plot", 1, [] { g_Plot(1, 5, 7); }, 7, 1},
        {"g_Plot outside", 1, [] { g_Plot(1, 64, 0); }, 0, 0},
        {"g_Line", 1, [] { g_Line(1, 0, 10, 50, 20); }, 10, 11},
        {"g_Line outside", 1, [] { g_Line(1, 100, 100, 200, 200); }, 0, 0},
        {"g_Line from far away", 1, [] { g_Line(1, -1000000000, 5, 10, 5); }, 5, 1},
        {"g_PrintSymbol", 1,
         [&] {
             g_GotoXY(1, 2, 4);
             g_PrintSymbol(1, 'A', 1, 2, white, black, small);
         },
         4, 16},
        {"g_PrintString cut at the bottom", 1,
         [&] {
             g_GotoXY(1, 0, 20);
             g_PrintString(1, "A", 1, 2, white, black, small);
         },
         20, 12},
        {"t_InitWindow", 1, [] { t_InitWindow(1, 8, false, 64, 32, 0, 0, t_Font{}, true); }, 0, 32},
        // Window 0 was made first: making it anew moves window 1's blocks up.
        {"a block move", 1,
         [] { t_InitWindow(0, 24, false, 640, 400, 0, 0, makegreyfont(8, 16), true); }, 0, 32},
    };
    for (const auto& c : cases) {
        forgetmarks(0);
        forgetmarks(1);
        uint64_t before = display::changecount(c.window);
        c.action();
        EXPECT_EQ(pendingrows(c.window), std::make_pair(c.first, c.count)) << c.what;
        EXPECT_EQ(display::changecount(c.window) != before, c.count > 0) << c.what;
    }
}

// ---- Frames -------------------------------------------------------------------------------

TEST(Frames, OnlyTheChangedRowsAreConverted) {
    setuptoolkit();
    LogCapture log;
    t_InitWindow(0, 24, false, 1280, 800, 0, 0, makegreyfont(16, 32), true);
    t_WindowVisible(0, true);
    display::t_Window& w = display::windowrecord(0);
    platform::Image frame;
    platform::PixelRect changed;

    // A new frame takes the whole picture.
    ASSERT_TRUE(display::viewpaint(0, frame, changed));
    EXPECT_EQ(std::make_tuple(changed.x, changed.y, changed.width, changed.height),
              std::make_tuple(0, 0, 1280, 800));
    EXPECT_EQ(frame.pixels, t_WindowImage(0)->pixels);

    // Nothing changed: no conversion, no new time stamps.
    w.UpdateFinished = 1;
    ASSERT_TRUE(display::viewpaint(0, frame, changed));
    EXPECT_TRUE(changed.empty());
    EXPECT_EQ(w.UpdateFinished, 1);

    // A glyph in line 2: its 32 rows are converted, and only they. A byte written behind the
    // toolkit's back in row 700 stays unseen, which shows that row was not converted again.
    {
        display::VideoLock guard(display::videolock());
        display::videomemory()[w.MemoryStart + 700 * 1280 * 3] = 0x55;
    }
    t_PrintSymbol(0, 'M', 0xC0, 3, 2);
    ASSERT_TRUE(display::viewpaint(0, frame, changed));
    EXPECT_EQ(std::make_tuple(changed.x, changed.y, changed.width, changed.height),
              std::make_tuple(0, 32, 1280, 32));
    EXPECT_GT(w.UpdateFinished, 1);
    platform::Image now = *t_WindowImage(0);
    EXPECT_EQ(rowsof(frame, 0, 700), rowsof(now, 0, 700));
    EXPECT_EQ(frame.pixels[700 * 1280], 0xFF000000u);
    EXPECT_EQ(now.pixels[700 * 1280], 0xFF550000u);

    // Another size makes the whole frame anew.
    t_InitWindow(0, 8, false, 640, 400, 0, 0, t_Font{}, true);
    t_WindowVisible(0, true);
    ASSERT_TRUE(display::viewpaint(0, frame, changed));
    EXPECT_EQ(std::make_tuple(frame.width, frame.height, changed.height),
              std::make_tuple(640, 400, 400));

    // A hidden window shows nothing and keeps its marks for when it is shown again.
    g_Plot(0, 1, 399);
    t_WindowVisible(0, false);
    EXPECT_FALSE(display::viewpaint(0, frame, changed));
    EXPECT_EQ(pendingrows(0), std::make_pair(int64_t{399}, int64_t{1}));
}

TEST(Frames, ChangedRowsConvertLikeTheWholePictureAtEveryDepth) {
    setuptoolkit();
    LogCapture log;
    const int64_t depths[] = {1, 4, 8, 16, 24, 32};
    for (uint8_t n = 0; n < 6; ++n) {
        t_InitWindow(n, depths[n], false, 320, 200, 0, 0, t_Font{}, true);
        t_WindowVisible(n, true);
        fillrandom(n, n);
        platform::Image frame;
        platform::PixelRect changed;
        ASSERT_TRUE(display::viewpaint(n, frame, changed));
        t_Color(n, 9);
        g_Line(n, 3, 57, 300, 120);
        g_Plot(n, 319, 199);
        ASSERT_TRUE(display::viewpaint(n, frame, changed));
        EXPECT_EQ(std::make_pair(changed.y, changed.height),
                  std::make_pair(int64_t{57}, int64_t{143}))
            << "depth " << depths[n];
        EXPECT_EQ(frame.pixels, t_WindowImage(n)->pixels) << "depth " << depths[n];
    }
}

// ---- Blanking runs of cells -------------------------------------------------------------------

// Clearing copies the first blank cell into the others where cells cover whole bytes; the result
// must be what printing each blank on its own gives, in the pixels and in the text block.
TEST(Blanking, ARunOfBlanksEqualsBlanksPrintedOneByOne) {
    setuptoolkit();
    LogCapture log;
    const struct {
        int64_t depth;
        int64_t fontwidth;
    } cases[] = {{1, 8}, {1, 5}, {4, 8}, {4, 5}, {8, 8}, {16, 8}, {24, 8}, {24, 5}, {32, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "depth " << c.depth << ", font width " << c.fontwidth);
        t_Font font = makegreyfont(c.fontwidth, 10);
        for (uint8_t n : {0, 1}) {
            t_InitWindow(n, c.depth, false, 40 * c.fontwidth, 250, 0, 0, font, true);
            fillrandom(n, 17); // the same bytes in both windows
            t_Color(n, 9);
            t_Inverse(n);
            t_Vtab(n, 3);
            t_Htab(n, 7);
        }
        t_ClearEndOfLine(0);
        uint8_t colour = display::windowrecord(1).TextColor;
        for (int64_t x = 7; x <= 40; ++x) {
            t_PrintSymbol(1, 32, colour, x, 3);
        }
        const display::t_Window &a = display::windowrecord(0), &b = display::windowrecord(1);
        const uint8_t* memory = display::videomemory();
        int64_t pixelbytes = a.Width * a.Height * a.BitDepth / 8, cells = a.TextWidth * 25;
        int64_t ahalf = (a.TextMemoryEnd - a.TextMemoryStart + 1) / 2;
        int64_t bhalf = (b.TextMemoryEnd - b.TextMemoryStart + 1) / 2;
        auto same = [&](int64_t from, int64_t to, int64_t count) {
            return std::equal(memory + from, memory + from + count, memory + to);
        };
        EXPECT_TRUE(same(a.MemoryStart, b.MemoryStart, pixelbytes));
        EXPECT_TRUE(same(a.TextMemoryStart, b.TextMemoryStart, cells));
        EXPECT_TRUE(same(a.TextMemoryStart + ahalf, b.TextMemoryStart + bhalf, cells));
    }
}

// ---- Views and the auto-update thread ---------------------------------------------------------

namespace {

// What the views painted: every paint that showed a picture, with its time and changed rows.
struct Paint {
    int view;
    std::chrono::steady_clock::time_point time;
    platform::PixelRect changed;
    std::vector<uint32_t> topleft; // the frame's first 16 rows, 160 pixels wide
};

struct PaintLog {
    std::mutex lock;
    std::vector<Paint> paints;

    std::vector<Paint> of(int view) {
        std::lock_guard guard(lock);
        std::vector<Paint> found;
        for (const Paint& p : paints) {
            if (p.view == view) {
                found.push_back(p);
            }
        }
        return found;
    }
    void clear() {
        std::lock_guard guard(lock);
        paints.clear();
    }
};

std::vector<uint32_t> topleftof(const platform::Image& image) {
    std::vector<uint32_t> pixels;
    for (int64_t y = 0; y < std::min<int64_t>(16, image.height); ++y) {
        for (int64_t x = 0; x < std::min<int64_t>(160, image.width); ++x) {
            pixels.push_back(image.pixels[static_cast<size_t>(y * image.width + x)]);
        }
    }
    return pixels;
}

// The toolkit's handlers, with the paint handler watched.
void watchpaints(PaintLog& log) {
    platform::Handlers h;
    display::addhandlers(h);
    input::addhandlers(h);
    ui::addhandlers(h);
    h.paintview = [&log](int n, platform::Image& frame, platform::PixelRect& changed) {
        bool shown = display::viewpaint(n, frame, changed);
        if (shown) {
            std::lock_guard guard(log.lock);
            log.paints.push_back(
                Paint{n, std::chrono::steady_clock::now(), changed, topleftof(frame)});
        }
        return shown;
    };
    platform::sethandlers(h);
}

// The text window of the application: 80 x 25 cells of 8 x 16 (for speed) at depth 24, refreshed
// by the auto-update thread.
void autoupdatedwindow() {
    t_InitWindow(0, 24, true, 640, 400, 0, 0, makegreyfont(8, 16), true);
    t_WindowVisible(0, true);
}

} // namespace

TEST(Views, AnUnchangedWindowIsNotPaintedAndAChangeOnlyInItsRows) {
    setuptoolkit();
    PaintLog paints;
    watchpaints(paints);
    LogCapture log;
    ASSERT_TRUE(runprogram([&] {
        autoupdatedwindow();
        ASSERT_TRUE(waitfor([&] { return !paints.of(0).empty(); }));
        core::sleepmilliseconds(200); // the first frames settle
        paints.clear();
        int64_t stamp = display::windowrecord(0).UpdateStarted;
        core::sleepmilliseconds(500);
        EXPECT_TRUE(paints.of(0).empty());                        // no conversion, no painting
        EXPECT_GT(display::windowrecord(0).UpdateStarted, stamp); // still looked at
        g_Plot(0, 100, 123);
        ASSERT_TRUE(waitfor([&] { return !paints.of(0).empty(); }));
        core::sleepmilliseconds(100);
        std::vector<Paint> seen = paints.of(0);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(std::make_pair(seen[0].changed.y, seen[0].changed.height),
                  std::make_pair(int64_t{123}, int64_t{1}));
    }));
}

TEST(Views, TheAutoUpdateThreadNoticesAFasterRateWithinOneInterval) {
    setuptoolkit();
    LogCapture log;
    ASSERT_TRUE(runprogram([&] {
        autoupdatedwindow();
        display::t_Window& w = display::windowrecord(0);
        w.RefreshRate = 1;
        core::sleepmilliseconds(100);
        int64_t stamp = w.UpdateStarted;
        ASSERT_TRUE(waitfor([&] { return w.UpdateStarted != stamp; })); // one second apart now
        stamp = w.UpdateStarted;
        w.RefreshRate = 30;
        int64_t changed = core::absolutemilliseconds();
        ASSERT_TRUE(waitfor([&] { return w.UpdateStarted != stamp; }));
        EXPECT_LE(core::absolutemilliseconds() - changed, 34 + 20); // one interval and some slack
    }));
}

TEST(Views, ATypedCharacterIsShownWithinFiftyMilliseconds) {
    setuptoolkit();
    PaintLog paints;
    watchpaints(paints);
    LogCapture log;
    constexpr int keys = 6;
    std::atomic<bool> waiting{false}, done{false};
    core::startprocess(
        [&] {
            autoupdatedwindow();
            waiting = true;
            for (int k = 0; k < keys; ++k) {
                t_Print(0, t_GetKey(0));
            }
            done = true;
        },
        core::programstacksize);
    ASSERT_TRUE(platform::runeventsuntil([&] { return waiting.load(); }, 20000));
    serveevents(300);
    std::vector<std::chrono::steady_clock::time_point> typed;
    platform::View view = display::windowrecord(0).View;
    for (int k = 0; k < keys; ++k) {
        typed.push_back(std::chrono::steady_clock::now());
        platform::typecharacter(view, static_cast<uint32_t>('a' + k));
        serveevents(120);
    }
    ASSERT_TRUE(platform::runeventsuntil([&] { return done.load(); }, 5000));
    serveevents(100);
    // Character k shows in cell k + 1 of line 1: the first picture whose cell equals the final
    // one (the cursor stood there while the program waited) is the one that shows it.
    std::vector<uint32_t> final = topleftof(*t_WindowImage(0));
    auto cellof = [](const std::vector<uint32_t>& pixels, int k) {
        std::vector<uint32_t> cell;
        for (int y = 0; y < 16; ++y) {
            for (int x = 8 * k; x < 8 * k + 8; ++x) {
                cell.push_back(pixels[static_cast<size_t>(y * 160 + x)]);
            }
        }
        return cell;
    };
    std::vector<Paint> seen = paints.of(0);
    for (int k = 0; k < keys; ++k) {
        auto shown = std::find_if(seen.begin(), seen.end(), [&](const Paint& p) {
            return p.time >= typed[k] && cellof(p.topleft, k) == cellof(final, k);
        });
        ASSERT_NE(shown, seen.end()) << "key " << k;
        auto latency =
            std::chrono::duration_cast<std::chrono::milliseconds>(shown->time - typed[k]);
        EXPECT_LE(latency.count(), 50) << "key " << k;
        RecordProperty("latency" + std::to_string(k), static_cast<int>(latency.count()));
    }
}
