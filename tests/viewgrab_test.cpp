// What a graphic window's view really paints, grabbed from the Qt widget, against the whole
// picture converted anew: after a change only its rows are converted, and the view must still
// show all of it. Qt headers are used here only to grab the widget.
#include "display/render.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/displayhelpers.h"
#include "tests/support/logcapture.h"
#include "tests/support/toolkit.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Whether view n shows its window's picture.
bool showspicture(uint8_t n) {
    std::optional<platform::Image> expected = t_WindowImage(n);
    auto* view = reinterpret_cast<QWidget*>(display::windowrecord(n).View.load());
    return expected && expected->pixels.size() == 320 * 200 &&
           view->grab().toImage().convertToFormat(QImage::Format_ARGB32) ==
               QImage(reinterpret_cast<uchar*>(expected->pixels.data()), 320, 200,
                      QImage::Format_ARGB32);
}

} // namespace

TEST(ViewPainting, EveryDepthShowsItsBlockAlsoAfterChangedRows) {
    setuptoolkit();
    LogCapture log;
    const int64_t depths[] = {1, 4, 8, 16, 24, 32};
    for (uint8_t n = 0; n < 6; ++n) {
        graphicwindow(n, depths[n], 320, 200, 16);
        t_WindowVisible(n, true);
        fillrandom(n, n);
        EXPECT_TRUE(showspicture(n)) << "depth " << depths[n];
        t_Color(n, 9);
        g_Line(n, 3, 57, 300, 120);
        g_Plot(n, 319, 199);
        const platform::PixelRect part = display::pendingpart(n);
        EXPECT_EQ(std::make_pair(part.y, part.height), std::make_pair(int64_t{57}, int64_t{143}))
            << "depth " << depths[n];
        EXPECT_TRUE(showspicture(n)) << "depth " << depths[n];
        EXPECT_TRUE(display::pendingpart(n).empty()); // taken by the paint
    }
}
