#include "core/appdelegate.h"
#include "core/bridge.h"
#include "core/lookup.h"
#include "core/threads.h"
#include "events/devicestate.h"
#include "events/queues.h"
#include "platform/qtinternal.h"
#include "tests/support/inputhelpers.h"
#include "ui/mouseevents.h"

namespace {

using Pixel = std::pair<int64_t, int64_t>;

std::pair<bool, bool> buttons() {
    return {events::leftmousebutton(), events::rightmousebutton()};
}

void smallwindow(uint8_t n) { // borders of 12 beside the picture, 10 above and below
    t_InitWindow(n, 24, false, 320, 200, 12, 10, t_Font{}, true);
}

platform::MouseClick click(double x, double y, platform::MouseButton button = {},
                           int64_t buttons = 1, uint64_t modifiers = 0) {
    return platform::MouseClick{x, y, button, buttons, modifiers};
}

Pixel clickat(uint8_t n, double x, double y) {
    const int64_t before = events::mousequeue().count();
    core::onmain([&] { t_MouseEventHandler(n, click(x, y), x, y); });
    if (events::mousequeue().count() != before + 1) {
        return {-99, -99};
    }
    const t_Event event = events::mousequeue().pending().back();
    return {event.ClickX, event.ClickY};
}

} // namespace

PROGRAM_TEST(MouseEvents, PositionsBecomeImagePixelsOrBesideMarkersAndViewClicksSetTheButtons) {
    smallwindow(0);
    EXPECT_FALSE(events::mousequeue().available());
    // Beside the picture: -1 left of or below it, -2 right of or above it; positions are cut.
    const std::tuple<double, double, int64_t, int64_t> clicks[]{
        {12, 209, 0, 1},        {11, 100, -1, 110}, {332, 100, -2, 110},
        {331.9, 100, 319, 110}, {100, 211, 88, -1}, {100, 10, 88, -2},
        {100, 10.5, 88, -2},    {100, 210, 88, 0},  {100, 11, 88, 199}};
    for (auto [x, y, clickx, clicky] : clicks) {
        EXPECT_EQ(clickat(0, x, y), Pixel(clickx, clicky)) << x << " " << y;
    }
    const t_Event e = events::mousequeue().pending().back();
    EXPECT_EQ(std::tie(e.Kind, e.WindowX, e.WindowY, e.Window, e.Value, e.Description, e.CloseBox),
              std::tuple(2, 100, 11, 0, 0, "", false));
    // The handler takes them in order of arrival; the flag follows the queue.
    t_Event event;
    for (int64_t y : {209, 100, 100, 100, 211, 10, 10, 210, 11}) {
        EXPECT_TRUE(events::mousequeue().available());
        ASSERT_TRUE(t_TakeMouseEvent(event));
        EXPECT_EQ(event.WindowY, y);
    }
    EXPECT_FALSE(events::mousequeue().available());
    EXPECT_FALSE(t_TakeMouseEvent(event));
    // View clicks land on the image pixel under the pointer and set the button flags.
    sendmouse(0, QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton);
    sendmouse(0, QEvent::MouseButtonRelease, {0, 0}, Qt::LeftButton);
    sendmouse(0, QEvent::MouseButtonPress, {319.5, 199.5}, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(events::mousequeue().count(), 2);
    const t_Event a = events::mousequeue().pending()[0];
    const t_Event b = events::mousequeue().pending()[1];
    EXPECT_EQ(std::tie(a.ClickX, a.ClickY, a.WindowX, a.WindowY, a.Index),
              std::tuple(0, 0, 12, 210, 1));
    EXPECT_EQ(std::tie(b.ClickX, b.ClickY, b.ShiftPressed, b.Mods), // Shift: bit 17 of flags
              std::tuple(319, 199, true, 2));
    EXPECT_EQ(buttons(), std::pair(true, false));
    // The right button sets bit 1 of Index and its flag until mouse up.
    sendmouse(0, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
    ASSERT_EQ(events::mousequeue().count(), 3);
    EXPECT_EQ(events::mousequeue().pending()[2].Index & 3, 2);
    EXPECT_EQ(buttons(), std::pair(false, true));
    sendmouse(0, QEvent::MouseButtonPress, {6, 6}, Qt::MiddleButton); // not the toolkit's
    EXPECT_EQ(events::mousequeue().count(), 3);
    EXPECT_TRUE(events::rightmousebutton());
    sendmouse(0, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton);
    EXPECT_EQ(buttons(), std::pair(false, false));
    // Ignored or uninitialised windows queue nothing but set the flags.
    windowrecord(0).IgnoreEvents = true;
    LogCapture log;
    ui::viewmousedown(0, click(50, 50, platform::MouseButton::Right, 2));
    EXPECT_TRUE(foregroundlines(log).empty());
    EXPECT_EQ(std::tuple(events::mousequeue().count(), events::rightmousebutton()),
              std::tuple(3, true));
    ui::viewmousedown(3, click(50, 50));
    EXPECT_EQ(foregroundlines(log), Lines{"viewMouseDown: Graphic window (3) not initialized."});
    EXPECT_EQ(std::tuple(events::mousequeue().count(), buttons()),
              std::tuple(3, std::pair(true, false)));
}

PROGRAM_TEST(MouseEvents, EachClickRunsTheHandlerAndCloseBoxesHideWindows) {
    std::atomic<int> onmousethread{0}, runs{0};
    t_SetMouseHandler([&] {
        onmousethread += core::currentthreadname() == "t_EventMouse";
        ++runs;
    });
    smallwindow(2);
    LogCapture log;
    core::onmain([] { t_MouseEventHandler(2, click(12, 209), 12, 209); });
    core::onmain([] { t_MouseEventHandler(9, click(5.7, 6.2), 5.7, 6.2); });
    core::onmain([] { t_MouseEventHandler(3, click(5, 6), 5, 6); });
    const std::string calling = "t_MouseEventHandler: Calling program mouse handler "
                                "asynchronously.";
    EXPECT_EQ(foregroundlines(log),
              (Lines{"t_MouseEventHandler: Graphic #2 window, X = 0, Y = 1", calling,
                     "t_MouseEventHandler: Unknown window, AbsX = 5, AbsY = 6",
                     "t_MouseEventHandler:  window, X = -3, Y = -3", calling,
                     "t_MouseEventHandler: Window #3 not initialized.",
                     "t_MouseEventHandler:  window, X = -3, Y = -3", calling}));
    EXPECT_EQ(events::mousequeue().count(), 1); // the refused clicks queue nothing
    EXPECT_TRUE(waitfor([&] { return runs == 3; }));
    EXPECT_EQ(onmousethread, 3);
    // Closing hides every toolkit window and logs it.
    smallwindow(1);
    log.clear();
    for (uint8_t n : {1, 9, 12}) {
        t_WindowVisible(n, true);
        platform::Window window = core::getwindow(n);
        core::onmain([&] {
            ASSERT_TRUE(platform::windowisvisible(window));
            platform::windowclose(window);
            EXPECT_FALSE(platform::windowisvisible(window));
        });
    }
    const std::string closed = "t_MouseEventPostCloseBoxClick: Window = ";
    EXPECT_EQ(foregroundlines(log), (Lines{closed + "1", closed + "9", closed + "12"}));
    EXPECT_EQ(std::tuple(windowrecord(1).Visible, windowrecord(1).UpdateDuration),
              std::tuple(false, 0));
    t_WindowVisible(1, true);
    EXPECT_TRUE(isvisible(1) && windowrecord(1).Visible);
    EXPECT_EQ(events::mousequeue().count(), 1); // a close box is no click
    // The main window is the active one, none when all are hidden.
    smallwindow(3);
    makemain(3);
    makemain(10);
    for (uint8_t n = 0; n <= 12; ++n) {
        t_WindowVisible(n, false);
    }
    EXPECT_TRUE(waitfor([] { return core::getmainwindownumber() == 255; }));
}

// Clicks before the memory exists only set the flags. Windows and views by number and back, each
// number the window the interface description made for it; view 7 is missing, and with it its
// window.
TEST(WindowNumbers, ClicksBeforeTheMemoryAndWindowsAndViewsByNumberAndBack) {
    platform::InterfaceOmissions omit;
    omit.views[7] = true;
    runintoolkit(
        [] {
            LogCapture log;
            core::onmain([] { ui::viewmousedown(0, click(50, 50)); });
            EXPECT_EQ(std::tuple(log.lines().size(), events::mousequeue().count(),
                                 events::leftmousebutton()),
                      std::tuple(0u, 0, true));
            const core::AppDelegate& d = core::appdelegate();
            EXPECT_EQ((std::vector{core::getwindow(8), core::getwindow(9), core::getwindow(10),
                                   core::getwindow(11), core::getwindow(12)}),
                      (std::vector{d.PasteboardWindow, d.VirtualPrinterWindow,
                                   d.SystemConsoleWindow, d.PreferencesWindow, d.MainWindow}));
            const std::string special[] = {"PasteboardWindow", "VirtualPrinterWindow",
                                           "SystemConsoleWindow", "PreferencesWindow",
                                           "MainWindow"};
            for (uint8_t n : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12}) {
                const platform::Window window = core::getwindow(n);
                EXPECT_EQ(core::getwindownumber(window), n);
                EXPECT_EQ(core::onmain([window] {
                              return platform::qt(window)->objectName().toStdString();
                          }),
                          n < 8 ? "GraphicWindow" + std::to_string(n) : special[n - 8]);
            }
            for (uint8_t n : {7, 13, 255}) {
                EXPECT_EQ(core::getwindow(n), nullptr) << int(n);
            }
            EXPECT_EQ((std::vector<bool>{core::getview(0) != nullptr, core::getview(7) != nullptr,
                                         core::getview(8) != nullptr}),
                      (std::vector<bool>{true, false, false}));
            EXPECT_EQ(core::getwindownumber(nullptr), 255);
            auto stranger =
                core::onmain([] { return reinterpret_cast<platform::Window>(new QWidget); });
            EXPECT_EQ(core::getwindownumber(stranger), 255);
        },
        omit);
}
