#include "display/render.h"

#include "base/clock.h"
#include "base/log.h"
#include "core/bridge.h"
#include "core/lookup.h"
#include "core/process.h"
#include "core/threads.h"
#include "display/pixelconversion.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <string>

namespace display {

namespace {

int64_t blockbytes(int64_t depth, int64_t pixels) {
    return pixels * depth / 8;
}

// Logs the illegal depth once per pixel position, as a window of that depth would ask for.
void reportillegaldepth(int64_t pixels) {
    for (int64_t p = 0; p < pixels; ++p) {
        base::logline("t_WindowImage: Illegal bit depth.");
    }
}

// A window's picture as the renderer reads it: the record's geometry, read under the video lock
// so that it matches the block a re-initialisation or a block move left behind.
struct Picture {
    int64_t width = 0, height = 0, depth = 0, start = 0;
};

// The picture of w when its block can be converted; logs why not otherwise.
std::optional<Picture> pictureof(const t_Window& w) {
    Picture p{w.Width, w.Height, w.BitDepth, w.MemoryStart};
    bool knowndepth = p.depth == 1 || p.depth == 4 || p.depth == 8 || p.depth == 16 ||
                      p.depth == 24 || p.depth == 32;
    if (!knowndepth) {
        reportillegaldepth(p.width * p.height);
        return std::nullopt;
    }
    if (p.width <= 0 || p.height <= 0 || p.start < 0 ||
        p.start + blockbytes(p.depth, p.width * p.height) > videomemorylength()) {
        base::logline("t_WindowImage: Data could not be collected, image could not be created.");
        return std::nullopt;
    }
    return p;
}

// Gives image the picture's size; false when it had it already.
bool fitimage(const Picture& p, platform::Image& image) {
    if (image.width == p.width && image.height == p.height) {
        return false;
    }
    image.width = p.width;
    image.height = p.height;
    image.pixels.resize(static_cast<size_t>(p.width * p.height));
    return true;
}

// Converts rows first ... first + count − 1 (the caller holds the video lock). Rows start on whole
// bytes at every depth, since t_InitWindow rounds the widths of depths 1 and 4.
void convertrows(const Picture& p, platform::Image& image, int64_t first, int64_t count) {
    int64_t offset = first * p.width;
    convertpixels(p.depth, videomemory() + p.start + blockbytes(p.depth, offset),
                  image.pixels.data() + offset, count * p.width);
}

// Window n exists and is shown; an uninitialised one says so.
bool windowshown(uint8_t n) {
    if (!memoryready() || n >= t_GraphicWindows) {
        return false;
    }
    const t_Window& w = windowrecord(n);
    if (!(w.Initialized && w.Visible)) {
        if (!w.Initialized) {
            base::logline("t_WindowImage: Graphic window #" + std::to_string(n) +
                          " not initialized.");
        }
        return false;
    }
    return true;
}

void recordduration(t_Window& w, double t0) {
    double t1 = base::absolutetime();
    w.UpdateDuration = static_cast<int64_t>(t1 * 1000000.0) - static_cast<int64_t>(t0 * 1000000.0);
    w.UpdateFinished = base::absolutemilliseconds();
}

Rows withinpicture(Rows rows, int64_t height) {
    int64_t first = std::clamp<int64_t>(rows.first, 0, height);
    int64_t end = rows.count > height - first ? height : first + rows.count;
    return Rows{first, rows.empty() ? 0 : end - first};
}

} // namespace

bool windowimageinto(uint8_t n, platform::Image& image) {
    if (!windowshown(n)) {
        return false;
    }
    t_Window& w = windowrecord(n);
    double t0 = base::absolutetime();
    {
        VideoLock guard(videolock());
        std::optional<Picture> p = pictureof(w);
        if (!p) {
            return false;
        }
        fitimage(*p, image);
        convertrows(*p, image, 0, p->height);
    }
    recordduration(w, t0);
    return true;
}

platform::PixelRect pendingpart(uint8_t n) {
    if (!memoryready() || n >= t_GraphicWindows) {
        return {};
    }
    const t_Window& w = windowrecord(n);
    Rows rows = withinpicture(pendingrows(n), w.Height);
    return rows.empty() ? platform::PixelRect{}
                        : platform::PixelRect{0, rows.first, w.Width, rows.count};
}

void viewpaintstarted(int n) {
    if (n == 0 && memoryready()) {
        windowrecord(0).VerticalBlank = false;
    }
}

void viewpaintfinished(int n) {
    if (n == 0 && memoryready()) {
        windowrecord(0).VerticalBlank = true;
    }
}

bool viewpaint(int n, platform::Image& frame, platform::PixelRect& changed) {
    changed = {};
    if (n < 0 || !windowshown(static_cast<uint8_t>(n))) {
        return false;
    }
    t_Window& w = windowrecord(static_cast<uint8_t>(n));
    double t0 = base::absolutetime();
    {
        VideoLock guard(videolock());
        std::optional<Picture> p = pictureof(w);
        if (!p) {
            return false;
        }
        Rows rows = takerows(static_cast<uint8_t>(n));
        if (fitimage(*p, frame)) {
            rows = allrows;
        }
        rows = withinpicture(rows, p->height);
        if (rows.empty()) {
            return true; // the frame shows the picture already
        }
        convertrows(*p, frame, rows.first, rows.count);
        changed = platform::PixelRect{0, rows.first, p->width, rows.count};
    }
    recordduration(w, t0);
    return true;
}

platform::View existingview(const char* command, uint8_t n) {
    platform::View view = core::getview(n);
    if (view == nullptr) {
        base::logline(std::string(command) + ": Window #" + std::to_string(n) +
                      " view is nil, resource undefined.");
    }
    return view;
}

} // namespace display

std::optional<platform::Image> t_WindowImage(uint8_t n) {
    platform::Image image;
    if (!display::windowimageinto(n, image)) {
        return std::nullopt;
    }
    return image;
}

std::optional<platform::Image> t_WindowNSImage(uint8_t n) {
    if (n >= t_GraphicWindows || core::getview(n) == nullptr) {
        return std::nullopt;
    }
    return t_WindowImage(n);
}

void t_WindowUpdate(uint8_t n, bool deferred) {
    if (!display::memoryready()) {
        return;
    }
    if (n >= t_GraphicWindows) {
        base::logline("t_WindowUpdate: Window is not a graphic window.");
        return;
    }
    platform::View view = display::existingview("t_WindowUpdate", n);
    if (view == nullptr) {
        return;
    }
    // Only what changed since the view last painted; an unchanged window needs no redraw.
    platform::PixelRect part = display::pendingpart(n);
    if (part.empty()) {
        return;
    }
    core::onmain([&] {
        if (deferred) {
            platform::viewsetneedsdisplayin(view, part);
        } else {
            platform::viewdisplayin(view, part);
        }
    });
}
