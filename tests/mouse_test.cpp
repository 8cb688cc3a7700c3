#include "core/appdelegate.h"
#include "core/bridge.h"
#include "core/clock.h"
#include "core/lookup.h"
#include "core/threads.h"
#include "display/initwindow.h"
#include "display/videomemory.h"
#include "display/windowcommands.h"
#include "input/keyevents.h"
#include "tests/support/logcapture.h"
#include "tests/support/toolkit.h"
#include "ui/mouseevents.h"
#include "ui/windownumbers.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <mutex>

namespace {

const t_Font nofont{};
using Pixel = std::pair<int64_t, int64_t>;

void asprogram(const std::function<void()>& body, const platform::InterfaceOmissions& omit = {}) {
    setuptoolkit(omit);
    ASSERT_TRUE(runprogram(body));
}

// Graphic window n with a border of 10 around 320 x 200 pixels.
void smallwindow(uint8_t n) {
    t_InitWindow(n, 24, false, 320, 200, 10, 10, nofont, true);
}

platform::MouseClick click(double x, double y, platform::MouseButton button = {},
                           int64_t buttons = 1, uint64_t modifiers = 0) {
    return platform::MouseClick{x, y, button, buttons, modifiers};
}

Pixel clickat(uint8_t n, double x, double y) {
    const int64_t before = mouseeventcount();
    onmain([&] { t_MouseEventHandler(n, click(x, y), x, y); });
    if (mouseeventcount() != before + 1) {
        return {-99, -99};
    }
    const t_Event event = mouseevents().back();
    return {event.ClickX, event.ClickY};
}

// A press or release of the given button sent to view n as Qt delivers it.
void sendmouse(uint8_t n, QEvent::Type type, QPointF local, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    onmain([&] {
        auto* view = reinterpret_cast<QWidget*>(getview(n));
        Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
        QMouseEvent event(type, local, view->mapToGlobal(local), button, held, modifiers);
        QCoreApplication::sendEvent(view, &event);
    });
}

// The lines of the mouse code, without the auto-update thread's start, which comes at its own
// time.
std::vector<std::string> mouselines(const LogCapture& log) {
    std::vector<std::string> lines;
    for (const std::string& line : log.lines()) {
        if (!line.starts_with("t_WindowAutoUpdateProcess: ")) {
            lines.push_back(line);
        }
    }
    return lines;
}

bool waitfor(const std::function<bool()>& condition) {
    for (int i = 0; i < 2000 && !condition(); ++i) {
        sleepmilliseconds(1);
    }
    return condition();
}

} // namespace

// ---- Click positions ------------------------------------------------------------------------

TEST(MouseEvents, WindowPositionsBecomeImagePixelsOrBesideMarkers) {
    asprogram([] {
        smallwindow(0);
        EXPECT_EQ(clickat(0, 10, 209), Pixel(0, 1));
        EXPECT_EQ(clickat(0, 9, 100).first, ClickBefore);
        EXPECT_EQ(clickat(0, 330, 100).first, ClickAfter);
        EXPECT_EQ(clickat(0, 329.9, 100).first, 319); // truncated, still the last column
        EXPECT_EQ(clickat(0, 100, 211).second, ClickBefore);
        EXPECT_EQ(clickat(0, 100, 10).second, ClickAfter);
        EXPECT_EQ(clickat(0, 100, 10.5).second, ClickAfter);
        EXPECT_EQ(clickat(0, 100, 210).second, 0);
        EXPECT_EQ(clickat(0, 100, 11).second, 199);
        const t_Event last = mouseevents().back();
        EXPECT_EQ(last.Kind, MouseEventKind);
        EXPECT_EQ(last.WindowX, 100);
        EXPECT_EQ(last.WindowY, 11);
        EXPECT_EQ(last.Window, 0);
        EXPECT_EQ(last.Value, 0);
        EXPECT_TRUE(last.Description.empty());
        EXPECT_FALSE(last.CloseBox);
        EXPECT_TRUE(mouseeventavailable());
    });
}

TEST(MouseEvents, EachClickIsReportedAndStartsTheProgramHandler) {
    std::mutex lock;
    std::vector<std::string> threadnames;
    setmousehandler([&] {
        std::lock_guard guard(lock);
        threadnames.push_back(currentthreadname());
    });
    asprogram([&] {
        smallwindow(2);
        LogCapture log;
        onmain([] { t_MouseEventHandler(2, click(10, 209), 10, 209); });
        onmain([] { t_MouseEventHandler(9, click(5.7, 6.2), 5.7, 6.2); });
        onmain([] { t_MouseEventHandler(3, click(5, 6), 5, 6); });
        EXPECT_EQ(mouselines(log), (std::vector<std::string>{
                                       "t_MouseEventHandler: Graphic #2 window, X = 0, Y = 1",
                                       "t_MouseEventHandler: Calling program mouse handler "
                                       "asynchronously.",
                                       "t_MouseEventHandler: Unknown window, AbsX = 5, AbsY = 6",
                                       "t_MouseEventHandler:  window, X = -3, Y = -3",
                                       "t_MouseEventHandler: Calling program mouse handler "
                                       "asynchronously.",
                                       "t_MouseEventHandler: Window #3 not initialized.",
                                       "t_MouseEventHandler:  window, X = -3, Y = -3",
                                       "t_MouseEventHandler: Calling program mouse handler "
                                       "asynchronously.",
                                   }));
        EXPECT_EQ(mouseeventcount(), 1); // the refused clicks queue nothing
        EXPECT_TRUE(waitfor([&] {
            std::lock_guard guard(lock);
            return threadnames.size() == 3;
        }));
        std::lock_guard guard(lock);
        EXPECT_EQ(threadnames, std::vector<std::string>(3, "t_EventMouse"));
    });
}

TEST(MouseEvents, HandlerTakesEventsAndTheFlagFollowsTheQueue) {
    asprogram([] {
        smallwindow(0);
        EXPECT_FALSE(mouseeventavailable());
        clickat(0, 20, 20);
        clickat(0, 30, 30);
        t_Event event;
        ASSERT_TRUE(takemouseevent(event));
        EXPECT_EQ(event.WindowX, 20);
        EXPECT_TRUE(mouseeventavailable());
        ASSERT_TRUE(takemouseevent(event));
        EXPECT_EQ(event.WindowX, 30);
        EXPECT_FALSE(mouseeventavailable());
        EXPECT_FALSE(takemouseevent(event));
    });
}

// ---- Through the view ---------------------------------------------------------------------

TEST(MouseEvents, ViewClicksLandOnTheImagePixelUnderThePointer) {
    asprogram([] {
        smallwindow(0);
        sendmouse(0, QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton);
        sendmouse(0, QEvent::MouseButtonRelease, {0, 0}, Qt::LeftButton);
        sendmouse(0, QEvent::MouseButtonPress, {319.5, 199.5}, Qt::LeftButton, Qt::ShiftModifier);
        ASSERT_EQ(mouseeventcount(), 2);
        const t_Event first = mouseevents()[0];
        const t_Event second = mouseevents()[1];
        EXPECT_EQ(Pixel(first.ClickX, first.ClickY), Pixel(0, 0));
        EXPECT_EQ(first.WindowX, 10);
        EXPECT_EQ(first.WindowY, 210);
        EXPECT_EQ(first.Index, 1);
        EXPECT_EQ(Pixel(second.ClickX, second.ClickY), Pixel(319, 199));
        EXPECT_TRUE(second.ShiftPressed);
        EXPECT_EQ(second.Mods, 2); // Shift: bit 17 of the flags
        EXPECT_TRUE(leftmousebutton);
        EXPECT_FALSE(rightmousebutton);
    });
}

TEST(MouseEvents, RightClickSetsIndexBitOneAndItsFlagUntilMouseUp) {
    asprogram([] {
        smallwindow(0);
        sendmouse(0, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
        ASSERT_EQ(mouseeventcount(), 1);
        EXPECT_EQ(mouseevents()[0].Index & 2, 2);
        EXPECT_EQ(mouseevents()[0].Index & 1, 0);
        EXPECT_TRUE(rightmousebutton);
        EXPECT_FALSE(leftmousebutton);
        sendmouse(0, QEvent::MouseButtonPress, {6, 6}, Qt::MiddleButton); // not the toolkit's
        EXPECT_EQ(mouseeventcount(), 1);
        EXPECT_TRUE(rightmousebutton);
        sendmouse(0, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton);
        EXPECT_FALSE(rightmousebutton);
        EXPECT_FALSE(leftmousebutton);
    });
}

TEST(MouseEvents, IgnoredOrUninitialisedWindowsQueueNothingButSetTheFlags) {
    asprogram([] {
        smallwindow(0);
        windowrecord(0).IgnoreEvents = true;
        LogCapture log;
        viewMouseDown(0, click(50, 50, platform::MouseButton::Right, 2), true);
        EXPECT_TRUE(mouselines(log).empty());
        EXPECT_EQ(mouseeventcount(), 0);
        EXPECT_TRUE(rightmousebutton);
        viewMouseDown(3, click(50, 50), false);
        EXPECT_EQ(mouselines(log),
                  std::vector<std::string>{"viewMouseDown: Graphic window (3) not initialized."});
        EXPECT_EQ(mouseeventcount(), 0);
        EXPECT_TRUE(leftmousebutton);
        EXPECT_FALSE(rightmousebutton);
    });
}

TEST(MouseEvents, ClicksBeforeTheMemoryExistOnlySetTheFlags) {
    setuptoolkit();
    LogCapture log;
    viewMouseDown(0, click(50, 50), false);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(mouseeventcount(), 0);
    EXPECT_TRUE(leftmousebutton);
}

// ---- Close box and window numbers ---------------------------------------------------------

TEST(CloseBox, ClosingHidesEveryToolkitWindowAndItCanBeShownAgain) {
    asprogram([] {
        smallwindow(1);
        t_WindowVisible(1, true);
        t_WindowVisible(9, true);
        t_WindowVisible(12, true);
        LogCapture log;
        for (uint8_t n : {1, 9, 12}) {
            platform::Window window = getwindow(n);
            onmain([&] {
                ASSERT_TRUE(platform::windowisvisible(window));
                platform::windowclose(window);
                EXPECT_FALSE(platform::windowisvisible(window));
            });
        }
        EXPECT_EQ(mouselines(log), (std::vector<std::string>{
                                       "t_MouseEventPostCloseBoxClick: Window = 1",
                                       "t_MouseEventPostCloseBoxClick: Window = 9",
                                       "t_MouseEventPostCloseBoxClick: Window = 12",
                                   }));
        EXPECT_FALSE(windowrecord(1).Visible);
        EXPECT_EQ(windowrecord(1).UpdateDuration, 0);
        t_WindowVisible(1, true);
        EXPECT_TRUE(onmain([] { return platform::windowisvisible(getwindow(1)); }));
        EXPECT_TRUE(windowrecord(1).Visible);
        EXPECT_EQ(mouseeventcount(), 0); // a close box is no click
    });
}

TEST(WindowNumbers, EveryOutletMapsBackToItsNumber) {
    platform::InterfaceOmissions omit;
    omit.views[5] = true;
    omit.preferences = true;
    asprogram(
        [] {
            for (uint8_t n : {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 12}) {
                EXPECT_EQ(getwindownumber(getwindow(n)), n);
            }
            EXPECT_EQ(getwindownumber(nullptr), 255);
            platform::Window stranger = onmain([] {
                auto* widget = new QWidget;
                return reinterpret_cast<platform::Window>(widget);
            });
            EXPECT_EQ(getwindownumber(stranger), 255);
        },
        omit);
}

TEST(WindowNumbers, MainWindowIsTheActiveOne) {
    asprogram([] {
        smallwindow(3);
        t_WindowFront(3);
        EXPECT_TRUE(waitfor([] { return getmainwindownumber() == 3; }));
        t_WindowFront(10);
        EXPECT_TRUE(waitfor([] { return getmainwindownumber() == 10; }));
        for (uint8_t n = 0; n <= 12; ++n) {
            t_WindowVisible(n, false);
        }
        EXPECT_TRUE(waitfor([] { return getmainwindownumber() == 255; }));
    });
}
