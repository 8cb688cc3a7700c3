#include "toolkit/desktop.h"

#include "core/appdelegate.h"
#include "core/programlifecycle.h"
#include "core/termination.h"
#include "toolkit/identity.h"
#include "toolkit/setup.h"

namespace toolkit {

int rundesktop(int& argc, char** argv, core::ProgramEntry program, void (*nostart)()) {
    platform::initapplication(argc, argv, nostart);
    platform::preparestart();
    announceidentity();
    setup();
    core::setprogramentry(std::move(program));
    platform::AppCallbacks callbacks;
    callbacks.applicationwillfinishlaunching = core::applicationwillfinishlaunching;
    callbacks.applicationdidfinishlaunching = core::applicationdidfinishlaunching;
    callbacks.applicationdidbecomeactive = core::applicationdidbecomeactive;
    callbacks.applicationwillresignactive = core::applicationwillresignactive;
    callbacks.applicationwillterminate = core::applicationwillterminate;
    return platform::runapplication(callbacks);
}

} // namespace toolkit
