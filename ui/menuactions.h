#pragma once
// The menu-action table: which menu-item tags carry a built-in action, and the parameters and
// results of the file dialogs of actions 100 and 101. ui/menustartup.h fills it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ui {

struct t_MenuAction {
    int64_t Tag = 0;
    int64_t Action = 0;
    std::string Title;
    std::string Note;
    std::string FileName;
    std::string FileTypes;
    std::string FilePath;
};

// The table, guarded by its own lock: the main thread stores dialog results while the program
// may read them.
void appendmenuaction(const t_MenuAction& entry);
std::vector<t_MenuAction> menuactions();
// The first entry with this tag.
std::optional<t_MenuAction> menuactionwithtag(int64_t tag);
// Stores a dialog's result in the first entry with this tag.
void setmenuactionfile(int64_t tag, const std::string& path, const std::string& name);

} // namespace ui
