#include "base/tables.h"
#include "core/appdelegate.h"
#include "core/bridge.h"
#include "core/process.h"
#include "core/termination.h"
#include "core/threads.h"
#include "tests/support/testing.h"

TEST(CharacterTables, HexValuesDigitsAndLatin1Cases) {
    LogCapture log;
    base::initkqtools();
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"initkqtools: Start.", "initkqtools: End."}));
    EXPECT_TRUE(base::toolkitready());
    const base::CharacterTables& t = base::charactertables();
    for (auto [c, value] : {std::pair{'7', 7}, {'c', 12}, {'C', 12}, {'G', -1}, {'/', -1}}) {
        EXPECT_EQ(t.hexvalue[static_cast<uint8_t>(c)], value) << c;
    }
    for (int c = 128; c < 256; ++c) {
        EXPECT_EQ(t.hexvalue[c], -1) << c;
    }
    EXPECT_EQ(std::pair(t.hexdigit[10], t.hexdigit[9]), std::pair('A', '9'));
    // ä and Ä are partners, å and the multiplication and division signs have none.
    const int cases[][3]{{228, 196, 228}, {196, 196, 228}, {229, 229, 229}, {197, 197, 197},
                         {'a', 'A', 'a'}, {'Z', 'Z', 'z'}, {247, 247, 247}, {215, 215, 215}};
    for (auto [c, upper, lower] : cases) {
        EXPECT_EQ(t.uppercase[c], upper) << c;
        EXPECT_EQ(t.lowercase[c], lower) << c;
    }
    for (int c = '0'; c <= '9'; ++c) {
        EXPECT_EQ(t.uppercase[c], c);
        EXPECT_EQ(t.lowercase[c], c);
    }
}

TEST(ThreadNumbers, ParsesTheDescriptionText) {
    // No comma after the number, or no number at all, gives 0.
    const std::pair<const char*, int64_t> descriptions[]{
        {"<NSThread: 0x1>{number = 5, name = main}", 5},
        {"{number = 12abc, name}", 12},
        {"{number =   42,}", 42},
        {"{number = -  7,}", -7},
        {"{number =    ,}", 0},
        {"{number = 3}", 0},
        {"{thread = 3, name}", 0},
        {"", 0},
        {"{number = 99999999999999999999999,}", 999999999999999999}};
    for (auto [text, number] : descriptions) {
        EXPECT_EQ(core::parsethreadnumber(text), number) << text;
    }
}

// Programs start and end independently of each other and of background work; a start returns
// once the new thread has taken its entry.
TEST(ProgramThread, RunsAsThreadTwoWithAGigabyteStackAndEndsIndependently) {
    EXPECT_EQ(core::currentthreadnumber(), 1);
    // On the main thread the bridge runs inline: a blocking hand-over to the thread that is
    // itself waiting would never return.
    EXPECT_EQ(core::onmain([] { return platform::ismainthread() ? 7 : 0; }), 7);
    setuptoolkit();
    ASSERT_TRUE(runprogram([] {
        EXPECT_GE(stacksizeofthisthread(), size_t{1} << 30);
        EXPECT_EQ(core::currentthreadnumber(), 2);
        core::namecurrentthread("t_WindowAutoUpdate");
        EXPECT_EQ(core::currentthreadname(), "t_WindowAutoUpd");
    }));
    EXPECT_FALSE(core::programstarting());
    std::atomic<int> first{0}, second{0};
    core::startprocess([&] { first = 1; }, core::programstacksize);
    core::startprocess([&] { second = 2; }, core::programstacksize);
    EXPECT_TRUE(platform::runeventsuntil([&] { return first == 1 && second == 2; }, 5000));
    std::atomic<bool> after{false}, innerran{false};
    ASSERT_TRUE(runprogram([&] {
        core::exitcurrentthread();
        after = true;
    }));
    EXPECT_FALSE(after);
    ASSERT_TRUE(runprogram([&] {
        core::startprocess([&] { innerran = true; }, core::programstacksize);
        while (core::programstarting()) {
        }
    }));
    EXPECT_TRUE(platform::runeventsuntil([&] { return innerran.load(); }, 5000));
    std::atomic<bool> release{false}, ran{false};
    core::startbackgroundprocess([&] {
        while (!release) {
        }
        ran = true;
    });
    release = true; // had startbackgroundprocess waited for the task, this line never ran
    EXPECT_TRUE(platform::runeventsuntil([&] { return ran.load(); }, 5000));
}

// The application's end logs its line, then runs the program's handler; without one it runs
// nothing.
TEST(Termination, RunsTheProgramsHandlerAfterItsLine) {
    LogCapture log;
    std::vector<std::vector<std::string>> seen;
    t_SetTerminationHandler([&] { seen.push_back(log.lines()); });
    core::applicationwillterminate();
    t_SetTerminationHandler(nullptr);
    core::applicationwillterminate();
    EXPECT_EQ(seen, (std::vector<std::vector<std::string>>{{"applicationWillTerminate: Called."}}));
    EXPECT_EQ(log.count("applicationWillTerminate: Called."), 2u);
}
