// What a graphic window's view really paints, grabbed from the Qt widget, against the pixels
// written into its block. Qt headers are used here only to grab the widget.
#include "display/render.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "display/windowcommands.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/displayhelpers.h"
#include "tests/support/toolkit.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>
#include <random>

TEST(ViewPainting, EveryDepthShowsItsBlock) {
    setuptoolkit();
    const int64_t depths[] = {1, 4, 8, 16, 24, 32};
    ASSERT_TRUE(runprogram([&] {
        for (uint8_t n = 0; n < 6; ++n) {
            graphicwindow(n, depths[n], 1280, 800, 16);
            t_WindowVisible(n, true);
            const display::t_Window& w = display::windowrecord(n);
            std::mt19937 random(n);
            display::VideoLock guard(display::videolock());
            for (int64_t a = w.MemoryStart; a <= w.MemoryEnd; ++a) {
                display::videomemory()[a] = static_cast<uint8_t>(random());
            }
            display::markwholewindow(n); // written behind the toolkit's back, so announced here
        }
    }));
    for (uint8_t n = 0; n < 6; ++n) {
        std::optional<platform::Image> expected = t_WindowImage(n);
        ASSERT_TRUE(expected.has_value());
        auto* view = reinterpret_cast<QWidget*>(display::windowrecord(n).View.load());
        QImage grabbed = view->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(grabbed.width(), 1280) << "depth " << depths[n];
        ASSERT_EQ(grabbed.height(), 800);
        int64_t differing = 0;
        for (int y = 0; y < 800; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(grabbed.constScanLine(y));
            for (int x = 0; x < 1280; ++x) {
                differing += row[x] != expected->pixels[static_cast<size_t>(y * 1280 + x)];
            }
        }
        EXPECT_EQ(differing, 0) << "depth " << depths[n];
    }
}
