#include "display/initwindow.h"

#include "base/log.h"
#include "base/numbertext.h"
#include "base/programname.h"
#include "core/appdelegate.h"
#include "core/lookup.h"
#include "display/autoupdate.h"
#include "display/palette.h"
#include "display/render.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "display/windowcommands.h"
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

// Copies a block up by shift bytes; the ranges may overlap.
void moveblockup(int64_t start, int64_t end, int64_t shift) {
    uint8_t* memory = videomemory();
    std::memmove(memory + start + shift, memory + start, static_cast<size_t>(end - start + 1));
}

void logmove(uint8_t n, const char* what, uint8_t w, int64_t start, int64_t end, int64_t shift) {
    base::logline(windowprefix(n) + " moving " + what + " block for win #" + std::to_string(w) +
                  "$" + base::hexdigits8(start) + "..." + base::hexdigits8(end) + " to" +
                  base::hexdigits8(start + shift) + "..." + base::hexdigits8(end + shift));
}

// Moves the blocks of the windows made after n (they lie below n's blocks) up by shift.
void moveblocksabove(uint8_t n, int64_t end, int64_t shift) {
    for (uint8_t w = 0; w < t_GraphicWindows; ++w) {
        t_Window& other = windowrecord(w);
        if (!other.Initialized || other.MemoryStart >= end) {
            continue;
        }
        logmove(n, "graphic", w, other.MemoryStart, other.MemoryEnd, shift);
        {
            // The block and its record move together, as the renderer reads both under the lock.
            VideoLock guard(videolock());
            moveblockup(other.MemoryStart, other.MemoryEnd, shift);
            other.MemoryStart += shift;
            other.MemoryEnd += shift;
            markwholewindow(w);
        }
        if (other.TextMemoryStart >= 0 && other.TextMemoryStart < end) {
            logmove(n, "text", w, other.TextMemoryStart, other.TextMemoryEnd, shift);
            {
                VideoLock guard(videolock());
                moveblockup(other.TextMemoryStart, other.TextMemoryEnd, shift);
            }
            other.TextMemoryStart += shift;
            other.TextMemoryEnd += shift;
        }
    }
}

void releaseblocks(uint8_t n) {
    t_Window& w = windowrecord(n);
    w.Initialized = false;
    int64_t start = w.MemoryStart, end = w.MemoryEnd;
    int64_t shift = end - start + 1;
    base::logline(windowprefix(n) + " high memory = " + base::hexaddress(end) +
                  ", graphic block size to delete = " + base::hexaddress(shift) + ".");
    if (w.TextMemoryStart >= 0) {
        int64_t textsize = w.TextMemoryEnd - w.TextMemoryStart + 1;
        base::logline(windowprefix(n) + " high memory = " + base::hexaddress(end) +
                      ", text block size to delete = " + base::hexaddress(textsize) + ".");
        shift += textsize;
    }
    moveblocksabove(n, end, shift);
    sethighmemorymark(highmemorymark() + shift);
}

int64_t checkedside(uint8_t n, int64_t value, int64_t replacement, const char* direction) {
    if (value >= minimumside && value <= maximumside) {
        return value;
    }
    base::logline(windowprefix(n) + " cannot display " + std::to_string(value) + " " + direction +
                  " pixel.");
    return replacement;
}

// The graphic block size for the depth, correcting the width where the depth needs it; -1 for a
// depth without a pixel format.
int64_t graphicsize(uint8_t n, int64_t depth, int64_t& width, int64_t height) {
    switch (depth) {
    case 1:
        if (width % 8 != 0) {
            base::logline(windowprefix(n) + " width with 1 bit depth must be a multiple of 8.");
            width = (width + 7) / 8 * 8;
        }
        return height * width / 8;
    case 4:
        if (width % 4 != 0) {
            base::logline(windowprefix(n) + " width with 4 bit depth must be a multiple of 4.");
            width = (width + 1) / 4 * 4;
        }
        return height * width / 2;
    case 8:
    case 16:
    case 24:
    case 32:
        return height * depth * width / 8;
    default:
        base::logline(windowprefix(n) + " unsupported " + std::to_string(depth) + " bit depth.");
        return -1;
    }
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

// The text block goes directly below the graphic block; it must stay above the reserved low
// area even when each block alone would fit into the free memory.
bool textblockfits(int64_t graphicbytes, int64_t textbytes) {
    if (textbytes == 0) {
        return true;
    }
    Block graphic = blockbelow(highmemorymark(), graphicbytes);
    return graphic.start - textbytes >= reservedlowarea;
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

void cleargraphicblock(const t_Window& w) {
    int64_t depth = w.BitDepth, width = w.Width, height = w.Height;
    uint8_t* row = videomemory() + w.MemoryStart;
    int64_t rowbytes = width * depth / 8;
    if (depth == 32) {
        for (int64_t p = 0; p < width * height; ++p) {
            std::memcpy(row + 4 * p, "\xFF\0\0\0", 4);
        }
        return;
    }
    std::memset(row, 0, static_cast<size_t>(rowbytes * height));
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
    cleargraphicblock(w);
    cleartextblock(w);
    markwholewindow(n);
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
    if (n >= t_GraphicWindows) {
        base::logline("t_InitWindow: Window is not a graphic window.");
        return;
    }
    base::logline(display::windowprefix(n) + " Start.");
    display::waitformemory();
    display::claimfirstwindow(n);
    display::startautoupdate();
    display::t_Window& w = display::windowrecord(n);
    if (w.Initialized) {
        display::releaseblocks(n);
    }
    width = display::checkedside(n, width, 1280, "horizontal");
    height = display::checkedside(n, height, 800, "vertical");
    int64_t size = display::graphicsize(n, bitDepth, width, height);
    if (size < 0) {
        return;
    }
    int64_t freebytes = display::highmemorymark() - display::reservedlowarea;
    if (size > freebytes) {
        base::logline(display::windowprefix(n) + " has not enough graphic-video-memory (" +
                      std::to_string(display::freekilobytes(freebytes)) + "K available).");
        base::logline("t_InitWindow: Displaying " + std::to_string(width) + " x " +
                      std::to_string(height) + " pixel x " + std::to_string(bitDepth) +
                      " bit needs " + base::kilobytetext(size) + "K video-memory.");
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
        base::logline(display::windowprefix(n) + " has not enough text-video-memory (" +
                      std::to_string(display::freekilobytes(freebytes)) + "K available).");
        base::logline("t_InitWindow: Displaying " + std::to_string(grid.columns) + " x " +
                      std::to_string(grid.lines) + " characters needs " +
                      base::kilobytetext(grid.size) + "K text-video-memory.");
        return;
    }
    display::fillrecord(w, autoUpdate, bitDepth, width, height, bordersx, bordersy, titleVisible);
    display::Block graphic = display::placeblock(size);
    w.MemoryStart = graphic.start;
    w.MemoryEnd = graphic.end;
    base::logline(display::windowprefix(n) + " = " + std::to_string(width) + " x " +
                  std::to_string(height) + " pixel x " + std::to_string(bitDepth) +
                  " bit = " + base::kilobytetext(size) +
                  "K video-memory = " + base::hexaddress(graphic.start) + ".");
    display::filltextfields(w, grid);
    display::Block text = grid.size == 0 ? display::Block{-1, -1} : display::placeblock(grid.size);
    w.TextMemoryStart = text.start;
    w.TextMemoryEnd = text.end;
    platform::View view = core::getview(n);
    if (view == nullptr) {
        w.Initialized = false;
        w.Font = t_Font{};
        base::logline(display::windowprefix(n) + " could not be initialized, resource undefined.");
    } else {
        display::connectview(n, view, font, width, height);
    }
    base::logline(display::windowprefix(n) + " End.");
}
