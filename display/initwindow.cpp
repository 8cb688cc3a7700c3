#include "display/initwindow.h"

#include "base/log.h"
#include "base/numbertext.h"
#include "base/programname.h"
#include "core/appdelegate.h"
#include "core/lookup.h"
#include "display/autoupdate.h"
#include "display/placement.h"
#include "display/surface.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

#include <cstring>

namespace display {

namespace {

constexpr int64_t minimumside = 32;
constexpr int64_t maximumside = 8192;

std::string windowprefix(uint8_t n) {
    return "t_InitWindow: GraphicWindow #" + std::to_string(n);
}

int64_t freekilobytes(int64_t freebytes) {
    return freebytes / 1024;
}

int64_t checkedside(uint8_t n, int64_t value, int64_t replacement, const char* direction) {
    if (value >= minimumside && value <= maximumside) {
        return value;
    }
    base::logline(windowprefix(n) + " cannot display " + std::to_string(value) + " " + direction +
                  " pixel.");
    return replacement;
}

// Rows start on whole bytes: the widths of depths 1 and 4 are corrected.
int64_t bytealignedwidth(uint8_t n, int64_t depth, int64_t width) {
    if (depth == 1 && width % 8 != 0) {
        base::logline(windowprefix(n) + " width with 1 bit depth must be a multiple of 8.");
        return (width + 7) / 8 * 8;
    }
    if (depth == 4 && width % 4 != 0) {
        base::logline(windowprefix(n) + " width with 4 bit depth must be a multiple of 4.");
        return (width + 1) / 4 * 4;
    }
    return width;
}

// The graphic block size for the depth, correcting the width where the depth needs it; -1 for a
// depth without a pixel layout.
int64_t graphicsize(uint8_t n, int64_t depth, int64_t& width, int64_t height) {
    if (!drawabledepth(depth)) {
        base::logline(windowprefix(n) + " unsupported " + std::to_string(depth) + " bit depth.");
        return -1;
    }
    width = bytealignedwidth(n, depth, width);
    return blockbytes(depth, width, height);
}

struct TextGrid {
    int64_t columns = -1;
    int64_t lines = -1;
    int64_t size = 0;
};

TextGrid textgrid(const t_Font& font, int64_t width, int64_t height) {
    TextGrid grid;
    if (font.Data.empty()) {
        return grid;
    }
    // A cell side below 1 (an empty or corrupt font record) holds no text.
    grid.columns = font.Width < 1 ? 0 : width / font.Width;
    grid.lines = font.Height < 1 ? 0 : height / font.Height;
    grid.size = grid.columns * grid.lines * 2;
    return grid;
}

void fillrecord(t_Window& w, bool autoUpdate, int64_t depth, int64_t width, int64_t height,
                int64_t borderwidth, int64_t borderheight, bool titleVisible) {
    w.UpdateStarted = 0;
    w.UpdateFinished = 0;
    w.VerticalBlank = true;
    w.IgnoreEvents = false;
    w.RefreshRate = 30;
    w.AutoUpdate = autoUpdate;
    w.QuickUpdate = true;
    w.ScrollLock = false;
    w.BitDepth = depth;
    w.Width = width;
    w.Height = height;
    w.BorderWidth = borderwidth;
    w.BorderHeight = borderheight;
    w.TitleHeight = titleVisible ? core::titlebarheight() : 0;
    w.RGBColor = t_PaletteColor(t_Black);
    w.RGBColorBorder = t_PaletteColor(t_DarkGrey);
    w.DrawingMode = 0;
    w.PositionX = 0;
    w.PositionY = 0;
}

void filltextfields(t_Window& w, const TextGrid& grid) {
    w.TextWidth = grid.columns;
    w.TextHeight = grid.lines;
    w.TextFirstColumn = 1;
    w.TextLastColumn = grid.columns;
    w.TextFirstLine = 1;
    w.TextLastLine = grid.lines;
    w.TextHpos = 1;
    w.TextVpos = 1;
    w.TextColor = t_Lime << 4 | t_Black; // foreground in the high four bits
    w.LoResOffsetX = 0;
    w.LoResOffsetY = 0;
    w.LoResMode = 0;
}

// Black pixels: 0 bytes, whose pages are given back, except at depth 32 (opaque black).
void cleargraphicblock(uint8_t n, const t_Window& w) {
    int64_t bytes = blockbytes(w.BitDepth, w.Width, w.Height);
    if (w.BitDepth == 32) {
        uint8_t* pixels = videomemory() + w.MemoryStart;
        for (int64_t p = 0; p < bytes; p += 4) {
            std::memcpy(pixels + p, "\xFF\0\0\0", 4);
        }
        markwholewindow(n);
        return;
    }
    zerovideomemory(w.MemoryStart, bytes);
    markcleared(n);
}

void cleartextblock(const t_Window& w) {
    if (w.TextMemoryStart < 0) {
        return;
    }
    int64_t cells = w.TextWidth * w.TextHeight;
    int64_t half = (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2;
    uint8_t* characters = videomemory() + w.TextMemoryStart;
    std::memset(characters, 32, static_cast<size_t>(cells));
    std::memset(characters + half, w.TextColor, static_cast<size_t>(cells));
}

void clearwindowmemory(uint8_t n, const t_Window& w) {
    VideoLock guard(videolock());
    cleargraphicblock(n, w);
    cleartextblock(w);
}

void connectview(uint8_t n, platform::View view, const t_Font& font, int64_t width,
                 int64_t height) {
    t_Window& w = windowrecord(n);
    w.View = view;
    w.Window = core::getwindow(n);
    w.Font = font;
    w.Initialized = true;
    clearwindowmemory(n, w);
    t_WindowTitle(n, windowtitle(base::programname(), w.TextMemoryStart >= 0));
    t_WindowSize(n, t_Keep, t_Keep, width, height);
    t_ColorBorder(n, t_DarkGrey);
}

void lognographicmemory(uint8_t n, int64_t freebytes, int64_t width, int64_t height, int64_t depth,
                        int64_t size) {
    base::logline(windowprefix(n) + " has not enough graphic-video-memory (" +
                  std::to_string(freekilobytes(freebytes)) + "K available).");
    base::logline("t_InitWindow: Displaying " + std::to_string(width) + " x " +
                  std::to_string(height) + " pixel x " + std::to_string(depth) + " bit needs " +
                  base::kilobytetext(size) + "K video-memory.");
}

void lognotextmemory(uint8_t n, int64_t freebytes, const TextGrid& grid) {
    base::logline(windowprefix(n) + " has not enough text-video-memory (" +
                  std::to_string(freekilobytes(freebytes)) + "K available).");
    base::logline("t_InitWindow: Displaying " + std::to_string(grid.columns) + " x " +
                  std::to_string(grid.lines) + " characters needs " +
                  base::kilobytetext(grid.size) + "K text-video-memory.");
}

// Places the graphic block of size bytes and the text block of the grid, and records both.
void placewindowblocks(uint8_t n, t_Window& w, int64_t size, const TextGrid& grid) {
    Block graphic = placeblock(size);
    w.MemoryStart = graphic.start;
    w.MemoryEnd = graphic.end;
    base::logline(windowprefix(n) + " = " + std::to_string(w.Width) + " x " +
                  std::to_string(w.Height) + " pixel x " + std::to_string(w.BitDepth) +
                  " bit = " + base::kilobytetext(size) +
                  "K video-memory = " + base::hexaddress(graphic.start) + ".");
    filltextfields(w, grid);
    Block text = grid.size == 0 ? Block{-1, -1} : placeblock(grid.size);
    w.TextMemoryStart = text.start;
    w.TextMemoryEnd = text.end;
}

// Shows the placed window in its view, or gives up when the interface has none.
void connectorgiveup(uint8_t n, t_Window& w, const t_Font& font) {
    platform::View view = core::getview(n);
    if (view == nullptr) {
        w.Initialized = false;
        w.Font = t_Font{};
        base::logline(windowprefix(n) + " could not be initialized, resource undefined.");
        return;
    }
    connectview(n, view, font, w.Width, w.Height);
}

} // namespace

std::string windowtitle(const std::string& programname, bool hastextblock) {
    return hastextblock ? programname : programname + "-Grafik";
}

} // namespace display

void t_InitWindow(uint8_t n, int64_t bitDepth, int64_t columns, int64_t lines, int64_t border,
                  const std::string& fontName) {
    display::waitformemory();
    t_Font font = t_LoadFontResource(fontName);
    if (font.Data.empty()) {
        base::logline("t_InitWindow: Font '" + fontName + "' not found.");
        return;
    }
    t_InitWindow(n, bitDepth, true, columns * font.Width, lines * font.Height, border, border, font,
                 true);
}

void t_InitWindow(uint8_t n, int64_t bitDepth, bool autoUpdate, int64_t width, int64_t height,
                  int64_t borderWidth, int64_t borderHeight, const t_Font& font,
                  bool titleVisible) {
    if (!display::graphicwindownumber("t_InitWindow", n)) {
        return;
    }
    base::logline(display::windowprefix(n) + " Start.");
    display::waitformemory();
    display::claimfirstwindow(n);
    display::startautoupdate();
    display::t_Window& w = display::windowrecord(n);
    if (w.Initialized) {
        display::releaseblocks(n, display::windowprefix(n));
    }
    width = display::checkedside(n, width, 1280, "horizontal");
    height = display::checkedside(n, height, 800, "vertical");
    int64_t size = display::graphicsize(n, bitDepth, width, height);
    if (size < 0) {
        return;
    }
    int64_t freebytes = display::highmemorymark() - display::reservedlowarea;
    if (size > freebytes) {
        display::lognographicmemory(n, freebytes, width, height, bitDepth, size);
        return;
    }
    if (!titleVisible) {
        t_WindowTitleVisible(n, false);
        base::logline(display::windowprefix(n) + " title will be invisible.");
    }
    int64_t bordersx = borderWidth >= 0 ? borderWidth : t_WindowPos(n, t_PosScreenWidth) - width;
    int64_t bordersy =
        borderHeight >= 0 ? borderHeight : t_WindowPos(n, t_PosScreenHeight) - height;
    display::TextGrid grid = display::textgrid(font, width, height);
    if (grid.size > freebytes || !display::textblockfits(size, grid.size)) {
        display::lognotextmemory(n, freebytes, grid);
        return;
    }
    display::fillrecord(w, autoUpdate, bitDepth, width, height, bordersx, bordersy, titleVisible);
    display::placewindowblocks(n, w, size, grid);
    display::connectorgiveup(n, w, font);
    base::logline(display::windowprefix(n) + " End.");
}
