#include "toolkit/setup.h"

#include "core/appdelegate.h"
#include "display/handlers.h"
#include "display/videomemory.h"
#include "input/handlers.h"
#include "ui/handlers.h"
#include "ui/menuactions.h"
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

// The menus, then the pasteboard window, before the memory is ready.
void registerstartupsteps() {
    static std::once_flag once;
    std::call_once(once, [] {
        display::addmemorystartupstep(ui::menustartup);
        display::addmemorystartupstep(ui::pasteboardstartup);
    });
}

} // namespace

void setup(const platform::InterfaceOmissions& omit) {
    core::connectoutlets(platform::buildinterface(omit));
    platform::sethandlers(handlers());
    registerstartupsteps();
}

} // namespace toolkit
