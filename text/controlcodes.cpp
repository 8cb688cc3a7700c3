// t_PrintControl: the actions of the control codes 0 ... 31.
#include "base/log.h"
#include "display/bell.h"
#include "quorvinthal/toolkit.h"
#include "text/displaymode.h"
#include "text/textchecks.h"
#include "unicode/strings.h"

namespace text {

namespace {

void controlaction(uint8_t n, uint8_t code) {
    display::t_Window& w = display::windowrecord(n);
    switch (code) {
    case 7:
        display::bell();
        break;
    case 8:
        t_CursorLeft(n);
        break;
    case 10:
        t_CursorDown(n);
        break;
    case 11:
        t_ClearEndOfWindow(n);
        break;
    case 12:
        t_CursorHome(n);
        t_ClearEndOfWindow(n);
        break;
    case 13:
        t_Cr(n);
        break;
    case 14:
        t_Normal(n);
        break;
    case 15:
        t_Inverse(n);
        break;
    case 17:
        t_Reverse(n);
        break;
    case 18:
        t_Htab(n, 1);
        break;
    case 19:
        w.TextDisplayMode = t_DisplayPlain;
        break;
    case 20:
        w.TextDisplayMode = t_DisplayUpperHalf;
        break;
    case 22:
        t_ScrollDown(n);
        break;
    case 23:
        t_ScrollUp(n);
        break;
    case 25:
        t_CursorHome(n);
        break;
    case 26:
        t_Htab(n, 1);
        t_ClearEndOfLine(n);
        break;
    case 27:
        w.TextDisplayMode = t_DisplayCommand;
        break;
    case 28:
        t_CursorRight(n);
        break;
    case 29:
        t_ClearEndOfLine(n);
        break;
    case 30:
        t_CursorUp(n);
        break;
    case 31:
        w.TextDisplayMode = t_DisplaySymbols;
        break;
    default:
        break; // the other codes have no meaning
    }
}

} // namespace

} // namespace text

void t_PrintControl(uint8_t n, uint8_t code) {
    if (n >= t_GraphicWindows) {
        base::logline("t_PrintControl: Window is not a graphic window.");
        return;
    }
    int64_t redirect = display::memoryready() ? display::windowrecord(n).TextRedirectOutput.load()
                                              : t_OutputWindow;
    if (redirect == t_OutputWindow && display::textwindowready(n)) {
        text::controlaction(n, code);
    } else if (redirect == t_OutputStdout) {
        base::writeoutput(unicode::scalartext(code));
    } else if (redirect == t_OutputWindow) {
        base::logline("t_PrintControl: Window #" + std::to_string(n) + " not initialized.");
    }
}
