#include "toolkit/applicationmenu.h"

#include "base/programname.h"
#include "core/appdelegate.h"
#include "core/programlifecycle.h"
#include "display/bell.h"
#include "platform/platform.h"

namespace toolkit {

void addapplicationmenu() {
    const std::string name = base::programname();
    platform::Menu menu = platform::mainmenuprepend(name);
    platform::MenuItem restart = platform::menuappendcommand(menu, "Programm neu starten", "r", [] {
        if (!core::restartprogram()) {
            display::bell();
        }
    });
    platform::menuitemsetenabled(restart, core::launchfinished() && !core::programrunning());
    platform::menuappendseparator(menu);
    platform::menuappendcommand(menu, name + " beenden", "q", [] { platform::quitapplication(0); });
    core::setprogramstatehandler([restart](bool running) {
        platform::postonmain(
            [restart, running] { platform::menuitemsetenabled(restart, !running); });
    });
}

} // namespace toolkit
