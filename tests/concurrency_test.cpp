// Rendering on the main thread while the program thread draws, prints, scrolls and re-creates
// windows. These run in every build; under ThreadSanitizer they prove the shared state race-free.
#include "core/process.h"
#include "display/render.h"
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/displayhelpers.h"
#include "tests/support/logcapture.h"
#include "tests/support/testfonts.h"
#include "tests/support/toolkit.h"

#include <atomic>
#include <gtest/gtest.h>

TEST(Concurrency, RenderingAndAutoUpdateWhileTheProgramDrawsAndRecreatesWindows) {
    setuptoolkit();
    LogCapture log;
    std::atomic<bool> ready{false}, done{false};
    core::startprocess(
        [&] {
            t_InitWindow(0, 24, true, 1280, 800, 16, 16, makegreyfont(16, 32), true);
            t_WindowVisible(0, true);
            ready = true;
            for (int round = 0; round < 20; ++round) {
                graphicwindow(1, 4, 640, 400);
                for (int y = 0; y < 800; y += 7) {
                    g_Line(0, 0, y, 1279, 799 - y);
                }
                t_Print(0, "Zeile " + std::to_string(round) + "\r");
                t_ScrollUp(0);
                t_WindowUpdate(0, true);
            }
            done = true;
        },
        core::programstacksize);
    ASSERT_TRUE(platform::runeventsuntil([&] { return ready.load(); }, 20000));
    // Window 0 rendered as fast as the main thread can until the program is done.
    int frames = 0;
    platform::Image image;
    platform::runeventsuntil(
        [&] {
            frames += display::windowimageinto(0, image) ? 1 : 0;
            return done.load();
        },
        60000);
    EXPECT_TRUE(done);
    EXPECT_GT(frames, 0);
    // The auto-update thread and the views read the record while it changes.
    EXPECT_TRUE(runprogram(
        [] {
            t_InitWindow(0, 8, true, 640, 400, 0, 0, makegreyfont(8, 16), true);
            t_WindowVisible(0, true);
            for (int i = 0; i < 300; ++i) {
                display::windowrecord(0).RefreshRate = i % 2 == 0 ? 1000 : 0;
                t_Print(0, "abcdefghij");
                g_Plot(0, i, i);
            }
            t_WindowVisible(0, false);
        },
        60000));
}
