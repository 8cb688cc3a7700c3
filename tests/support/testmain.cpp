// The main() of every test program: the offscreen application on the main thread, the bundle
// of this build, then the tests. Tests that need the toolkit call setuptoolkit() themselves.
#include "core/bundle.h"
#include "platform/platform.h"
#include "quorvinthal/toolkit.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

#if defined(__SANITIZE_THREAD__)
// Qt and the sound server's client library are not built with the thread sanitizer: it synchronises
// its own threads and queues with primitives the sanitizer cannot see, so the allocations, copies
// and thread starts it makes look unordered. Accesses of our own code stay checked, also when Qt
// calls it.
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "called_from_lib:libQt6Multimedia.so.6\n"
           "called_from_lib:libQt6DBus.so.6\n"
           "called_from_lib:libpulse.so.0\n"
           "called_from_lib:libpulsecommon-16.1.so\n";
}
#endif

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    platform::initapplication(argc, argv);
    core::setbundlepath(QV_BUNDLE_DIR);
    int result = RUN_ALL_TESTS();
    // Toolkit threads (the auto-update loop, programs still waiting) run for the life of the
    // process; leave without destroying the state they use. Sanitizer reports are printed as
    // they happen, and ctest fails a test whose output holds one.
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(result);
}
