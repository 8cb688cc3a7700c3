#include "base/numbertext.h"
#include "core/appdelegate.h"
#include "core/bridge.h"
#include "core/threads.h"
#include "display/initwindow.h"
#include "display/pixelconversion.h"
#include "display/placement.h"
#include "display/render.h"
#include "display/surface.h"
#include "display/windowcommands.h"
#include "tests/support/displayhelpers.h"

#include <QImage>
#include <QWidget>
#include <cstdio>
#include <fstream>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The chart program's text window: 80 x 25 cells of 16 x 32 with borders of 16.
void largewindow(uint8_t n, int64_t depth = 24) {
    textwindow(n, depth, makegreyfont(16, 32), true, 16);
}

uint8_t& byteat(int64_t address) {
    return display::videomemory()[address];
}

// Kilobytes of video memory that occupy physical memory: its pages that mincore finds present.
// Only pages that were written count in these tests, as none reads a page it has not written.
int64_t videomemoryresidentkilobytes() {
    const int64_t pagesize = sysconf(_SC_PAGESIZE);
    std::vector<unsigned char> present(
        static_cast<size_t>((display::videomemorylength() + pagesize - 1) / pagesize));
    if (mincore(display::videomemory(), static_cast<size_t>(display::videomemorylength()),
                present.data()) != 0) {
        return -1;
    }
    const auto pages = std::count_if(present.begin(), present.end(),
                                     [](unsigned char page) { return (page & 1) != 0; });
    return pages * pagesize / 1024;
}

// Start and end of window n's graphic block, then of its text block.
Numbers blocks(uint8_t n) {
    const display::t_Window& w = windowrecord(n);
    return {w.MemoryStart, w.MemoryEnd, w.TextMemoryStart, w.TextMemoryEnd};
}

} // namespace

PROGRAM_TEST(InitWindow, MemoryIsMadeOnceWithoutTouchingItsPages) {
    LogCapture log;
    t_InitMemory();
    EXPECT_EQ(display::videomemorylength(), 16777231);
    EXPECT_LT(videomemoryresidentkilobytes(), 256); // made without touching a page
    EXPECT_EQ(display::highmemorymark(), 16777215);
    for (uint8_t n = 0; n < 8; ++n) {
        const display::t_Window& w = windowrecord(n);
        EXPECT_EQ((Numbers{w.RefreshRate, w.VerticalBlank, w.TextRedirectOutput, w.MemoryStart,
                           w.TextMemoryStart, w.Initialized}),
                  (Numbers{30, 1, 1, -1, -1, 0}));
        EXPECT_EQ(w.Font.Identifier, (Bytes{'k', 'q', 'f', 'n'}));
    }
    // Between them the menu start-up trims the English items, which this bar does not have.
    const Lines lines = log.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ((Lines{lines.front(), lines.back()}),
              (Lines{"t_InitMemory: Start.", "t_InitMemory: End."}));
    log.clear();
    byteat(100) = 7;
    t_InitMemory();
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(byteat(100), 7);
    EXPECT_EQ(core::currentthreadname(), "Main Program");
}

// The worked example of the chart program, and its titles.
PROGRAM_TEST(InitWindow, TheWorkedExampleOfTheChartProgramAndItsTitles) {
    t_InitMemory();
    byteat(100) = 7;
    LogCapture log;
    graphicwindow(2, 32, 8192, 8192); // far too large
    EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #2 has not enough "
                             "graphic-video-memory (16319K available)."));
    EXPECT_TRUE(log.contains("t_InitWindow: Displaying 8192 x 8192 pixel x 32 bit needs "
                             "262.144,00K video-memory."));
    largewindow(0);
    graphicwindow(1, 4, 1280, 800);
    const display::t_Window& w0 = windowrecord(0);
    EXPECT_EQ(blocks(0), (Numbers{0xD12000, 0xFFFFFF, 0xD11000, 0xD11FFF}));
    EXPECT_EQ(blocks(1), (Numbers{0xC94000, 0xD10FFF, -1, -1}));
    // Only what was written is backed: the text block and byte 100; the cleared pixels gave their
    // pages back. The free memory reads 0.
    EXPECT_LT(videomemoryresidentkilobytes(), 256);
    EXPECT_TRUE(std::all_of(&byteat(display::reservedlowarea), &byteat(0xC94000),
                            [](uint8_t b) { return b == 0; }));
    EXPECT_EQ((Numbers{w0.TextWidth, w0.TextHeight, windowrecord(1).TextWidth, w0.TextColor,
                       w0.Initialized}),
              (Numbers{80, 25, -1, 192, 1}));
    EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #0 = 1280 x 800 pixel x 24 bit = "
                             "3.000,00K video-memory = $00D12000."));
    EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #1 = 1280 x 800 pixel x 4 bit = "
                             "500,00K video-memory = $00C94000."));
    EXPECT_EQ(t_FirstWindow(), 2); // claimed by the first call, even though it failed
    EXPECT_EQ(w0.RGBColorBorder.load(), (t_RGBColor{255, 84, 84, 84}));
    // Cleared: black pixels, blank cells in the start colour.
    EXPECT_EQ((std::vector{byteat(0xD12000), byteat(0xFFFFFF), byteat(0xD11000), byteat(0xD11800)}),
              (Bytes{0, 0, 32, 192}));
    serveevents(0); // the titles come from the bundle name
    EXPECT_EQ(core::onmain([] {
                  return std::pair(platform::windowtitle(windowrecord(0).Window),
                                   platform::windowtitle(windowrecord(1).Window));
              }),
              (std::pair<std::string, std::string>("Quorvinthal", "Quorvinthal-Grafik")));
}

// Whole pages are given back, the bytes of a partly covered page are set to 0 in place, and the
// bytes around the range keep their values.
PROGRAM_TEST(VideoMemory, ZeroingGivesWholePagesBackAndLeavesTheBytesAround) {
    t_InitMemory();
    const std::pair<int64_t, int64_t> ranges[] = {
        {0x100005, 5 * 4096}, {0x200010, 100}, {0x300000, 8192}, {0x400FF0, 32}};
    for (auto [start, count] : ranges) {
        SCOPED_TRACE(start);
        std::fill_n(&byteat(start - 8), count + 16, 0xAB);
        const int64_t before = videomemoryresidentkilobytes();
        {
            display::VideoLock guard(display::videolock());
            display::zerovideomemory(start, count);
        }
        if (count >= 8192) {
            EXPECT_LE(videomemoryresidentkilobytes(), before - 8);
        }
        EXPECT_TRUE(
            std::all_of(&byteat(start), &byteat(start + count), [](uint8_t b) { return b == 0; }));
        EXPECT_EQ(memorybytes(start - 8, 8), Bytes(8, 0xAB));
        EXPECT_EQ(memorybytes(start + count, 8), Bytes(8, 0xAB));
    }
}

// Blanks in black on rows that hold only the zeros of the clearing are neither drawn nor read, so
// a mostly blank window holds memory for its written lines only; its image is still exact.
PROGRAM_TEST(BlankRows, AWindowHoldsPagesForItsWrittenLinesAndShowsExactly) {
    t_Font font = makegreyfont(16, 32);
    std::fill_n(font.Data.begin() + 32 * 16 * 32, 16 * 32, 0); // a blank without ink
    textwindow(0, 24, font);
    fillrandom(0, 5);
    textwindow(0, 24, font); // made anew: the written pages go back
    EXPECT_LT(videomemoryresidentkilobytes(), 256);
    t_Color(0, t_Orange);
    t_CursorHome(0);
    t_ClearEndOfWindow(0);
    t_Vtab(0, 3);
    t_Print(0, "Tage"); // rows 64 ... 95, 3840 bytes each
    for (int64_t line : {2, 4}) {
        t_Vtab(0, line);
        t_ClearEndOfLine(0); // beside the written rows, not in them
    }
    EXPECT_LT(videomemoryresidentkilobytes(), 120 + 64);
    t_Inverse(0);
    t_Vtab(0, 20);
    t_ClearEndOfLine(0); // blanks in orange are drawn
    t_WindowVisible(0, true);
    const platform::Image image =
        core::onmain([] { return t_WindowImage(0); }).value_or(platform::Image{});
    ASSERT_EQ(image.pixels.size(), size_t{1280 * 800});
    std::vector<uint32_t> everyrow(image.pixels.size());
    {
        display::VideoLock guard(display::videolock());
        display::surfaceof(windowrecord(0)).convert(0, 800, everyrow.data());
    }
    EXPECT_TRUE(image.pixels == everyrow);
    const auto at = [&](int64_t x, int64_t y) { return image.pixels[y * 1280 + x]; };
    EXPECT_EQ((std::vector{at(5, 0), at(1279, 799), at(100, 608), at(1279, 639)}),
              (std::vector<uint32_t>{0xFF000000, 0xFF000000, 0xFFFF8000, 0xFFFF8000}));
}

TEST(VideoMemory, PlacementLogTextsAndTitlesWithoutAWindow) {
    // Nothing exists before the first window.
    EXPECT_EQ(display::videomemorylength(), 0);
    EXPECT_EQ(t_FirstWindow(), t_WindowNone);
    EXPECT_FALSE(display::memoryready());
    EXPECT_EQ(display::blockbelow(16777215, 2048).start, 16773120);
    EXPECT_EQ(display::blockbelow(16777215, 3072000).start, 13705216);
    EXPECT_EQ(display::blockbelow(13705215, 4000).start, 13701120); // bit 11 cleared
    // Kilobytes are cut, not rounded.
    const std::pair<int64_t, const char*> kilobytes[] = {
        {512000, "500,00"}, {3072000, "3.000,00"}, {2000000, "1.953,12"},       {1023, "0,99"},
        {4000, "3,90"},     {0, "0,00"},           {1073741824, "1.048.576,00"}};
    for (auto [bytes, text] : kilobytes) {
        EXPECT_EQ(base::kilobytetext(bytes), text);
    }
    EXPECT_EQ(base::hexaddress(16777215), "$00FFFFFF");
    EXPECT_EQ(base::hexaddress(-1), "$FFFFFFFF");
}

PROGRAM_TEST(InitWindow, SizesAndDepthsAreCheckedAndCorrected) {
    LogCapture log;
    const std::string prefix = "t_InitWindow: GraphicWindow #";
    graphicwindow(0, 2, 1280, 800);
    EXPECT_TRUE(log.contains(prefix + "0 unsupported 2 bit depth."));
    EXPECT_FALSE(windowrecord(0).Initialized);
    EXPECT_EQ(display::highmemorymark(), 16777215);
    EXPECT_FALSE(log.contains(prefix + "0 End."));
    log.clear();
    graphicwindow(8, 24, 1280, 800);
    EXPECT_EQ(log.lines(), Lines{"t_InitWindow: Window is not a graphic window."});
    // A failed re-initialisation leaves the window without memory.
    graphicwindow(0, 24, 1280, 800);
    graphicwindow(0, 2, 1280, 800);
    EXPECT_FALSE(windowrecord(0).Initialized);
    EXPECT_EQ(display::highmemorymark(), 16777215);
    // Window, depth, asked width and height, the size made and the line logged.
    const std::tuple<uint8_t, int64_t, int64_t, int64_t, int64_t, int64_t, std::string> cases[] = {
        {0, 24, 31, 32, 1280, 32, "0 cannot display 31 horizontal pixel."},
        {1, 8, 8192, 8193, 8192, 800, "1 cannot display 8193 vertical pixel."},
        {2, 8, 8193, 32, 1280, 32, "2 cannot display 8193 horizontal pixel."},
        {3, 4, 1281, 64, 1280, 64, "3 width with 4 bit depth must be a multiple of 4."},
        {3, 4, 1282, 64, 1280, 64, ""},
        {3, 4, 1283, 64, 1284, 64, ""},
        {4, 1, 1281, 64, 1288, 64, "4 width with 1 bit depth must be a multiple of 8."},
        {5, 24, 1283, 64, 1283, 64, ""}};
    for (const auto& [n, depth, width, height, madewidth, madeheight, line] : cases) {
        graphicwindow(n, depth, width, height);
        EXPECT_EQ((Numbers{windowrecord(n).Width, windowrecord(n).Height}),
                  (Numbers{madewidth, madeheight}))
            << width << " x " << height;
        EXPECT_TRUE(line.empty() || log.contains(prefix + line)) << line;
    }
    EXPECT_EQ(log.count(prefix + "3 width with 4 bit depth must be a multiple of 4."), 3u);
}

PROGRAM_TEST(InitWindow, FreeMemoryMustHoldBothBlocksAndMayFitExactly) {
    LogCapture log;
    t_InitMemory();
    const int64_t graphic = 1280 * 800 * 3;
    display::sethighmemorymark(display::reservedlowarea + graphic - 1);
    graphicwindow(0, 24, 1280, 800);
    EXPECT_FALSE(windowrecord(0).Initialized);
    EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #0 has not enough "
                             "graphic-video-memory (2999K available)."));
    display::sethighmemorymark(display::reservedlowarea + graphic); // exactly the size
    graphicwindow(0, 24, 1280, 800);
    EXPECT_TRUE(windowrecord(0).Initialized);
    EXPECT_EQ(windowrecord(0).MemoryStart, 65536);
    // 64 x 32 cells of 8 x 16 at depth 8: 262,144 bytes of pixels and 4,096 of text. One byte
    // less than both need: each fits alone, together they do not.
    display::sethighmemorymark(65536 + 262144 + 4096 - 2);
    t_InitWindow(1, 8, false, 512, 512, 0, 0, makegreyfont(8, 16), true);
    EXPECT_FALSE(windowrecord(1).Initialized);
    EXPECT_EQ(display::highmemorymark(), 331774);
    EXPECT_TRUE(log.contains("t_InitWindow: GraphicWindow #1 has not enough text-video-memory "
                             "(259K available)."));
    EXPECT_TRUE(log.contains("t_InitWindow: Displaying 64 x 32 characters needs 4,00K "
                             "text-video-memory."));
    display::sethighmemorymark(65536 + 262144 + 4096 - 1); // both fit exactly
    t_InitWindow(1, 8, false, 512, 512, 0, 0, makegreyfont(8, 16), true);
    EXPECT_EQ(blocks(1), (Numbers{69632, 331775, 65536, 69631}));
}

PROGRAM_TEST(InitWindow, ReinitialisingMovesTheLaterBlocksUp) {
    largewindow(0);
    largewindow(1, 8);
    EXPECT_EQ(blocks(1), (Numbers{0xC17000, 0xD10FFF, 0xC16000, 0xC16FFF}));
    byteat(0xC17000) = 0x42;
    byteat(0xC16000) = 'Q';
    LogCapture log;
    largewindow(0, 8);
    const std::string prefix = "t_InitWindow: GraphicWindow #0 ";
    for (const char* line :
         {"high memory = $00FFFFFF, graphic block size to delete = $002EE000.",
          "high memory = $00FFFFFF, text block size to delete = $00001000.",
          "moving graphic block for win #1$00C17000...00D10FFF to00F06000...00FFFFFF",
          "moving text block for win #1$00C16000...00C16FFF to00F05000...00F05FFF"}) {
        EXPECT_TRUE(log.contains(prefix + line)) << line;
    }
    EXPECT_EQ(blocks(1), (Numbers{0xF06000, 0xFFFFFF, 0xF05000, 0xF05FFF}));
    EXPECT_EQ(byteat(0xF06000), 0x42);
    EXPECT_EQ(byteat(0xF05000), 'Q');
    // Window 0 is now made below window 1 again.
    EXPECT_EQ(blocks(0), (Numbers{0xE0B000, 0xF04FFF, 0xE0A000, 0xE0AFFF}));
    EXPECT_EQ(display::highmemorymark(), 0xE09FFF);
}

// The memory start-up skips the missing pasteboard window.
TEST(InitWindow, MissingViewsAndTextWindowsAreReported) {
    platform::InterfaceOmissions omit;
    omit.views[7] = true;
    omit.pasteboard = true;
    omit.printer = true;
    runintoolkit(
        [] {
            LogCapture log;
            graphicwindow(7, 24, 1280, 800);
            EXPECT_FALSE(windowrecord(7).Initialized);
            EXPECT_TRUE(log.contains(
                "t_InitWindow: GraphicWindow #7 could not be initialized, resource undefined."));
            EXPECT_EQ(log.lines().back(), "t_InitWindow: GraphicWindow #7 End.");
            EXPECT_EQ(display::highmemorymark(), 0xD12000 - 1); // the block stays reserved
            log.clear();
            t_WindowUpdate(7, true);
            t_WindowVisible(8, true);
            t_WindowVisible(9, true);
            EXPECT_EQ(log.lines(),
                      (Lines{"t_WindowUpdate: Window #7 view is nil, resource undefined.",
                             "t_WindowVisible: Window does not exist.",
                             "t_WindowVisible: Window does not exist."}));
        },
        omit);
}

// The pasteboard window shows the clipboard each time it is shown. A window that would reach above
// the screen's top is moved down, as a titled window is; this one is small enough for the offscreen
// screen.
PROGRAM_TEST(WindowCommands, VisibilityTitleBarPasteboardAndSize) {
    largewindow(0);
    t_WindowVisible(0, false);
    t_WindowFront(0);
    EXPECT_TRUE(windowrecord(0).Visible);
    EXPECT_TRUE(core::onmain([] { return platform::windowisvisible(windowrecord(0).Window); }));
    LogCapture log;
    t_WindowTitleVisible(0, false);
    EXPECT_EQ(windowrecord(0).TitleHeight, 0);
    t_WindowCenter(13);
    t_WindowVisible(200, true);
    EXPECT_EQ(log.lines(), (Lines{"t_WindowCenter: Window does not exist.",
                                  "t_WindowVisible: Window does not exist."}));
    const auto shown = [] {
        return core::onmain([] { return platform::textviewstring(display::gettextview(8)); });
    };
    core::onmain([] { platform::pasteboardsetstring("Zwischen\nablage"); });
    t_WindowVisible(8, true);
    EXPECT_EQ(shown(), "Zwischen\nablage");
    core::onmain([] { platform::pasteboardsetstring(""); });
    t_WindowVisible(8, true);
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(display::gettextview(11), nullptr);
    log.clear(); // t_WindowSize keeps what is -1
    t_WindowSize(2, 10, 10, 100, 100);
    EXPECT_EQ(log.lines(), Lines{"t_WindowSize: Window #2 not initialized."});
    t_InitWindow(2, 24, true, 320, 200, 16, 24, makegreyfont(8, 16), true);
    t_WindowSize(2, 40, 50, -1, -1);
    t_WindowSize(2, -1, -1, -1, -1);
    EXPECT_EQ(t_WindowPos(2, 13), 40);
    EXPECT_EQ(t_WindowPos(2, 20), 50);
    platform::Rect view = core::onmain([] { return platform::viewframe(windowrecord(2).View); });
    EXPECT_EQ(std::tie(view.x, view.y, view.width, view.height), std::tuple(16, 24, 320, 200));
    t_WindowSize(2, 40, t_WindowPos(2, 16) - 100, -1, -1); // 100 below the top, 248 tall
    EXPECT_EQ(t_WindowPos(2, 14), t_WindowPos(2, 17));     // the top stays on the screen
}

PROGRAM_TEST(Colours, PaletteAndTheLowFourBitsOfColorAndBorder) {
    EXPECT_EQ(display::packcolor(t_RGBColor{255, 255, 128, 0}), 0x0080FFFFu);
    largewindow(0);
    t_Color(0, 9);
    EXPECT_EQ(windowrecord(0).TextColor, 144);
    EXPECT_EQ(windowrecord(0).RGBColor.load(), (t_RGBColor{255, 255, 128, 0}));
    t_Color(0, 17);
    EXPECT_EQ(windowrecord(0).TextColor >> 4, 1);
    EXPECT_EQ(windowrecord(0).RGBColor.load(), (t_RGBColor{255, 255, 0, 0}));
    t_ColorBorder(0, 25); // orange, in the record and beside the picture, below the menus
    EXPECT_EQ(windowrecord(0).RGBColorBorder.load(), (t_RGBColor{255, 255, 128, 0}));
    const QImage shown = core::onmain(
        [] { return reinterpret_cast<QWidget*>(windowrecord(0).Window.load())->grab().toImage(); });
    EXPECT_EQ(shown.pixel(1, shown.height() - 2), 0xFFFF8000u);
}

PROGRAM_TEST(WindowCommands, PositionSelectorsOfTheDefaultRecordAndTheMainWindow) {
    t_InitMemory();
    t_WindowSize(12, 100, 200, 400, 300);
    const int64_t title = core::titlebarheight();
    // Window, selector and answer; window 4 is the default record, 12 the main window.
    const int64_t answers[][3] = {{4, 0, 0},    {4, 9, 0},    {4, 17, 0},    {12, 4, 400},
                                  {12, 2, 399}, {12, 9, 300}, {12, 13, 100}, {12, 20, 200},
                                  {12, 0, 0},   {12, 18, 0}};
    for (auto [n, selector, answer] : answers) {
        EXPECT_EQ(t_WindowPos(static_cast<uint8_t>(n), selector), answer) << n << " " << selector;
    }
    EXPECT_EQ(t_WindowPos(12, 12), 300 + title);
    EXPECT_EQ(t_WindowPos(12, 14), t_WindowPos(12, 16) - 200 - (300 + title));
}

// Hidden windows give no image, uninitialised ones say so. The table: the first bytes of the block
// and the pixels they give, the last bytes and the last pixel.
PROGRAM_TEST(WindowImages, OnlyShownWindowsGiveImagesDecodedAtEveryDepth) {
    graphicwindow(7, 24);
    LogCapture log;
    EXPECT_FALSE(core::onmain([] { return t_WindowImage(7).has_value(); }));
    EXPECT_TRUE(foregroundlines(log).empty());
    EXPECT_FALSE(core::onmain([] { return t_WindowImage(6).has_value(); }));
    EXPECT_EQ(foregroundlines(log), Lines{"t_WindowImage: Graphic window #6 not initialized."});
    t_WindowVisible(7, true);
    EXPECT_TRUE(core::onmain([] { return t_WindowNSImage(7).has_value(); }));
    EXPECT_GT(windowrecord(7).UpdateFinished, 0);
    t_WindowVisible(7, false);
    EXPECT_EQ(windowrecord(7).UpdateDuration, 0);
    EXPECT_FALSE(windowrecord(7).Visible);
    const std::tuple<int64_t, Bytes, std::vector<uint32_t>, Bytes, uint32_t> cases[] = {
        {1, {0x80}, {0xFFFFFFFF, 0xFF000000}, {0x01}, 0xFFFFFFFF},
        {4, {0x5A}, {0xFF545454, 0xFFA8A8A8}, {0x9C}, 0xFF00FF00},
        {16, {0x12, 0x80}, {0xFF808080}, {0x34, 0x56}, 0xFF565656},
        {32, {0x00, 0x10, 0x20, 0x30}, {0xFF102030}, {0x11, 0x22, 0x33, 0x44}, 0xFF223344},
        {24, {0x10, 0x20, 0x30}, {0xFF102030}, {0x40, 0x50, 0x60}, 0xFF405060},
        {8, {0x7F}, {0xFF7F7F7F}, {0x9A}, 0xFF9A9A9A}};
    for (uint8_t n = 0; n < 6; ++n) {
        const auto& [depth, first, pixels, last, lastpixel] = cases[n];
        SCOPED_TRACE(testing::Message() << "depth " << depth);
        graphicwindow(n, depth);
        std::copy(first.begin(), first.end(), block(n));
        std::copy(last.begin(), last.end(), block(n) + 64 * 32 * depth / 8 - last.size());
        announcewrites(n);
        t_WindowVisible(n, true);
        const auto image =
            core::onmain([n] { return t_WindowImage(n); }).value_or(platform::Image{});
        EXPECT_EQ(std::tie(image.width, image.height), std::tuple(64, 32));
        ASSERT_EQ(image.pixels.size(), 2048u);
        EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), image.pixels.begin()));
        EXPECT_EQ(image.pixels[1000], 0xFF000000);
        EXPECT_EQ(image.pixels.back(), lastpixel);
    }
}

// The sixteen colours are checked as drawn (Example.GraphicsDemoDrawsPaletteLinesAndScaledGlyphs);
// an index beyond them, or below, gives opaque black.
TEST(Palette, IndexesBeyondTheColoursGiveBlack) {
    EXPECT_EQ(t_PaletteColor(t_White + 1), (t_RGBColor{255, 0, 0, 0}));
    EXPECT_EQ(t_PaletteColor(-1), (t_RGBColor{255, 0, 0, 0}));
}

// Every selector name of t_WindowPos on a graphic window whose facts all differ.
// The frame is 320 + 2 x 16 pixels wide and 200 + 2 x 24 high, then the title bar.
PROGRAM_TEST(WindowPos, EachSelectorNameAnswersItsFact) {
    t_InitWindow(5, 24, false, 320, 200, 16, 24, makegreyfont(8, 16), true); // 40 x 12 cells
    display::t_Window& w = windowrecord(5);
    EXPECT_EQ(t_WindowPos(5, t_PosTitleHeight), core::titlebarheight()); // the desktop's
    w.TitleHeight = 7; // whatever the desktop's title bar is, the heights differ
    std::tie(w.TextFirstColumn, w.TextLastColumn, w.TextFirstLine, w.TextLastLine) =
        std::tuple(3, 30, 2, 10);
    t_WindowSize(5, 40, 50, t_Keep, t_Keep);
    const platform::Rect screen =
        core::onmain([&] { return platform::windowscreenframe(w.Window); });
    const int64_t across = static_cast<int64_t>(screen.width);
    const int64_t down = static_cast<int64_t>(screen.height);
    const int64_t frame = 200 + 2 * 24 + 7, top = down - 50 - frame;
    const std::pair<int64_t, int64_t> facts[] = {
        {t_PosFirstColumn, 3},      {t_PosFirstLine, 2},       {t_PosLastColumn, 30},
        {t_PosLastLine, 10},        {t_PosAreaColumns, 28},    {t_PosAreaLines, 9},
        {t_PosColumns, 40},         {t_PosLines, 12},          {t_PosWidth, 320},
        {t_PosHeight, 200},         {t_PosFrameWidth, 352},    {t_PosContentHeight, 248},
        {t_PosFrameHeight, frame},  {t_PosLeft, 40},           {t_PosTop, top},
        {t_PosScreenWidth, across}, {t_PosScreenHeight, down}, {t_PosTitleHeight, 7},
        {t_PosBorderWidth, 16},     {t_PosBorderHeight, 24},   {t_PosBottom, 50}};
    for (const auto& [selector, fact] : facts) {
        EXPECT_EQ(t_WindowPos(5, selector), fact) << "selector " << selector;
    }
    EXPECT_EQ((Numbers{t_WindowPos(5, 21), t_WindowPos(5, -1)}), (Numbers{0, 0})); // no selectors
}

TEST(Rendering, FastAndPortableConversionsAgreeAtEveryDepth) {
    Bytes bytes(4 * 999);
    for (size_t k = 0; k < bytes.size(); ++k) {
        bytes[k] = static_cast<uint8_t>(k * 37 + 11); // 0B 30 55 7A 9F C4 E9 0E ...
    }
    // Depth and a pixel count that is no multiple of the four pixels of a vector step; what each
    // depth decodes to is checked through the window images.
    const std::pair<int64_t, int64_t> cases[] = {{1, 11},  {4, 13}, {8, 19},
                                                 {16, 11}, {24, 7}, {32, 7}};
    for (const auto& [depth, odd] : cases) {
        for (int64_t count : {int64_t{1}, int64_t{5}, odd, int64_t{999}}) {
            std::vector<uint32_t> fast(count), portable(count);
            display::usesimdconversion(false);
            ASSERT_TRUE(display::convertpixels(depth, bytes.data(), portable.data(), count));
            display::usesimdconversion(true);
            ASSERT_TRUE(display::convertpixels(depth, bytes.data(), fast.data(), count));
            EXPECT_EQ(fast, portable) << "depth " << depth << ", " << count << " pixels";
        }
    }
    uint32_t untouched = 7;
    EXPECT_FALSE(display::convertpixels(12, bytes.data(), &untouched, 1));
    EXPECT_EQ(untouched, 7u);
}
