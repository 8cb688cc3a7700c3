#include "toolkit/setup.h"

#include "core/appdelegate.h"
#include "core/bridge.h"
#include "display/handlers.h"
#include "display/videomemory.h"
#include "input/handlers.h"
#include "toolkit/applicationmenu.h"
#include "ui/filemenu.h"
#include "ui/handlers.h"
#include "ui/menustartup.h"
#include "ui/textwindows.h"

#include <mutex>

namespace toolkit {

namespace {

platform::Handlers handlers() {
    platform::Handlers h;
    display::addhandlers(h);
    input::addhandlers(h);
    ui::addhandlers(h);
    return h;
}

// The menus, then the pasteboard window, before the memory is ready; the menus of the toolkit's
// own commands.
void registeronce() {
    static std::once_flag once;
    std::call_once(once, [] {
        display::addmemorystartupstep(ui::menustartup);
        display::addmemorystartupstep(ui::pasteboardstartup);
        core::onmain([] {
            ui::addfilemenu(); // both go in front: the application menu first
            addapplicationmenu();
        });
    });
}

} // namespace

void setup(const platform::InterfaceOmissions& omit) {
    core::connectoutlets(platform::buildinterface(omit));
    platform::sethandlers(handlers());
    registeronce();
}

} // namespace toolkit
