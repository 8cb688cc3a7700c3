// The items of the menu bar's menus, found by the menu's title (t_MenuItemIndex,
// t_MenuItemDelete, t_MenuItemTitle). Any thread; the menu-bar work runs on the main thread.
#include "ui/menuitems.h"

#include "base/log.h"
#include "core/bridge.h"
#include "platform/platform.h"
#include "quorvinthal/toolkit.h"

namespace ui {

namespace {

enum class Outcome { Done, MenuNotFound, OutOfRange };

void report(const char* command, Outcome outcome) {
    if (outcome == Outcome::MenuNotFound) {
        base::logline(std::string(command) + ": Menu not found.");
    } else if (outcome == Outcome::OutOfRange) {
        base::logline(std::string(command) + ": Item position out of range");
    }
}

// The item position meant by position (or t_LastMenuItem), or -1 when it is out of range.
int64_t resolvedposition(platform::Menu menu, int64_t position) {
    const int64_t count = platform::menuitemcount(menu);
    if (position == t_LastMenuItem && count > 0) {
        return count - 1;
    }
    return position >= 0 && position < count ? position : -1;
}

// The index of the item titled title in m, or t_NoMenuItem (main thread).
int64_t indexoftitle(platform::Menu m, const std::string& title) {
    for (int64_t i = 0; i < platform::menuitemcount(m); ++i) {
        if (platform::menuitemtitle(platform::menuitemat(m, i)) == title) {
            return i;
        }
    }
    return t_NoMenuItem;
}

// Runs act with the menu and the item index of position, on the main thread.
template <typename Act>
Outcome atposition(const std::string& menu, int64_t position, const Act& act) {
    return core::onmain([&] {
        platform::Menu m = platform::mainmenuwithtitle(menu);
        if (m == nullptr) {
            return Outcome::MenuNotFound;
        }
        const int64_t index = resolvedposition(m, position);
        if (index < 0) {
            return Outcome::OutOfRange;
        }
        act(m, index);
        return Outcome::Done;
    });
}

} // namespace

platform::MenuItem menuitemtitled(const std::string& menu, const std::string& title) {
    return core::onmain([&]() -> platform::MenuItem {
        platform::Menu m = platform::mainmenuwithtitle(menu);
        return m == nullptr ? nullptr : platform::menuitemat(m, indexoftitle(m, title));
    });
}

} // namespace ui

int64_t t_MenuItemIndex(const std::string& menu, const std::string& title) {
    const int64_t index = core::onmain([&]() -> int64_t {
        platform::Menu m = platform::mainmenuwithtitle(menu);
        return m == nullptr ? int64_t{t_NoMenu} : ui::indexoftitle(m, title);
    });
    if (index == t_NoMenu) {
        base::logline("t_MenuItemIndex: Menu not found.");
    }
    return index;
}

void t_MenuItemDelete(const std::string& menu, int64_t position) {
    ui::report("t_MenuItemDelete",
               ui::atposition(menu, position, [](platform::Menu m, int64_t index) {
                   platform::menuremoveitemat(m, index);
               }));
}

std::string t_MenuItemTitle(const std::string& menu, int64_t position) {
    std::string title;
    ui::report("t_MenuItemTitle",
               ui::atposition(menu, position, [&](platform::Menu m, int64_t index) {
                   title = platform::menuitemtitle(platform::menuitemat(m, index));
               }));
    return title;
}
