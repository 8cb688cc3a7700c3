#include "ui/menuevents.h"

#include "core/bridge.h"
#include "core/clock.h"
#include "core/process.h"
#include "core/threads.h"
#include "input/keyqueue.h"
#include "input/strings.h"
#include "ui/builtinactions.h"

#include <mutex>

namespace {

constexpr int64_t MenuEventKind = 3;

struct Slot {
    std::mutex lock;
    std::function<void()> closure;

    void set(std::function<void()> f) {
        std::lock_guard guard(lock);
        closure = std::move(f);
    }
    std::function<void()> get() {
        std::lock_guard guard(lock);
        return closure;
    }
};

Slot& menuhandler() {
    static Slot slot{{}, [] {}};
    return slot;
}

void startmenuhandler() {
    startbackgroundprocess([] {
        if (currentthreadnumber() >= 3) {
            namecurrentthread("t_EventMenu");
        }
        menuhandler().get()();
    });
}

// The selection as an event; Kind 0 and nothing else for an item in no menu.
t_MenuEvent menuevent(platform::MenuItem item) {
    return onmain([item] {
        t_MenuEvent event;
        platform::Menu menu = item != nullptr ? platform::menuofitem(item) : nullptr;
        if (menu == nullptr) {
            return event;
        }
        event.Kind = MenuEventKind;
        event.MenuTitle = platform::menutitle(menu);
        event.ItemTitle = platform::menuitemtitle(item);
        event.ItemKeyChar = platform::menuitemkeyequivalent(item);
        event.ItemKeyMods = platform::menuitemkeymodifiers(item);
        event.ItemKeyAsc = t_Asc(event.ItemKeyChar);
        event.ItemAction = platform::menuitemtag(item);
        event.Time = absolutemilliseconds();
        return event;
    });
}

} // namespace

void setmenuhandler(std::function<void()> handler) {
    menuhandler().set(handler ? std::move(handler) : [] {});
}

void MenuHandler(platform::MenuItem sender) {
    t_MenuEventHandler(sender);
}

void t_MenuEventHandler(platform::MenuItem item) {
    const t_MenuEvent event = menuevent(item);
    bool programhandler = true;
    if (event.Kind == MenuEventKind && event.ItemAction != 0) {
        if (std::optional<t_MenuAction> entry = menuactionwithtag(event.ItemAction)) {
            carryoutmenuaction(*entry);
            programhandler = false;
        }
    }
    appendmenuevent(event);
    if (programhandler) {
        startmenuhandler();
    }
}
