// The main() of every test program: the offscreen application on the main thread, the bundle
// of this build, then the tests. Tests that need the toolkit call setuptoolkit() themselves.
#include "core/bundle.h"
#include "platform/platform.h"
#include "quorvinthal/toolkit.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

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
