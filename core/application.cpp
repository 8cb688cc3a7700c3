#include "core/application.h"

#include "core/appdelegate.h"
#include "core/handlers.h"

void setuptoolkitapplication(int& argc, char** argv, const platform::InterfaceOmissions& omit) {
    platform::initapplication(argc, argv);
    connectoutlets(platform::buildinterface(omit));
    platform::sethandlers(toolkithandlers());
}

int runtoolkitapplication(int& argc, char** argv, ProgramEntry entry) {
    setuptoolkitapplication(argc, argv);
    setprogramentry(std::move(entry));
    platform::AppCallbacks callbacks;
    callbacks.willFinishLaunching = applicationWillFinishLaunching;
    callbacks.didFinishLaunching = applicationDidFinishLaunching;
    callbacks.didBecomeActive = applicationDidBecomeActive;
    callbacks.willResignActive = applicationWillResignActive;
    callbacks.willTerminate = applicationWillTerminate;
    return platform::runapplication(callbacks);
}
