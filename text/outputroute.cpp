#include "text/outputroute.h"

#include "base/log.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"
#include "unicode/strings.h"

namespace text {

bool routedtowindow(const char* command, uint8_t n, const display::t_Window& w, uint8_t c) {
    int64_t route = w.TextRedirectOutput;
    if (route == t_OutputWindow && display::textready(w)) {
        return true;
    }
    if (route == t_OutputStdout) {
        base::writeoutput(unicode::scalartext(c));
    } else if (route == t_OutputWindow) {
        display::lognotinitialized(command, n);
    }
    return false;
}

} // namespace text

void t_RedirectOutput(uint8_t n, int64_t target) {
    if (display::t_Window* w = display::initializedwindow("t_RedirectOutput", n)) {
        w->TextRedirectOutput = target;
    }
}
