#include "ui/menuactions.h"

#include "base/lasting.h"

#include <algorithm>
#include <mutex>

namespace ui {

namespace {

struct MenuActionTable {
    std::mutex lock;
    std::vector<t_MenuAction> entries;
};

MenuActionTable& table() {
    return base::lasting<MenuActionTable>();
}

} // namespace

void appendmenuaction(const t_MenuAction& entry) {
    MenuActionTable& t = table();
    std::lock_guard guard(t.lock);
    t.entries.push_back(entry);
}

std::vector<t_MenuAction> menuactions() {
    MenuActionTable& t = table();
    std::lock_guard guard(t.lock);
    return t.entries;
}

std::optional<t_MenuAction> menuactionwithtag(int64_t tag) {
    MenuActionTable& t = table();
    std::lock_guard guard(t.lock);
    auto found = std::find_if(t.entries.begin(), t.entries.end(),
                              [tag](const t_MenuAction& entry) { return entry.Tag == tag; });
    if (found == t.entries.end()) {
        return std::nullopt;
    }
    return *found;
}

void setmenuactionfile(int64_t tag, const std::string& path, const std::string& name) {
    MenuActionTable& t = table();
    std::lock_guard guard(t.lock);
    auto found = std::find_if(t.entries.begin(), t.entries.end(),
                              [tag](const t_MenuAction& entry) { return entry.Tag == tag; });
    if (found != t.entries.end()) {
        found->FilePath = path;
        found->FileName = name;
    }
}

} // namespace ui
