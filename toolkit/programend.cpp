// t_QuitProgram: the end of a program's thread, with its closing message.
#include "base/clock.h"
#include "base/log.h"
#include "core/lookup.h"
#include "core/process.h"
#include "quorvinthal/toolkit.h"

#include <string>

void t_QuitProgram(uint8_t n) {
    std::string line = "t_QuitProgram: Quitting current thread";
    if (core::getwindow(n) != nullptr) {
        t_FullArea(n);
        t_CursorEnd(n);
        t_Htab(n, 1);
        t_DisplayMode(n, t_DisplayPlain);
        t_Normal(n);
        t_Color(n, t_Red);
        t_Print(n, "(Programm Ende)");
        t_WindowUpdate(n, false);
        base::sleepmilliseconds(100);
        line += " with message in window #" + std::to_string(n);
    }
    base::logline(line + ".");
    core::exitcurrentthread();
}
