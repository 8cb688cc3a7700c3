#include "ui/menuevents.h"

#include "base/clock.h"
#include "base/lasting.h"
#include "base/slot.h"
#include "core/bridge.h"
#include "core/process.h"
#include "core/threads.h"
#include "events/queues.h"
#include "quorvinthal/toolkit.h"
#include "ui/builtinactions.h"
#include "ui/menuactions.h"

namespace ui {

namespace {

struct MenuHandlerState {
    base::Slot<std::function<void()>> handler{[] {}};
};

MenuHandlerState& state() {
    return base::lasting<MenuHandlerState>();
}

void startmenuhandler() {
    core::startbackgroundprocess([] {
        if (core::currentthreadnumber() >= 3) {
            core::namecurrentthread("t_EventMenu");
        }
        state().handler.get()();
    });
}

// The selection as an event; t_EventNone and nothing else for an item in no menu.
t_MenuEvent menuevent(platform::MenuItem item) {
    return core::onmain([item] {
        t_MenuEvent event;
        platform::Menu menu = item != nullptr ? platform::menuofitem(item) : nullptr;
        if (menu == nullptr) {
            return event;
        }
        event.Kind = t_EventMenu;
        event.MenuTitle = platform::menutitle(menu);
        event.ItemTitle = platform::menuitemtitle(item);
        event.ItemKeyChar = platform::menuitemkeyequivalent(item);
        event.ItemKeyMods = platform::menuitemkeymodifiers(item);
        event.ItemKeyAsc = t_Asc(event.ItemKeyChar);
        event.ItemAction = platform::menuitemtag(item);
        event.Time = base::absolutemilliseconds();
        return event;
    });
}

} // namespace

void menuitemchosen(platform::MenuItem sender) {
    t_MenuEventHandler(sender);
}

} // namespace ui

void t_SetMenuHandler(std::function<void()> handler) {
    ui::state().handler.set(handler ? std::move(handler) : [] {});
}

void t_MenuEventHandler(platform::MenuItem item) {
    const t_MenuEvent event = ui::menuevent(item);
    bool programhandler = true;
    if (event.Kind == t_EventMenu && event.ItemAction != 0) {
        if (std::optional<ui::t_MenuAction> entry = ui::menuactionwithtag(event.ItemAction)) {
            ui::carryoutmenuaction(*entry);
            programhandler = false;
        }
    }
    events::menuqueue().append(event);
    if (programhandler) {
        ui::startmenuhandler();
    }
}
