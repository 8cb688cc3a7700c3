// The main() of every test program: the offscreen application on the main thread, the resource
// folder of this build and the chart program's name, then the tests. Tests that need the toolkit
// call setuptoolkit() themselves.
#include "base/programname.h"
#include "display/resources.h"
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
    display::setresourcefolders({QV_DATA_DIR});
    base::setprogramname("Quorvinthal"); // the chart program's name, which the tests expect
    int result = RUN_ALL_TESTS();
    // Toolkit threads (the auto-update loop, programs still waiting) run for the life of the
    // process; leave without destroying the state they use. Sanitizer reports are printed as
    // they happen, and ctest fails a test whose output holds one.
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(result);
}
