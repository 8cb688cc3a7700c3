// The main() of every test program: the offscreen application on the main thread, the bundle
// of this build, then the tests. Tests that need the toolkit call setuptoolkit() themselves.
#include "core/bundle.h"
#include "platform/platform.h"

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    platform::initapplication(argc, argv);
    setbundlepath(QV_BUNDLE_DIR);
    return RUN_ALL_TESTS();
}
