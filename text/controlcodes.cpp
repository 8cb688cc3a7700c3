// t_PrintControl: the actions of the control codes 0 ... 31.
#include "display/bell.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"
#include "text/outputroute.h"

#include <array>

namespace text {

namespace {

using ControlAction = void (*)(uint8_t n, display::t_Window& w);

struct ControlCode {
    uint8_t code;
    ControlAction action;
};

template <void (*Command)(uint8_t)> void run(uint8_t n, display::t_Window&) {
    Command(n);
}

template <int64_t Mode> void setmode(uint8_t, display::t_Window& w) {
    w.TextDisplayMode = Mode;
}

void ring(uint8_t, display::t_Window&) {
    display::bell();
}

void homeandclear(uint8_t n, display::t_Window&) {
    t_CursorHome(n);
    t_ClearEndOfWindow(n);
}

void tofirstcolumn(uint8_t n, display::t_Window&) {
    t_Htab(n, 1);
}

void clearline(uint8_t n, display::t_Window&) {
    t_Htab(n, 1);
    t_ClearEndOfLine(n);
}

// The codes that act; the others have no meaning.
constexpr auto controlcodes = std::to_array<ControlCode>({
    {7, ring},
    {8, run<t_CursorLeft>},
    {10, run<t_CursorDown>},
    {11, run<t_ClearEndOfWindow>},
    {12, homeandclear},
    {13, run<t_Cr>},
    {14, run<t_Normal>},
    {15, run<t_Inverse>},
    {17, run<t_Reverse>},
    {18, tofirstcolumn},
    {19, setmode<t_DisplayPlain>},
    {20, setmode<t_DisplayUpperHalf>},
    {22, run<t_ScrollDown>},
    {23, run<t_ScrollUp>},
    {25, run<t_CursorHome>},
    {26, clearline},
    {27, setmode<t_DisplayCommand>},
    {28, run<t_CursorRight>},
    {29, run<t_ClearEndOfLine>},
    {30, run<t_CursorUp>},
    {31, setmode<t_DisplaySymbols>},
});

void controlaction(uint8_t n, display::t_Window& w, uint8_t code) {
    for (const ControlCode& entry : controlcodes) {
        if (entry.code == code) {
            entry.action(n, w);
            return;
        }
    }
}

} // namespace

} // namespace text

void t_PrintControl(uint8_t n, uint8_t code) {
    display::t_Window* w = display::numberedwindow("t_PrintControl", n);
    if (w != nullptr && text::routedtowindow("t_PrintControl", n, *w, code)) {
        text::controlaction(n, *w, code);
    }
}
