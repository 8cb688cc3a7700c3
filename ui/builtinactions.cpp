#include "ui/builtinactions.h"

#include "base/lasting.h"
#include "base/log.h"
#include "base/slot.h"
#include "core/bridge.h"
#include "core/lookup.h"
#include "display/bell.h"
#include "display/render.h"
#include "display/videomemory.h"
#include "display/windowcommands.h"
#include "quorvinthal/toolkit.h"
#include "ui/textwindows.h"
#include "ui/windowtext.h"

namespace ui {

namespace {

constexpr int64_t firstgraphicwindowaction = 213;
constexpr int64_t lastgraphicwindowaction = 228;

const std::string printermissing = textviewmissingline(t_WindowPrinter);
const std::string consolemissing = textviewmissingline(t_WindowConsole);

struct WindowActionHook {
    base::Slot<std::function<void()>> closure{display::bell};
};

base::Slot<std::function<void()>>& windowactionhook() {
    return base::lasting<WindowActionHook>().closure;
}

void refuse(const std::string& line) {
    base::logline(line);
    display::bell();
}

void show(uint8_t n) {
    t_WindowFront(n);
}
// The user's hiding never leaves the application without a window to come back to: the last
// window shown goes to the taskbar instead.
void hide(uint8_t n) {
    const platform::Window window = core::getwindow(n);
    const bool last =
        window != nullptr && core::onmain([window] {
            return platform::windowisvisible(window) && platform::shownwindowcount() == 1;
        });
    if (last) {
        core::onmain([window] { platform::windowminimize(window); });
    } else {
        t_WindowVisible(n, false);
    }
}

void opendialog(const t_MenuAction& entry) {
    const std::string path = t_OpenDialog(entry.Title, entry.Note, entry.FileTypes, true, false);
    setmenuactionfile(entry.Tag, path, t_FileNameOfPath(path));
}

void savedialog(const t_MenuAction& entry) {
    const std::string path = t_SaveDialog(entry.FileName, entry.Title, entry.Note, entry.FileTypes);
    setmenuactionfile(entry.Tag, path, t_FileNameOfPath(path));
}

void copypicture(uint8_t n) {
    std::optional<platform::Image> image;
    if (n < t_GraphicWindows) {
        image = t_WindowNSImage(n);
    }
    if (!image) {
        display::bell();
        return;
    }
    core::onmain([&] { platform::pasteboardsetimage(*image); });
}

void copytext(uint8_t n) {
    if (textviewmissing(n)) {
        return refuse(textviewmissingline(n));
    }
    const std::optional<std::string> text = windowtext(n);
    if (!text || text->empty()) {
        display::bell();
        return;
    }
    core::onmain([&] { platform::pasteboardsetstring(*text); });
}

void windowaction(uint8_t n) {
    if (n >= t_GraphicWindows) {
        display::bell();
        return;
    }
    core::onmain(windowactionhook().get());
}

// All windows out of the way, to the taskbar, from where the user brings them back.
void hideall() {
    for (uint8_t n = 0; n <= t_WindowMain; ++n) {
        if (const platform::Window window = core::getwindow(n)) {
            core::onmain([window] {
                if (platform::windowisvisible(window)) {
                    platform::windowminimize(window);
                }
            });
        }
    }
}

// 213 shows graphic window 0, 214 hides it, ... 228 hides window 7.
void graphicwindowaction(int64_t action) {
    const auto w = static_cast<uint8_t>((action - firstgraphicwindowaction) / 2);
    if (!display::windowready(w)) {
        refuse("t_MenuEventHandler: Window #" + std::to_string(w) + " not initialized.");
        return;
    }
    if ((action - firstgraphicwindowaction) % 2 == 0) {
        show(w);
    } else {
        hide(w);
    }
}

void showhide(int64_t action) {
    switch (action) {
    case 205:
        return show(t_WindowMain);
    case 206:
        return hide(t_WindowMain);
    case 207:
        return show(t_WindowPreferences);
    case 208:
        return hide(t_WindowPreferences);
    case 209:
        return show(t_WindowPrinter);
    case 210:
        return hide(t_WindowPrinter);
    case 211:
        return show(t_WindowPasteboard);
    case 212:
        return hide(t_WindowPasteboard);
    case 229:
        return show(t_WindowConsole);
    case 230:
        return hide(t_WindowConsole);
    default:
        if (action >= firstgraphicwindowaction && action <= lastgraphicwindowaction) {
            graphicwindowaction(action);
        }
    }
}

} // namespace

void setwindowactionhook(std::function<void()> hook) {
    windowactionhook().set(hook ? std::move(hook) : display::bell);
}

void carryoutmenuaction(const t_MenuAction& entry) {
    switch (entry.Action) {
    case 100:
        return opendialog(entry);
    case 101:
        return savedialog(entry);
    case 110:
        return copypicture(core::getmainwindownumber());
    case 111:
        return copytext(core::getmainwindownumber());
    case 112:
        if (!clearvirtualprinter()) {
            refuse(printermissing);
        }
        return;
    case 113:
        return windowaction(core::getmainwindownumber());
    case 114:
        if (!clearsystemconsole()) {
            refuse(consolemissing);
        }
        return;
    case 200:
        return hideall();
    case 201:
        return hide(core::getmainwindownumber());
    default:
        return showhide(entry.Action);
    }
}

} // namespace ui
