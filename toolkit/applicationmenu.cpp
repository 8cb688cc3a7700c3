#include "toolkit/applicationmenu.h"

#include "base/lasting.h"
#include "base/log.h"
#include "base/programname.h"
#include "core/appdelegate.h"
#include "core/programlifecycle.h"
#include "display/bell.h"
#include "events/queues.h"
#include "platform/platform.h"
#include "quorvinthal/toolkit.h"
#include "toolkit/typing.h"

#include <mutex>
#include <vector>

namespace toolkit {

namespace {

struct RerunItem {
    std::string title;
    std::string key;
    std::function<std::string()> typed;
};

struct ApplicationMenuState {
    std::mutex lock;
    std::vector<RerunItem> reruns; // the program's, in the order it named them
    bool made = false;             // the menu exists: later items have no place in it
};

ApplicationMenuState& state() {
    return base::lasting<ApplicationMenuState>();
}

std::vector<RerunItem> rerunitems() {
    std::lock_guard guard(state().lock);
    state().made = true;
    return state().reruns;
}

void restart() {
    if (!core::restartprogram()) {
        display::bell();
    }
}

// Keys left over from the last run would reach the new one first; only the typed ones may.
void rerun(const std::function<std::string()>& typed) {
    const platform::View view = typingview();
    const std::string keys = view != nullptr && !core::programrunning() ? typed() : std::string();
    if (keys.empty()) {
        return display::bell();
    }
    events::keyqueue().clearif([](const t_Event&) { return true; });
    if (!core::restartprogram()) {
        return display::bell();
    }
    typetext(view, keys);
}

} // namespace

void addapplicationmenu() {
    const std::string name = base::programname();
    platform::Menu menu = platform::mainmenuprepend(name);
    // Items that run the program again, usable only once it has ended.
    std::vector<platform::MenuItem> afterend{
        platform::menuappendcommand(menu, "Programm neu starten", "r", restart)};
    for (const RerunItem& item : rerunitems()) {
        afterend.push_back(platform::menuappendcommand(menu, item.title, item.key,
                                                       [typed = item.typed] { rerun(typed); }));
    }
    for (platform::MenuItem item : afterend) {
        platform::menuitemsetenabled(item, core::launchfinished() && !core::programrunning());
    }
    platform::menuappendseparator(menu);
    platform::menuappendcommand(menu, name + " beenden", "q", [] { platform::quitapplication(0); });
    core::setprogramstatehandler([afterend](bool running) {
        platform::postonmain([afterend, running] {
            for (platform::MenuItem item : afterend) {
                platform::menuitemsetenabled(item, !running);
            }
        });
    });
}

} // namespace toolkit

void t_RerunMenuItem(const std::string& title, const std::string& key,
                     std::function<std::string()> typed) {
    std::lock_guard guard(toolkit::state().lock);
    if (toolkit::state().made) {
        base::logline("t_RerunMenuItem: The application menu exists already.");
        return;
    }
    toolkit::state().reruns.push_back(
        {title, key, typed ? std::move(typed) : [] { return std::string(); }});
}
