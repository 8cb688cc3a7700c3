#include "core/appdelegate.h"
#include "core/bridge.h"
#include "core/lookup.h"
#include "core/process.h"
#include "core/tables.h"
#include "core/threads.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/logcapture.h"
#include "tests/support/toolkit.h"
#include "toolkit/setup.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <pthread.h>

namespace {

size_t stacksizeofthisthread() {
    pthread_attr_t attributes;
    size_t size = 0;
    if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
        pthread_attr_getstacksize(&attributes, &size);
        pthread_attr_destroy(&attributes);
    }
    return size;
}

} // namespace

TEST(CharacterTables, HexValuesAndDigits) {
    LogCapture log;
    core::initkqtools();
    const core::CharacterTables& t = core::charactertables();
    EXPECT_EQ(t.hexvalue['7'], 7);
    EXPECT_EQ(t.hexvalue['c'], 12);
    EXPECT_EQ(t.hexvalue['C'], 12);
    EXPECT_EQ(t.hexvalue['G'], -1);
    EXPECT_EQ(t.hexvalue['/'], -1);
    for (int c = 128; c < 256; ++c) {
        EXPECT_EQ(t.hexvalue[c], -1) << c;
    }
    EXPECT_EQ(t.hexdigit[10], 'A');
    EXPECT_EQ(t.hexdigit[9], '9');
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"initkqtools: Start.", "initkqtools: End."}));
    EXPECT_TRUE(core::toolkitready());
}

TEST(CharacterTables, CaseMappingsFollowLatin1) {
    LogCapture log;
    core::initkqtools();
    const core::CharacterTables& t = core::charactertables();
    EXPECT_EQ(t.uppercase[228], 196); // ä -> Ä
    EXPECT_EQ(t.uppercase[229], 229); // å has no partner here
    EXPECT_EQ(t.lowercase[196], 228);
    EXPECT_EQ(t.lowercase[197], 197);
    EXPECT_EQ(t.uppercase['a'], 'A');
    EXPECT_EQ(t.lowercase['Z'], 'z');
    EXPECT_EQ(t.uppercase[247], 247); // division sign
    EXPECT_EQ(t.lowercase[215], 215); // multiplication sign
    for (int c = '0'; c <= '9'; ++c) {
        EXPECT_EQ(t.uppercase[c], c);
        EXPECT_EQ(t.lowercase[c], c);
    }
}

TEST(ThreadNumbers, ParsesTheDescriptionText) {
    EXPECT_EQ(core::parsethreadnumber("<NSThread: 0x1>{number = 5, name = main}"), 5);
    EXPECT_EQ(core::parsethreadnumber("{number = 12abc, name}"), 12);
    EXPECT_EQ(core::parsethreadnumber("{number =   42,}"), 42);
    EXPECT_EQ(core::parsethreadnumber("{number = -  7,}"), -7);
    EXPECT_EQ(core::parsethreadnumber("{number =    ,}"), 0);
    EXPECT_EQ(core::parsethreadnumber("{number = 3}"), 0);       // no comma after it
    EXPECT_EQ(core::parsethreadnumber("{thread = 3, name}"), 0); // no number at all
    EXPECT_EQ(core::parsethreadnumber(""), 0);
    EXPECT_EQ(core::parsethreadnumber("{number = 99999999999999999999999,}"), 999999999999999999);
}

TEST(ThreadNumbers, MainThreadIsOneAndNamesAreCut) {
    EXPECT_EQ(core::currentthreadnumber(), 1);
    std::atomic<int64_t> other{0};
    std::string name;
    setuptoolkit();
    ASSERT_TRUE(runprogram([&] {
        other = core::currentthreadnumber();
        core::namecurrentthread("t_WindowAutoUpdate");
        name = core::currentthreadname();
    }));
    EXPECT_GE(other, 2);
    EXPECT_EQ(name, "t_WindowAutoUpd");
}

TEST(ProgramThread, RunsWithAGigabyteStack) {
    setuptoolkit();
    size_t stack = 0;
    int64_t number = 0;
    ASSERT_TRUE(runprogram([&] {
        stack = stacksizeofthisthread();
        number = core::currentthreadnumber();
    }));
    EXPECT_GE(stack, size_t{1} << 30);
    EXPECT_EQ(number, 2);
    EXPECT_FALSE(core::programstarting());
}

TEST(ProgramThread, TwoQuickStartsRunTheirOwnEntries) {
    setuptoolkit();
    std::atomic<int> first{0}, second{0};
    core::startprocess([&] { first = 1; }, core::programstacksize);
    core::startprocess([&] { second = 2; }, core::programstacksize);
    EXPECT_TRUE(platform::runeventsuntil([&] { return first == 1 && second == 2; }, 5000));
}

TEST(ProgramThread, StartFromAnotherThreadReturnsAfterCreation) {
    setuptoolkit();
    std::atomic<bool> innerran{false};
    ASSERT_TRUE(runprogram([&] {
        core::startprocess([&] { innerran = true; }, core::programstacksize);
        // The hand-over is complete only once the new thread has taken its entry.
        while (core::programstarting()) {
        }
    }));
    EXPECT_TRUE(platform::runeventsuntil([&] { return innerran.load(); }, 5000));
}

TEST(ProgramThread, ExitCurrentThreadEndsOnlyThatThread) {
    setuptoolkit();
    std::atomic<bool> after{false};
    ASSERT_TRUE(runprogram([&] {
        core::exitcurrentthread();
        after = true;
    }));
    EXPECT_FALSE(after);
    // The application goes on: another program still runs.
    std::atomic<bool> next{false};
    ASSERT_TRUE(runprogram([&] { next = true; }));
    EXPECT_TRUE(next);
}

TEST(BackgroundProcess, RunsConcurrentlyAndReturnsAtOnce) {
    std::atomic<bool> release{false}, ran{false};
    core::startbackgroundprocess([&] {
        while (!release) {
        }
        ran = true;
    });
    release = true; // had startbackgroundprocess waited for the task, this line never ran
    EXPECT_TRUE(platform::runeventsuntil([&] { return ran.load(); }, 5000));
}

TEST(Bridge, RunsInlineOnTheMainThread) {
    // A blocking hand-over to the thread that is itself waiting would never return.
    int value = core::onmain([] { return platform::ismainthread() ? 7 : 0; });
    EXPECT_EQ(value, 7);
}

TEST(Bridge, CallsFromTheProgramThreadTakeEffectInOrder) {
    setuptoolkit();
    platform::Window main = core::appdelegate().MainWindow;
    std::vector<std::string> seen;
    ASSERT_TRUE(runprogram([&] {
        for (int i = 0; i < 20; ++i) {
            core::onmain([&] { platform::windowsettitle(main, "Titel " + std::to_string(i)); });
            seen.push_back(core::onmain([&] { return platform::windowtitle(main); }));
        }
        core::onmain([] { EXPECT_TRUE(platform::ismainthread()); });
    }));
    ASSERT_EQ(seen.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(seen[i], "Titel " + std::to_string(i));
    }
}

TEST(Lookup, WindowsAndViewsByNumber) {
    platform::InterfaceOmissions omit;
    omit.views[7] = true;
    setuptoolkit(omit);
    ASSERT_TRUE(runprogram([&] {
        EXPECT_EQ(core::getwindow(12), core::appdelegate().MainWindow);
        EXPECT_NE(core::getwindow(12), nullptr);
        EXPECT_EQ(core::getwindow(11), core::appdelegate().PreferencesWindow);
        EXPECT_EQ(core::getwindow(8), core::appdelegate().PasteboardWindow);
        EXPECT_EQ(core::getwindow(9), core::appdelegate().VirtualPrinterWindow);
        EXPECT_EQ(core::getwindow(10), core::appdelegate().SystemConsoleWindow);
        EXPECT_NE(core::getview(0), nullptr);
        EXPECT_NE(core::getwindow(0), nullptr);
        EXPECT_NE(core::getwindow(0), core::getwindow(1));
        EXPECT_EQ(core::getview(7), nullptr);
        EXPECT_EQ(core::getwindow(7), nullptr);
        EXPECT_EQ(core::getwindow(13), nullptr);
        EXPECT_EQ(core::getwindow(255), nullptr);
        EXPECT_EQ(core::getview(8), nullptr);
    }));
}

TEST(Application, ClosingTheLastWindowKeepsItRunning) {
    setuptoolkit();
    platform::Window main = core::appdelegate().MainWindow;
    platform::windowshow(main);
    serveevents(20);
    platform::windowclose(main);
    auto start = std::chrono::steady_clock::now();
    serveevents(150); // an application on its way out would leave the event loop early
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(140));
    EXPECT_FALSE(platform::windowisvisible(main));
    std::atomic<bool> ran{false};
    ASSERT_TRUE(runprogram([&] { ran = true; }));
    EXPECT_TRUE(ran);
}

TEST(Application, LaunchSequenceStartsTheProgramOnThreadTwo) {
    LogCapture log;
    int argc = 1;
    char name[] = "core_test";
    char* argv[] = {name, nullptr};
    std::atomic<int64_t> number{0};
    std::atomic<size_t> stack{0};
    int code = toolkit::rundesktop(argc, argv, [&] {
        number = core::currentthreadnumber();
        stack = stacksizeofthisthread();
        platform::quitapplication(0);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(number, 2);
    EXPECT_GE(stack, size_t{1} << 30);
    std::vector<std::string> lines = log.lines();
    std::vector<std::string> expected = {"applicationWillFinishLaunching: Called.",
                                         "applicationDidFinishLaunching: Start.",
                                         "initkqtools: Start.",
                                         "initkqtools: End.",
                                         "Program: Start.",
                                         "applicationDidFinishLaunching: End.",
                                         "applicationWillTerminate: Called."};
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(core::launchfinished());
    EXPECT_EQ(core::currentthreadname(), "AppDelegate");
}
