#include "toolkit/desktop.h"

#include "core/appdelegate.h"
#include "core/programlifecycle.h"
#include "core/termination.h"
#include "toolkit/setup.h"

namespace toolkit {

int rundesktop(int& argc, char** argv, core::ProgramEntry program) {
    platform::initapplication(argc, argv);
    setup();
    core::setprogramentry(std::move(program));
    platform::AppCallbacks callbacks;
    callbacks.willFinishLaunching = core::applicationwillfinishlaunching;
    callbacks.didFinishLaunching = core::applicationdidfinishlaunching;
    callbacks.didBecomeActive = core::applicationdidbecomeactive;
    callbacks.willResignActive = core::applicationwillresignactive;
    callbacks.willTerminate = core::applicationwillterminate;
    return platform::runapplication(callbacks);
}

} // namespace toolkit
