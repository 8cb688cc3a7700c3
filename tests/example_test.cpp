// Programs of one's own end to end: the README's program and the two examples, each built against
// the installed toolkit outside the build tree (scripts/testreadme.sh, run before these tests)
// and run headless with keys typed in advance; what they left on the screen is read back from the
// snapshots they wrote.
#include "tests/support/headlessrun.h"
#include "tests/support/testing.h"

namespace {

// The snapshot of a program run by scripts/testreadme.sh.
HeadlessRun installedrun(const std::string& name) {
    return readsnapshot(std::filesystem::path(QV_INSTALLED_RUNS) / name);
}

uint32_t pixel(const platform::Image& image, int64_t x, int64_t y) {
    return image.pixels[static_cast<size_t>(y * image.width + x)];
}

// Every pixel of the rectangle is one of the given colours; at least one is the first of them.
bool drawnwith(const platform::Image& image, int64_t x0, int64_t y0, int64_t x1, int64_t y1,
               std::vector<uint32_t> colours) {
    bool first = false;
    for (int64_t y = y0; y < y1; ++y) {
        for (int64_t x = x0; x < x1; ++x) {
            const uint32_t p = pixel(image, x, y);
            if (std::find(colours.begin(), colours.end(), p) == colours.end()) {
                return false;
            }
            first = first || p == colours.front();
        }
    }
    return first;
}

constexpr uint32_t black = 0xFF000000, white = 0xFFFFFFFF, red = 0xFFFF0000;

} // namespace

TEST(Example, TextDemoScrollsPrintsInColourAndReadsTwoLines) {
    const HeadlessRun run = installedrun("textdemo");
    // Header, rule and ten of the twenty numbered lines scrolled away; Control-Z cleared the
    // preset 7.
    EXPECT_EQ(run.screen,
              (Lines{"Zeile 10", "Zeile 9", "Zeile 8", "Zeile 7", "Zeile 6", "Zeile 5", "Zeile 4",
                     "Zeile 3", "Zeile 2", "Zeile 1", "Farben: 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15",
                     "Ausgabe: normal, invers, Modus 1: ÄÖÜ", "Wie heißt du? Ada",
                     "Eine Zahl bis 999: 42", "Hallo, Ada! 42 zum Quadrat ist 1764.",
                     "(Programm Ende)"}));
    EXPECT_EQ(run.titles, Lines{"0\tTextbeispiel"});
    ASSERT_TRUE(run.picture.has_value());
    EXPECT_EQ(std::tie(run.picture->width, run.picture->height), std::tuple(64 * 16, 16 * 32));
    // "1" in colour 1 (shades of red), column 9 of line 11; "invers" on white from column 18 of
    // line 12.
    std::vector<uint32_t> reds = {red};
    for (uint32_t r = 0; r < 255; ++r) {
        reds.push_back(black | r << 16);
    }
    EXPECT_TRUE(drawnwith(*run.picture, 8 * 16, 10 * 32, 9 * 16, 11 * 32, reds));
    EXPECT_EQ(pixel(*run.picture, 17 * 16, 11 * 32), white);
    EXPECT_EQ(pixel(*run.picture, 16 * 16, 11 * 32), black);
}

TEST(Example, GraphicsDemoDrawsPaletteLinesAndScaledGlyphs) {
    const HeadlessRun run = installedrun("graphicsdemo");
    EXPECT_EQ(run.titles, Lines{"0\tGrafikbeispiel"});
    ASSERT_TRUE(run.picture.has_value());
    const platform::Image& image = *run.picture;
    ASSERT_EQ(std::tie(image.width, image.height), std::tuple(640, 400));
    // The 16 palette colours as 40-column bars.
    const uint32_t palette[16] = {0xFF000000, 0xFFFF0000, 0xFF000080, 0xFFFF00FF,
                                  0xFF008000, 0xFF545454, 0xFF0000FF, 0xFF0080FF,
                                  0xFF804000, 0xFFFF8000, 0xFFA8A8A8, 0xFFFF8080,
                                  0xFF00FF00, 0xFFFFFF00, 0xFF00FFFF, 0xFFFFFFFF};
    for (int colour = 0; colour < 16; ++colour) {
        EXPECT_TRUE(drawnwith(image, colour * 40, 0, colour * 40 + 40, 60, {palette[colour]}))
            << colour;
    }
    // Fan lines end at every 20th column of row 220 in colours 1 + i mod 15; the last one drawn
    // through the common bottom point is i = 32, colour 3.
    EXPECT_EQ((std::vector{pixel(image, 0, 220), pixel(image, 320, 220), pixel(image, 620, 220),
                           pixel(image, 320, 399)}),
              (std::vector{palette[1], palette[2], palette[2], palette[3]})); // i = 0, 16, 31, 32
    // "Quorvinthal" at (40, 80) four times enlarged: 11 glyphs of 32 x 64 pixels in white on
    // black, nothing to their right; the second line twice enlarged in colour 14.
    EXPECT_TRUE(drawnwith(image, 40, 80, 40 + 11 * 32, 80 + 64, {white, black}));
    EXPECT_TRUE(drawnwith(image, 40 + 11 * 32, 80, 640, 80 + 64, {black}));
    EXPECT_TRUE(drawnwith(image, 40, 160, 40 + 16 * 16, 160 + 32, {palette[14], black}));
    // Enlarged glyph pixels come in whole 4 x 4 blocks.
    for (int64_t y = 80; y < 144; y += 4) {
        for (int64_t x = 40; x < 392; x += 4) {
            ASSERT_TRUE(drawnwith(image, x, y, x + 4, y + 4, {pixel(image, x, y)}))
                << x << "," << y;
        }
    }
}

// hello.cpp from the README, built with CMake and with pkg-config, and the header's opening
// example: asked for a name, greeted, titled after itself, its text drawn in the built-in font
// (green on black: colour byte 192).
TEST(ReadmeProgram, BuiltWithCMakeOrPkgConfigAsksGreetsAndDrawsItsGlyphs) {
    for (const char* way : {"hello-cmake", "hello-pkgconfig", "header-example"}) {
        SCOPED_TRACE(way);
        const HeadlessRun run = installedrun(way);
        ASSERT_EQ(run.screen.size(), 16u);
        EXPECT_EQ(run.screen[0], "Wie heißt du? Ada");
        EXPECT_EQ(run.screen[1], "Hallo, Ada!");
        EXPECT_EQ(run.screen[15], "(Programm Ende)");
        EXPECT_EQ(run.titles, Lines{"0\thello"});
        ASSERT_TRUE(run.picture.has_value());
        ASSERT_EQ(std::tie(run.picture->width, run.picture->height), std::tuple(64 * 16, 16 * 32));
        std::vector<uint32_t> greens = {black};
        for (uint32_t g = 1; g < 256; ++g) {
            greens.push_back(black | g << 8);
        }
        EXPECT_TRUE(drawnwith(*run.picture, 0, 0, 16, 32, greens));             // "W"
        EXPECT_TRUE(drawnwith(*run.picture, 16 * 13, 0, 16 * 14, 32, {black})); // the blank
    }
}

TEST(ReadmeProgram, TheDevelopmentFilesAloneBringNoApplication) {
    const std::filesystem::path prefix = std::filesystem::path(QV_INSTALLED_RUNS) / "devonly";
    EXPECT_TRUE(std::filesystem::exists(prefix / "include/quorvinthal/toolkit.h"));
    EXPECT_TRUE(std::filesystem::exists(prefix / QV_INSTALL_LIBDIR / "libquorvinthal.a"));
    EXPECT_TRUE(std::filesystem::exists(prefix / "share/pkgconfig/quorvinthal.pc"));
    for (const char* application :
         {"bin", "share/applications", "share/icons", "share/metainfo", "share/man"}) {
        EXPECT_FALSE(std::filesystem::exists(prefix / application)) << application;
    }
}
