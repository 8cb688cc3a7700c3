#include "app/cycleprogram.h"

#include "app/calendar.h"
#include "app/century.h"
#include "app/cycles.h"
#include "app/dateformat.h"
#include "app/datetext.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <string>

namespace {

constexpr uint8_t textwindow = 0;
constexpr uint8_t chartwindow = 1;
constexpr int64_t blank = 32;
constexpr int64_t chartwidth = 1280;

// Text goes to the first window made; it is read anew before every text command.
uint8_t w() {
    return t_FirstWindow();
}

// The three cycles in drawing order, with their palette colours.
struct Cycle {
    int64_t period;
    int64_t colour;
};
constexpr Cycle cycles[] = {
    {emotionalperiod, t_Lime}, {mentalperiod, t_Blue}, {physicalperiod, t_Red}};

void setup() {
    t_InitWindow(textwindow, 24, 80, 25, 16, t_FontBold16x32);
    t_InitWindow(chartwindow, 4, false, chartwidth, 800, 16, 16, t_Font{}, true);
    t_Color(textwindow, t_Orange);
    t_CursorHome(w());
    t_ClearEndOfWindow(w());
    t_WindowCenter(textwindow);
    t_WindowFront(textwindow);
    t_Header(w(), applicationname, credittext);
    t_WindowFont(w(), t_LoadFontResource(t_FontRegular16x32));
    t_TextLine(w());
    t_Cr(w());
    t_Vtab(w(), 4);
    t_Htab(w(), 40);
    t_Print(w(), "(z.B. " + todaytext() + ")");
    t_Cr(w());
}

bool acceptable(const std::string& date) {
    DateParts d = splitdate(date);
    return d.day >= 1 && d.day <= daysinmonth(d.month, d.year);
}

int64_t daynumberof(const std::string& date) {
    DateParts d = splitdate(date);
    return daynumber(d.day, d.month, d.year);
}

void printdateline(int64_t line, const std::string& label, const std::string& date, int64_t n) {
    t_Vtab(w(), line);
    t_Print(w(), label + datefromdaynumber(n) + " (" + weekdayname(weekday(date)) + ") ");
    t_Print(w(), formatnumber(n + 3, blank, 0, true) + " Tage nach Christi Geburt.");
    t_Cr(w());
}

std::string askbirthdate() {
    std::string date;
    do {
        t_Vtab(w(), 4);
        t_PrintSpc(w(), 39);
        t_Htab(w(), 1);
        date = checkdate(t_InputForm(w(), "Geburtsdatum   : ", "", false, t_InputText, 10));
    } while (!acceptable(date));
    return withcentury(date);
}

std::string askforecastdate() {
    std::string date;
    do {
        t_Vtab(w(), 5);
        date =
            checkdate(t_InputForm(w(), "Vorhersagedatum: ", todaytext(), false, t_InputText, 10));
    } while (!acceptable(date));
    return date;
}

void drawframe(const DateParts& forecast, const t_Font& labelfont) {
    t_ColorBorder(chartwindow, t_Black);
    t_WindowVisible(chartwindow, true);
    t_Color(chartwindow, t_White);
    g_Line(chartwindow, 0, 779, 1279, 779);
    g_Line(chartwindow, 0, 780, 1279, 780);
    int64_t days = daysinmonth(forecast.month, forecast.year);
    for (int64_t i = 1; i <= days; ++i) {
        int64_t x = daycolumn(i);
        g_Line(chartwindow, x, 777, x, 779);
        std::string label = std::to_string(i);
        // Centred under its tick, but a label that would cross the right edge ends at it.
        const int64_t width = labelfont.Width * static_cast<int64_t>(label.size());
        g_GotoXY(chartwindow, std::min(x - width / 2, chartwidth - width), 783);
        g_PrintString(chartwindow, label, 1, 1, t_PaletteColor(t_White), t_PaletteColor(t_Black),
                      labelfont);
    }
}

void printlegend() {
    t_Color(w(), t_Red);
    t_Print(w(), "Rot  = Physisch (körperlich)");
    t_Cr(w());
    t_Color(w(), t_Lime);
    t_Print(w(), "Grün = Emotional (gefühlsmäßig)");
    t_Cr(w());
    t_Color(w(), t_Blue);
    t_Print(w(), "Blau = Mental (geistig)");
    t_Cr(w());
    t_Color(w(), t_Orange);
    t_Cr(w());
}

void plotblock(int64_t x, int64_t h) {
    g_Plot(chartwindow, x, h);
    g_Plot(chartwindow, x, h + 1);
    g_Plot(chartwindow, x + 1, h);
    g_Plot(chartwindow, x + 1, h + 1);
}

void drawcurves(int64_t dayslived, int64_t forecastday) {
    t_Color(chartwindow, t_White);
    int64_t marker = daycolumn(forecastday);
    for (int64_t y = 0; y <= 777; y += 3) {
        g_Plot(chartwindow, marker, y);
    }
    int64_t baseday = dayslived - forecastday;
    double phases[3];
    for (int c = 0; c < 3; ++c) {
        phases[c] = cyclebasephase(baseday, cycles[c].period);
    }
    for (int64_t x = 5; x <= 1274; ++x) {
        for (int c = 0; c < 3; ++c) {
            int64_t h = cycleheight(cyclephaseatcolumn(phases[c], cycles[c].period, x));
            t_Color(chartwindow, cycles[c].colour);
            plotblock(x, h);
        }
    }
}

// The forecast day's three values, as the text window prints them and the chart's description
// says them.
struct Percentages {
    std::string physical, emotional, mental;
};

Percentages percentages(int64_t dayslived, int64_t forecastday) {
    auto percent = [&](int64_t period) {
        return std::to_string(forecastpercentage(dayslived, forecastday, period));
    };
    return {percent(physicalperiod), percent(emotionalperiod), percent(mentalperiod)};
}

void printpercentages(const std::string& forecast, const Percentages& p) {
    t_Print(w(), "Am " + forecast + ": Physisch = " + p.physical + "%, Emotional = " + p.emotional +
                     "%, Mental = " + p.mental + "%.");
    t_Cr(w());
}

// The chart in one sentence for a screen reader.
void describechart(const DateParts& f, const std::string& forecast, const Percentages& p) {
    t_WindowDescription(chartwindow, "Biorhythmus für " + monthname(f.month) + " " +
                                         std::to_string(f.year) + ": am " + forecast +
                                         " Physisch " + p.physical + " %, Emotional " +
                                         p.emotional + " %, Mental " + p.mental + " %.");
}

} // namespace

void cycleprogram() {
    t_Font labelfont = t_LoadFontResource(t_FontBold8x16);
    setup();
    std::string birth = askbirthdate();
    int64_t nb = daynumberof(birth);
    printdateline(4, "Geburtsdatum   : ", birth, nb);
    std::string forecast = askforecastdate();
    int64_t nf = daynumberof(forecast);
    printdateline(5, "Vorhersagedatum: ", forecast, nf);
    t_Cr(w());
    DateParts f = splitdate(forecast);
    t_WindowTitle(chartwindow, "Quorvinthal für den " + datefromdaynumber(nf) +
                                   " (Geburtsdatum: " + datefromdaynumber(nb) + ")");
    drawframe(f, labelfont);
    int64_t dayslived = nf - nb;
    printlegend();
    t_Print(w(), birth + " bis " + forecast + " = " + formatnumber(dayslived, blank, 0, true) +
                     " Tage.");
    t_Cr(w());
    t_Cr(w());
    drawcurves(dayslived, f.day);
    const Percentages values = percentages(dayslived, f.day);
    printpercentages(forecast, values);
    describechart(f, forecast, values);
    t_WindowUpdate(chartwindow, false);
    t_QuitProgram(textwindow);
}
