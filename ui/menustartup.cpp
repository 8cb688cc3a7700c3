#include "ui/menustartup.h"

#include "base/log.h"
#include "quorvinthal/toolkit.h"
#include "ui/menuactions.h"

namespace ui {

namespace {

// Items the platform adds to the edit menu on its own, in either language.
constexpr const char* editmenuextras[] = {"Special Characters…", "Emoji & Symbols",
                                          "Emoji & Symbole", "Start Dictation…",
                                          "Diktat starten …"};
constexpr const char* windowmenuextras[] = {"Tile Window to Left of Screen",
                                            "Tile Window to Right of Screen", "Vollbildmodus"};

void filltable() {
    for (int64_t tag = 200; tag <= 231; ++tag) {
        appendmenuaction(t_MenuAction{tag, tag, {}, {}, {}, {}, {}});
    }
    for (int64_t tag = 110; tag <= 114; ++tag) {
        appendmenuaction(t_MenuAction{tag, tag, {}, {}, {}, {}, {}});
    }
}

void deleteifpresent(const std::string& menu, const std::string& title) {
    const int64_t index = t_MenuItemIndex(menu, title);
    if (index >= 0) {
        t_MenuItemDelete(menu, index);
    }
}

// A separator left at the end once the extras are gone.
void deletetrailingseparator(const std::string& menu) {
    if (t_MenuItemTitle(menu, t_LastMenuItem).empty()) {
        t_MenuItemDelete(menu, t_LastMenuItem);
    }
}

void trimeditmenu() {
    for (const char* title : editmenuextras) {
        deleteifpresent("Bearbeiten", title);
        deleteifpresent("Edit", title);
    }
    deletetrailingseparator("Bearbeiten");
    deletetrailingseparator("Edit");
}

void trimwindowmenu() {
    for (const char* title : windowmenuextras) {
        if (const int64_t index = t_MenuItemIndex("Fenster", title); index >= 0) {
            base::logline(std::string("*** Found Fenster Menu Item ") + title);
            t_MenuItemDelete("Fenster", index);
        }
        if (const int64_t index = t_MenuItemIndex("Window", title); index >= 0) {
            base::logline(std::string("*** Found Window Menu Item ") + title);
            t_MenuItemDelete("Window", index);
        }
    }
}

} // namespace

void menustartup() {
    filltable();
    trimeditmenu();
    trimwindowmenu();
}

} // namespace ui
