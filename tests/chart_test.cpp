// The cycle-chart program end to end, through the snapshot machinery: real program entry, keys
// typed into window 0 through the view, today's date fixed.
#include "app/cycleprogram.h"
#include "tests/support/headlessrun.h"
#include "tests/support/testing.h"

namespace {

constexpr uint32_t white = 0xFFFFFFFF, black = 0xFF000000;
constexpr uint32_t red = 0xFFFF0000, green = 0xFF00FF00, blue = 0xFF0000FF;

std::string line(const toolkit::SnapshotResult& r, size_t number) {
    return number <= r.screen.size() ? r.screen[number - 1] : std::string("<no line>");
}

uint32_t pixel(const toolkit::SnapshotResult& r, int64_t x, int64_t y) {
    return r.images[1]->pixels[static_cast<size_t>(y * r.images[1]->width + x)];
}

// The columns of the day ticks above the axis.
Numbers ticks(const toolkit::SnapshotResult& r) {
    Numbers columns;
    for (int64_t x = 0; x < 1280; ++x) {
        if (pixel(r, x, 778) == white) {
            columns.push_back(x);
        }
    }
    return columns;
}

} // namespace

// Invalid dates are asked again on the same line, so that the screen is the example's.
TEST(Chart, TheExampleRunAfterInvalidDates) {
    toolkit::SnapshotResult r =
        runchart("31.4.2020\\r29.2.1900\\r5.12.85\\r\\x1a1.13.2000\\r\\x1a05.12.2026\\r");
    EXPECT_EQ(line(r, 1).substr(0, 11), "Quorvinthal");
    EXPECT_EQ(line(r, 4),
              "Geburtsdatum   : 05.12.1985 (Donnerstag) 724.982 Tage nach Christi Geburt.");
    EXPECT_EQ(line(r, 5),
              "Vorhersagedatum: 05.12.2026 (Samstag) 739.957 Tage nach Christi Geburt.");
    EXPECT_EQ(line(r, 7), "Rot  = Physisch (körperlich)");
    EXPECT_EQ(line(r, 8), "Grün = Emotional (gefühlsmäßig)");
    EXPECT_EQ(line(r, 9), "Blau = Mental (geistig)");
    EXPECT_EQ(line(r, 11), "5.12.1985 bis 05.12.2026 = 14.975 Tage.");
    EXPECT_EQ(line(r, 13), "Am 05.12.2026: Physisch = 75%, Emotional = 5%, Mental = 1%.");
    EXPECT_EQ(line(r, 25), "(Programm Ende)");
    ASSERT_GE(r.titles.size(), 2u);
    EXPECT_EQ(r.titles[1].second, "Quorvinthal für den 05.12.2026 (Geburtsdatum: 05.12.1985)");
    EXPECT_EQ(r.titles[0].second, "Quorvinthal");
    ASSERT_TRUE(r.images[1].has_value());
    for (int64_t x = 0; x < 1280; ++x) {
        ASSERT_EQ(pixel(r, x, 779), white) << x;
        ASSERT_EQ(pixel(r, x, 780), white) << x;
    }
    const Numbers days = ticks(r);
    EXPECT_EQ(std::tuple(days.size(), days.front()), std::tuple(31u, 41));
    // The marker on day 5.
    EXPECT_EQ(
        (std::vector{pixel(r, 206, 0), pixel(r, 206, 3), pixel(r, 206, 774), pixel(r, 205, 3)}),
        (std::vector{white, white, white, black}));
    // Rows of the physical, emotional and mental curves in columns where they lie well apart; red
    // is drawn last, then blue, then green.
    for (auto [x, hp, he, hm] :
         {std::tuple{100, 448, 772, 763}, {600, 392, 58, 208}, {1000, 567, 408, 107}}) {
        EXPECT_EQ(pixel(r, x, hp), red) << x;
        EXPECT_EQ(pixel(r, x + 1, hp + 1), red) << x;
        EXPECT_EQ(pixel(r, x, he), green) << x;
        EXPECT_EQ(pixel(r, x, hm), blue) << x;
    }
    EXPECT_EQ(pixel(r, 5, 662), red); // the curves start at column 5
    EXPECT_EQ(pixel(r, 3, 662), black);
    // The label 31 ends at the window's right edge instead of being cut; it shows the glyphs of
    // the labels 30 (its "3") and 1 (its "1").
    const auto glyph = [&](int64_t left) {
        std::vector<uint32_t> cell;
        for (int64_t y = 783; y < 799; ++y) {
            for (int64_t x = left; x < left + 8; ++x) {
                cell.push_back(pixel(r, x, y));
            }
        }
        return cell;
    };
    const int64_t label30 = 1237 - 8, label1 = 41 - 4;
    EXPECT_NE(glyph(label30), glyph(1248)); // the "3" is not blank
    EXPECT_EQ(glyph(1264), glyph(label30));
    EXPECT_EQ(glyph(1272), glyph(label1));
}

// February of a common year has 28 ticks and the curves still run to the right end of the scale.
TEST(Chart, FebruaryOfACommonYearHasTwentyEightTicksAndCurvesToTheEnd) {
    toolkit::SnapshotResult r = runchart("5.12.1985\\r\\x1a14.02.2027\\r");
    ASSERT_TRUE(r.images[1].has_value());
    EXPECT_EQ(std::tuple(ticks(r).size(), ticks(r).back(), pixel(r, 1275, 600)),
              std::tuple(28u, 1155, red));
}

// A forecast before the birth gives a negative total and still a chart.
TEST(Chart, AForecastBeforeTheBirthGivesANegativeTotal) {
    toolkit::SnapshotResult r = runchart("1.1.20\\r\\x1a01.01.1919\\r");
    EXPECT_EQ(line(r, 4).substr(0, 27), "Geburtsdatum   : 01.01.1920");
    EXPECT_EQ(line(r, 11), "1.1.1920 bis 01.01.1919 = -365 Tage.");
    ASSERT_TRUE(r.images[1].has_value());
    EXPECT_EQ(pixel(r, 0, 779), white);
}

// Empty inputs are today, and on the day of birth every cycle stands at 50 %.
TEST(Chart, EmptyInputsAreTodayAndOnTheBirthdayEveryCycleIsAtHalf) {
    toolkit::SnapshotResult r = runchart("\\r\\r");
    EXPECT_EQ(line(r, 4).substr(0, 40), "Geburtsdatum   : 06.12.2026 (Sonntag) 73");
    EXPECT_EQ(line(r, 11), "6.12.2026 bis 06.12.2026 = 0 Tage.");
    EXPECT_EQ(line(r, 13), "Am 06.12.2026: Physisch = 50%, Emotional = 50%, Mental = 50%.");
}

// A birth date pasted (Control-V) with blanks around it or an invisible character inside is the
// date as typed.
TEST(Chart, APastedBirthDateKeepsEveryDigit) {
    for (const char* pasted : {" 05.12.1985 ", "05.12.\u200B1985", "\t05.12.1985\u00A0"}) {
        platform::pasteboardsetstring(pasted);
        const toolkit::SnapshotResult r = runchart("\\x16\\r\\x1a05.12.2026\\r");
        EXPECT_EQ(line(r, 4).substr(0, 27), "Geburtsdatum   : 05.12.1985") << pasted;
    }
}
