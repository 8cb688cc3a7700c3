#include "core/appdelegate.h"
#include "core/bridge.h"
#include "core/clock.h"
#include "core/numbertext.h"
#include "core/threads.h"
#include "display/initwindow.h"
#include "display/palette.h"
#include "display/render.h"
#include "display/videomemory.h"
#include "display/windowcommands.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/logcapture.h"
#include "tests/support/testfonts.h"
#include "tests/support/toolkit.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

namespace {

const t_Font nofont{};

void textwindow(uint8_t n, int64_t depth = 24) {
    t_InitWindow(n, depth, true, 1280, 800, 16, 16, makegreyfont(16, 32), true);
}

void graphicwindow(uint8_t n, int64_t depth, int64_t width = 1280, int64_t height = 800) {
    t_InitWindow(n, depth, false, width, height, 16, 16, nofont, true);
}

uint8_t& byteat(int64_t address) {
    return display::videomemory()[address];
}

} // namespace

// ---- Video memory and placement ----------------------------------------------------------

TEST(VideoMemory, DoesNotExistBeforeTheFirstWindow) {
    EXPECT_EQ(display::videomemorylength(), 0);
    EXPECT_EQ(t_FirstWindow(), display::nowindow);
    EXPECT_FALSE(display::memoryready());
}

TEST(VideoMemory, InitMemoryCreatesEverythingOnce) {
    runintoolkit([] {
        LogCapture log;
        t_InitMemory();
        EXPECT_EQ(display::videomemorylength(), 16777231);
        EXPECT_TRUE(std::all_of(display::videomemory(),
                                display::videomemory() + display::videomemorylength(),
                                [](uint8_t b) { return b == 255; }));
        EXPECT_EQ(display::highmemorymark(), 16777215);
        for (uint8_t n = 0; n < 8; ++n) {
            const display::t_Window& w = display::windowrecord(n);
            EXPECT_EQ(w.RefreshRate, 30);
            EXPECT_TRUE(w.VerticalBlank);
            EXPECT_EQ(w.TextRedirectOutput, 1);
            EXPECT_EQ(w.MemoryStart, -1);
            EXPECT_EQ(w.TextMemoryStart, -1);
            EXPECT_EQ(w.Font.Identifier, (std::vector<uint8_t>{'k', 'q', 'f', 'n'}));
            EXPECT_FALSE(w.Initialized);
        }
        // Between them the menu start-up trims the English items, which this bar does not have.
        std::vector<std::string> lines = log.lines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines.front(), "t_InitMemory: Start.");
        EXPECT_EQ(lines.back(), "t_InitMemory: End.");
        log.clear();
        byteat(100) = 7;
        t_InitMemory();
        EXPECT_TRUE(log.lines().empty());
        EXPECT_EQ(byteat(100), 7);
        EXPECT_EQ(core::currentthreadname(), "Main Program");
    });
}

TEST(VideoMemory, PlacementMaskClearsBitEleven) {
    EXPECT_EQ(display::blockbelow(16777215, 2048).start, 16773120);
    EXPECT_EQ(display::blockbelow(16777215, 3072000).start, 13705216);
    EXPECT_EQ(display::blockbelow(13705215, 4000).start, 13701120);
}

TEST(LogFormats, KilobytesAreCutNotRounded) {
    EXPECT_EQ(core::kilobytetext(512000), "500,00");
    EXPECT_EQ(core::kilobytetext(3072000), "3.000,00");
    EXPECT_EQ(core::kilobytetext(2000000), "1.953,12");
    EXPECT_EQ(core::kilobytetext(1023), "0,99");
    EXPECT_EQ(core::kilobytetext(0), "0,00");
    EXPECT_EQ(core::kilobytetext(1073741824), "1.048.576,00");
    EXPECT_EQ(core::hexaddress(16777215), "$00FFFFFF");
    EXPECT_EQ(core::hexaddress(-1), "$FFFFFFFF");
    EXPECT_EQ(core::hexdigits4(0x12345), "2345");
}

// ---- Window creation ----------------------------------------------------------------------

TEST(InitWindow, WorkedExampleOfTheChartProgram) {
    runintoolkit([] {
        LogCapture log;
        t_InitWindow(2, 32, false, 8192, 8192, 0, 0, nofont, true); // far too large
        EXPECT_TRUE(log.contains(
            "t_InitWindow: GraphicWindow #2 has not enough graphic-video-memory (16319K "
            "available)."));
        EXPECT_TRUE(log.contains("t_InitWindow: Displaying 8192 x 8192 pixel x 32 bit needs "
                                 "262.144,00K video-memory."));
        textwindow(0);
        graphicwindow(1, 4);
        const display::t_Window& w0 = display::windowrecord(0);
        const display::t_Window& w1 = display::windowrecord(1);
        EXPECT_EQ(w0.MemoryStart, 0xD12000);
        EXPECT_EQ(w0.MemoryEnd, 0xFFFFFF);
        EXPECT_EQ(w0.TextMemoryStart, 0xD11000);
        EXPECT_EQ(w0.TextMemoryEnd, 0xD11FFF);
        EXPECT_EQ(w0.TextWidth, 80);
        EXPECT_EQ(w0.TextHeight, 25);
        EXPECT_EQ(w1.MemoryStart, 0xC94000);
        EXPECT_EQ(w1.MemoryEnd, 0xD10FFF);
        EXPECT_EQ(w1.TextMemoryStart, -1);
        EXPECT_EQ(w1.TextWidth, -1);
        EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #0 = 1280 x 800 pixel x 24 bit = "
                                 "3.000,00K video-memory = $00D12000."));
        EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #1 = 1280 x 800 pixel x 4 bit = "
                                 "500,00K video-memory = $00C94000."));
        EXPECT_EQ(t_FirstWindow(), 2); // claimed by the first call, even though it failed
        EXPECT_TRUE(w0.Initialized);
        EXPECT_EQ(w0.TextColor, 192);
        EXPECT_EQ(w0.RGBColorBorder.load(), t_PaletteColor(5));
        // Cleared: black pixels, blank cells in the start colour.
        EXPECT_EQ(byteat(0xD12000), 0);
        EXPECT_EQ(byteat(0xFFFFFF), 0);
        EXPECT_EQ(byteat(0xD11000), 32);
        EXPECT_EQ(byteat(0xD11000 + 2048), 192);
    });
}

TEST(InitWindow, SidesOutsideTheRangeAreReplaced) {
    runintoolkit([] {
        LogCapture log;
        graphicwindow(0, 24, 31, 32);
        EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #0 cannot display 31 horizontal "
                                 "pixel."));
        EXPECT_EQ(display::windowrecord(0).Width, 1280);
        graphicwindow(1, 8, 8192, 8193);
        EXPECT_EQ(display::windowrecord(1).Width, 8192);
        EXPECT_EQ(display::windowrecord(1).Height, 800);
        EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #1 cannot display 8193 vertical "
                                 "pixel."));
        graphicwindow(2, 8, 8193, 32);
        EXPECT_EQ(display::windowrecord(2).Width, 1280);
    });
}

TEST(InitWindow, WidthsAreCorrectedForPaletteDepths) {
    runintoolkit([] {
        LogCapture log;
        const std::pair<int64_t, int64_t> depth4[] = {{1281, 1280}, {1282, 1280}, {1283, 1284}};
        for (auto [asked, made] : depth4) {
            graphicwindow(3, 4, asked, 64);
            EXPECT_EQ(display::windowrecord(3).Width, made) << asked;
        }
        EXPECT_EQ(log.count("t_InitWindow: GraphicWindow #3 width with 4 bit depth must be a "
                            "multiple of 4."),
                  3u);
        graphicwindow(4, 1, 1281, 64);
        EXPECT_EQ(display::windowrecord(4).Width, 1288);
        EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #4 width with 1 bit depth must be a "
                                 "multiple of 8."));
        graphicwindow(5, 24, 1283, 64);
        EXPECT_EQ(display::windowrecord(5).Width, 1283);
    });
}

TEST(InitWindow, UnsupportedDepthIsRefused) {
    runintoolkit([] {
        LogCapture log;
        graphicwindow(0, 2);
        EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #0 unsupported 2 bit depth."));
        EXPECT_FALSE(display::windowrecord(0).Initialized);
        EXPECT_EQ(display::highmemorymark(), 16777215);
        EXPECT_FALSE(log.contains("t_InitWindow: GraphicWindow #0 End."));
        log.clear();
        graphicwindow(8, 24);
        EXPECT_EQ(log.lines(),
                  (std::vector<std::string>{"t_InitWindow: Window is not a graphic window."}));
    });
}

TEST(InitWindow, FreeMemoryExactlyTheSizeIsEnough) {
    runintoolkit([] {
        LogCapture log;
        t_InitMemory();
        int64_t size = 1280 * 800 * 3;
        display::sethighmemorymark(display::reservedlowarea + size - 1);
        graphicwindow(0, 24);
        EXPECT_FALSE(display::windowrecord(0).Initialized);
        EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #0 has not enough "
                                 "graphic-video-memory (2999K available)."));
        display::sethighmemorymark(display::reservedlowarea + size);
        graphicwindow(0, 24);
        EXPECT_TRUE(display::windowrecord(0).Initialized);
        EXPECT_GE(display::windowrecord(0).MemoryStart, display::reservedlowarea);
    });
}

TEST(InitWindow, BlocksThatFitAloneButNotTogetherAreRefused) {
    runintoolkit([] {
        LogCapture log;
        t_InitMemory();
        int64_t graphic = 1280 * 800 * 3, text = 80 * 25 * 2;
        display::sethighmemorymark(display::reservedlowarea + graphic +
                                   text / 2); // each fits, both do not
        int64_t mark = display::highmemorymark();
        textwindow(0);
        EXPECT_FALSE(display::windowrecord(0).Initialized);
        EXPECT_EQ(display::highmemorymark(), mark);
        EXPECT_TRUE(log.contains("t_InitWindow: Displaying 80 x 25 characters needs 3,90K "
                                 "text-video-memory."));
    });
}

TEST(InitWindow, ReinitialisingMovesTheLaterBlocksUp) {
    runintoolkit([] {
        textwindow(0);
        textwindow(1, 8);
        const display::t_Window& w1 = display::windowrecord(1);
        int64_t oldstart = w1.MemoryStart, oldend = w1.MemoryEnd;
        int64_t oldtext = w1.TextMemoryStart, oldtextend = w1.TextMemoryEnd;
        byteat(oldstart) = 0x42;
        byteat(oldtext) = 'Q';
        int64_t mark = display::highmemorymark();
        LogCapture log;
        textwindow(0, 8);
        int64_t shift = 0x1000000 - 0xD11000;
        EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #0 high memory = $00FFFFFF, "
                                 "graphic block size to delete = $002EE000."));
        EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #0 high memory = $00FFFFFF, "
                                 "text block size to delete = $00001000."));
        EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #0 moving graphic block for win #1$" +
                                 core::hexdigits8(oldstart) + "..." + core::hexdigits8(oldend) +
                                 " to" + core::hexdigits8(oldstart + shift) + "..." +
                                 core::hexdigits8(oldend + shift)));
        EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #0 moving text block for win #1$" +
                                 core::hexdigits8(oldtext) + "..." + core::hexdigits8(oldtextend) +
                                 " to" + core::hexdigits8(oldtext + shift) + "..." +
                                 core::hexdigits8(oldtextend + shift)));
        EXPECT_EQ(w1.MemoryStart, oldstart + shift);
        EXPECT_EQ(w1.TextMemoryStart, oldtext + shift);
        EXPECT_EQ(byteat(w1.MemoryStart), 0x42);
        EXPECT_EQ(byteat(w1.TextMemoryStart), 'Q');
        // Window 0 is now made below window 1 again.
        EXPECT_LT(display::windowrecord(0).MemoryEnd, w1.TextMemoryStart);
        EXPECT_EQ(
            mark + shift -
                (display::windowrecord(0).MemoryEnd - display::windowrecord(0).TextMemoryStart + 1),
            display::highmemorymark() + 0);
    });
}

TEST(InitWindow, FailedReinitialisationLeavesNoMemory) {
    runintoolkit([] {
        graphicwindow(0, 24);
        graphicwindow(0, 2);
        EXPECT_FALSE(display::windowrecord(0).Initialized);
        EXPECT_EQ(display::highmemorymark(), 16777215);
    });
}

TEST(InitWindow, MissingViewLeavesTheWindowUninitialised) {
    platform::InterfaceOmissions omit;
    omit.views[7] = true;
    runintoolkit(
        [] {
            LogCapture log;
            graphicwindow(7, 24);
            EXPECT_FALSE(display::windowrecord(7).Initialized);
            EXPECT_TRUE(log.contains(
                "t_InitWindow: GraphicWindow #7 could not be initialized, resource undefined."));
            EXPECT_EQ(log.lines().back(), "t_InitWindow: GraphicWindow #7 End.");
            EXPECT_EQ(display::highmemorymark(), 0xD12000 - 1); // the block stays reserved
            log.clear();
            t_WindowUpdate(7, true);
            EXPECT_EQ(log.lines(),
                      (std::vector<std::string>{
                          "t_WindowUpdate: Window #7 view is nil, resource undefined."}));
        },
        omit);
}

TEST(InitWindow, TitleComesFromTheBundleName) {
    EXPECT_EQ(display::windowtitlefrombundle("/x/Quorvinthal.app", true), "Quorvinthal");
    EXPECT_EQ(display::windowtitlefrombundle("/x/Quorvinthal.APP", false), "Quorvinthal-Grafik");
    EXPECT_EQ(display::windowtitlefrombundle("/x/.app", false), "-Grafik");
    EXPECT_EQ(display::windowtitlefrombundle("/x/app", false), "app");
    EXPECT_EQ(display::windowtitlefrombundle("/x/tools", false), "tools");
    runintoolkit([] {
        textwindow(0);
        graphicwindow(1, 4);
        serveevents(0);
        std::string t0 =
            core::onmain([] { return platform::windowtitle(display::windowrecord(0).Window); });
        std::string t1 =
            core::onmain([] { return platform::windowtitle(display::windowrecord(1).Window); });
        EXPECT_EQ(t0, "Quorvinthal");
        EXPECT_EQ(t1, "Quorvinthal-Grafik");
    });
}

// ---- Rendering ----------------------------------------------------------------------------

TEST(Rendering, PixelsAreDecodedPerDepth) {
    runintoolkit([] {
        const struct {
            uint8_t window;
            int64_t depth;
            std::vector<uint8_t> bytes;
            std::vector<uint32_t> pixels;
        } cases[] = {
            {0, 1, {0x80}, {0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000}},
            {1, 4, {0x5A}, {0xFF545454, 0xFFA8A8A8}},
            {2, 16, {0x12, 0x80}, {0xFF808080}},
            {3, 32, {0x00, 0x10, 0x20, 0x30}, {0xFF102030}},
            {4, 24, {0x10, 0x20, 0x30}, {0xFF102030}},
            {5, 8, {0x7F}, {0xFF7F7F7F}},
        };
        for (const auto& c : cases) {
            graphicwindow(c.window, c.depth, 64, 32);
            t_WindowVisible(c.window, true);
            {
                display::VideoLock guard(display::videolock()); // the view may be painting already
                std::copy(c.bytes.begin(), c.bytes.end(),
                          &byteat(display::windowrecord(c.window).MemoryStart));
            }
            std::optional<platform::Image> image =
                core::onmain([&] { return t_WindowImage(c.window); });
            ASSERT_TRUE(image.has_value()) << c.depth;
            EXPECT_EQ(image->width, 64);
            EXPECT_EQ(image->height, 32);
            for (size_t i = 0; i < c.pixels.size(); ++i) {
                EXPECT_EQ(image->pixels[i], c.pixels[i]) << "depth " << c.depth << " pixel " << i;
            }
            EXPECT_EQ(image->pixels.back(), c.depth == 32 ? 0xFF000000 : 0xFF000000);
        }
    });
}

TEST(Rendering, HiddenWindowsGiveNoImageAndUninitialisedOnesSaySo) {
    runintoolkit([] {
        graphicwindow(0, 24, 64, 32);
        LogCapture log;
        EXPECT_FALSE(core::onmain([] { return t_WindowImage(0).has_value(); }));
        EXPECT_TRUE(log.lines().empty());
        EXPECT_FALSE(core::onmain([] { return t_WindowImage(6).has_value(); }));
        EXPECT_EQ(log.lines(),
                  (std::vector<std::string>{"t_WindowImage: Graphic window #6 not initialized."}));
        t_WindowVisible(0, true);
        EXPECT_TRUE(core::onmain([] { return t_WindowNSImage(0).has_value(); }));
        EXPECT_GT(display::windowrecord(0).UpdateFinished, 0);
        t_WindowVisible(0, false);
        EXPECT_EQ(display::windowrecord(0).UpdateDuration, 0);
        EXPECT_FALSE(display::windowrecord(0).Visible);
    });
}

TEST(Rendering, AutoUpdateMarksWindowZeroAboutThirtyTimesASecond) {
    runintoolkit([] {
        LogCapture log;
        textwindow(0);
        t_WindowVisible(0, true);
        int changes = 0;
        int64_t last = display::windowrecord(0).UpdateStarted;
        int64_t end = core::absolutemilliseconds() + 1000;
        while (core::absolutemilliseconds() < end) {
            int64_t now = display::windowrecord(0).UpdateStarted;
            if (now != last) {
                ++changes;
                if (last != 0) {
                    EXPECT_GE(now - last, 33);
                }
                last = now;
            }
            core::sleepmilliseconds(1);
        }
        EXPECT_GE(changes, 20);
        EXPECT_LE(changes, 31);
        EXPECT_EQ(log.count("t_WindowAutoUpdateProcess: Start."), 1u);
        textwindow(1);
        EXPECT_EQ(log.count("t_WindowAutoUpdateProcess: Start."), 1u);
    });
}

// ---- Colours ------------------------------------------------------------------------------

TEST(Colours, ColorAndBorderUseTheLowFourBits) {
    EXPECT_EQ(t_PaletteColor(16), t_PaletteColor(0));
    EXPECT_EQ(display::packcolor(t_PaletteColor(9)), 0x0080FFFFu);
    runintoolkit([] {
        textwindow(0);
        t_Color(0, 9);
        EXPECT_EQ(display::windowrecord(0).TextColor, 144);
        EXPECT_EQ(display::windowrecord(0).RGBColor.load(), (t_RGBColor{255, 255, 128, 0}));
        t_Color(0, 17);
        EXPECT_EQ(display::windowrecord(0).TextColor >> 4, 1);
        EXPECT_EQ(display::windowrecord(0).RGBColor.load(), (t_RGBColor{255, 255, 0, 0}));
        t_ColorBorder(0, 21);
        EXPECT_EQ(display::windowrecord(0).RGBColorBorder.load(), (t_RGBColor{255, 84, 84, 84}));
        LogCapture log;
        t_Color(9, 1);
        t_Color(3, 1);
        t_ColorBorder(3, 1);
        EXPECT_EQ(log.lines(),
                  (std::vector<std::string>{"t_Color: Window is not a graphic window.",
                                            "t_Color: Window #3 not initialized.",
                                            "t_ColorBorder: Window #3 not initialized."}));
    });
}

// ---- Window management --------------------------------------------------------------------

TEST(WindowCommands, PositionSelectors) {
    runintoolkit([] {
        textwindow(3);
        int64_t title = core::titlebarheight();
        EXPECT_EQ(t_WindowPos(3, 9), 800);
        EXPECT_EQ(t_WindowPos(3, 8), 1280);
        EXPECT_EQ(t_WindowPos(3, 12), 800 + 32 + title);
        EXPECT_EQ(t_WindowPos(3, 10), 1280 + 32);
        EXPECT_EQ(t_WindowPos(3, 4), 80);
        EXPECT_EQ(t_WindowPos(3, 7), 25);
        EXPECT_EQ(t_WindowPos(3, 18), 16);
        EXPECT_EQ(t_WindowPos(3, 21), 0);
        EXPECT_EQ(t_WindowPos(3, -1), 0);
        EXPECT_EQ(t_WindowPos(4, 0), 0); // the default record's text area
        EXPECT_EQ(t_WindowPos(4, 9), 0);
        EXPECT_EQ(t_WindowPos(4, 17), 0);
    });
}

TEST(WindowCommands, SpecialWindowsAnswerWithTheirFrame) {
    runintoolkit([] {
        t_WindowSize(12, 100, 200, 400, 300);
        int64_t title = core::titlebarheight();
        EXPECT_EQ(t_WindowPos(12, 4), 400);
        EXPECT_EQ(t_WindowPos(12, 2), 399);
        EXPECT_EQ(t_WindowPos(12, 9), 300);
        EXPECT_EQ(t_WindowPos(12, 12), 300 + title);
        EXPECT_EQ(t_WindowPos(12, 13), 100);
        EXPECT_EQ(t_WindowPos(12, 20), 200);
        EXPECT_EQ(t_WindowPos(12, 14), t_WindowPos(12, 16) - 200 - (300 + title));
        EXPECT_EQ(t_WindowPos(12, 0), 0);
        EXPECT_EQ(t_WindowPos(12, 18), 0);
    });
}

TEST(WindowCommands, SizeKeepsWhatIsMinusOne) {
    runintoolkit([] {
        LogCapture log;
        t_WindowSize(2, 10, 10, 100, 100);
        EXPECT_EQ(log.lines(),
                  (std::vector<std::string>{"t_WindowSize: Window #2 not initialized."}));
        // Small enough for the offscreen screen: a window that would reach above the
        // screen's top is moved down, as a titled window is.
        t_InitWindow(2, 24, true, 320, 200, 16, 16, makegreyfont(8, 16), true);
        t_WindowSize(2, 40, 50, -1, -1);
        int64_t x = t_WindowPos(2, 13), y = t_WindowPos(2, 20);
        t_WindowSize(2, -1, -1, -1, -1);
        EXPECT_EQ(t_WindowPos(2, 13), x);
        EXPECT_EQ(t_WindowPos(2, 20), y);
        EXPECT_EQ(x, 40);
        EXPECT_EQ(y, 50);
        platform::Rect view =
            core::onmain([] { return platform::viewframe(display::windowrecord(2).View); });
        EXPECT_EQ(view.x, 16);
        EXPECT_EQ(view.y, 16);
        EXPECT_EQ(view.width, 320);
        EXPECT_EQ(view.height, 200);
        t_WindowSize(2, 40, t_WindowPos(2, 16) - 100, -1, -1); // 100 below the top, 232 tall
        EXPECT_EQ(t_WindowPos(2, 14), t_WindowPos(2, 17));     // the top stays on the screen
    });
}

TEST(WindowCommands, VisibilityAndTitleBar) {
    runintoolkit([] {
        textwindow(0);
        t_WindowVisible(0, false);
        t_WindowFront(0);
        EXPECT_TRUE(display::windowrecord(0).Visible);
        EXPECT_TRUE(core::onmain(
            [] { return platform::windowisvisible(display::windowrecord(0).Window); }));
        LogCapture log;
        t_WindowTitleVisible(0, false);
        EXPECT_EQ(display::windowrecord(0).TitleHeight, 0);
        t_WindowCenter(13);
        t_WindowVisible(200, true);
        EXPECT_EQ(log.lines(),
                  (std::vector<std::string>{"t_WindowCenter: Window does not exist.",
                                            "t_WindowVisible: Window does not exist."}));
    });
}

TEST(WindowCommands, PasteboardWindowShowsTheClipboard) {
    runintoolkit([] {
        core::onmain([] { platform::pasteboardsetstring("Zwischen\nablage"); });
        t_WindowVisible(8, true);
        std::string shown =
            core::onmain([] { return platform::textviewstring(display::gettextview(8)); });
        EXPECT_EQ(shown, "Zwischen\nablage");
        core::onmain([] { platform::pasteboardsetstring(""); });
        t_WindowVisible(8, true);
        EXPECT_EQ(core::onmain([] { return platform::textviewstring(display::gettextview(8)); }),
                  "");
        EXPECT_EQ(display::gettextview(11), nullptr);
    });
}

TEST(WindowCommands, MissingTextWindowsAreReported) {
    platform::InterfaceOmissions omit;
    omit.pasteboard = true;
    omit.printer = true;
    runintoolkit(
        [] {
            LogCapture log;
            t_WindowVisible(8, true);
            t_WindowVisible(9, true);
            EXPECT_EQ(log.lines(),
                      (std::vector<std::string>{"t_WindowVisible: Window does not exist.",
                                                "t_WindowVisible: Window does not exist."}));
        },
        omit);
}
