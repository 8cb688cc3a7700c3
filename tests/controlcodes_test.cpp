// The control codes of t_PrintControl, each against the command it stands for.
#include "display/bell.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/displayhelpers.h"
#include "tests/support/toolkit.h"

#include <gtest/gtest.h>

namespace {

// Line y of window 0 holds its letter ('A' for line 1) in every column.
void fillwithletters() {
    for (int64_t y = 1; y <= 25; ++y) {
        t_TextHline(0, 1, 80, y, static_cast<uint8_t>('A' + y - 1));
    }
}

char at(int64_t x, int64_t y) {
    return t_GetScreen(0, "")[static_cast<size_t>((y - 1) * 80 + (x - 1))];
}

} // namespace

// From the cursor at (5, 5), inverse as given, display mode 3: where the cursor goes, the
// inverse flag and mode afterwards, and the cells left of the cursor, under it, at the start of
// the next line and above it.
TOOLKIT_TEST(PrintControl, EachCodeActsAsItsCommand, runintoolkit) {
    textwindow(0, 8);
    struct Row {
        uint8_t code;
        bool inversebefore;
        Pos cursor;
        bool inverse;
        int64_t mode;
        std::string cells; // (4, 5), (5, 5), (1, 6), (5, 4)
    };
    const Row rows[]{
        {0, true, {5, 5}, true, 3, "EEFD"},     {7, false, {5, 5}, false, 3, "EEFD"},
        {8, false, {4, 5}, false, 3, "EEFD"},   {10, false, {5, 6}, false, 3, "EEFD"},
        {11, false, {5, 5}, false, 3, "E  D"},  {12, false, {1, 1}, false, 3, "    "},
        {13, false, {1, 6}, false, 3, "EEFD"},  {14, true, {5, 5}, false, 3, "EEFD"},
        {15, false, {5, 5}, true, 3, "EEFD"},   {17, true, {5, 5}, false, 3, "EEFD"},
        {17, false, {5, 5}, true, 3, "EEFD"},   {18, false, {1, 5}, false, 3, "EEFD"},
        {19, false, {5, 5}, false, 0, "EEFD"},  {20, false, {5, 5}, false, 1, "EEFD"},
        {22, false, {5, 5}, false, 3, "DDEC"},  {23, false, {5, 5}, false, 3, "FFGE"},
        {25, false, {1, 1}, false, 3, "EEFD"},  {26, false, {1, 5}, false, 3, "  FD"},
        {27, false, {5, 5}, false, 99, "EEFD"}, {28, false, {6, 5}, false, 3, "EEFD"},
        {29, false, {5, 5}, false, 3, "E FD"},  {30, false, {5, 4}, false, 3, "EEFD"},
        {31, false, {5, 5}, false, 2, "EEFD"},
    };
    display::t_Window& w = display::windowrecord(0);
    for (const Row& row : rows) {
        fillwithletters();
        w.TextHpos = 5;
        w.TextVpos = 5;
        w.TextInverse = row.inversebefore;
        w.TextDisplayMode = 3;
        const uint64_t bells = display::bellcount();
        t_PrintControl(0, row.code);
        EXPECT_EQ(Pos(w.TextHpos, w.TextVpos), row.cursor) << "code " << +row.code;
        EXPECT_EQ(w.TextInverse, row.inverse) << "code " << +row.code;
        EXPECT_EQ(w.TextDisplayMode, row.mode) << "code " << +row.code;
        EXPECT_EQ(std::string({at(4, 5), at(5, 5), at(1, 6), at(5, 4)}), row.cells)
            << "code " << +row.code;
        EXPECT_EQ(display::bellcount() - bells, row.code == 7 ? 1u : 0u) << "code " << +row.code;
    }
}
