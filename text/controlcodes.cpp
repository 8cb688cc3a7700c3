#include "text/print.h"

#include "core/log.h"
#include "display/bell.h"
#include "input/strings.h"
#include "text/cursor.h"
#include "text/displaymode.h"
#include "text/scroll.h"
#include "text/textchecks.h"

namespace {

void controlaction(uint8_t n, uint8_t code) {
    t_Window& w = windowrecord(n);
    switch (code) {
    case 7:
        bell();
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
        w.TextDisplayMode = 0;
        break;
    case 20:
        w.TextDisplayMode = 1;
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
        w.TextDisplayMode = 99;
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
        w.TextDisplayMode = 2;
        break;
    default:
        break; // the other codes have no meaning
    }
}

} // namespace

void t_PrintControl(uint8_t n, uint8_t code) {
    if (n >= graphicwindowcount) {
        logline("t_PrintControl: Window is not a graphic window.");
        return;
    }
    int64_t redirect = memoryready ? windowrecord(n).TextRedirectOutput.load() : 1;
    if (redirect == 1 && textwindowready(n)) {
        controlaction(n, code);
    } else if (redirect == 2) {
        writeoutput(scalartext(code));
    } else if (redirect == 1) {
        logline("t_PrintControl: Window #" + std::to_string(n) + " not initialized.");
    }
}
