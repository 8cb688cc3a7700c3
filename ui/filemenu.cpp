#include "ui/filemenu.h"

#include "base/filereplace.h"
#include "core/bridge.h"
#include "core/lookup.h"
#include "display/bell.h"
#include "quorvinthal/toolkit.h"
#include "ui/keepwindow.h"

#include <cerrno>

namespace ui {

namespace {

constexpr char imagetitle[] = "Bild sichern";
constexpr char texttitle[] = "Text sichern";
constexpr char printtitle[] = "Drucken";

// The German save dialog with the window's title as the name; empty when cancelled.
std::string askpath(const char* title, uint8_t n, const std::string& extension) {
    return t_SaveDialog(suggestedfilename(titleofwindow(n), extension), title, "", extension);
}

void report(const char* title, const std::string& path, const KeepResult& result) {
    if (result.status == KeepStatus::WriteFailed || result.status == KeepStatus::Failed) {
        platform::showwarning(
            title, "\u201E" + t_FileNameOfPath(path) + "\u201C konnte nicht gesichert werden.",
            result.status == KeepStatus::WriteFailed ? writeproblem(result.error)
                                                     : "Die Datei lässt sich nicht erzeugen.");
    }
}

void saveimage() {
    const uint8_t n = core::getmainwindownumber();
    if (!windowpicture(n)) {
        return display::bell();
    }
    if (const std::string path = askpath(imagetitle, n, "png"); !path.empty()) {
        report(imagetitle, path, savewindowimage(n, path));
    }
}

void savetext() {
    const uint8_t n = core::getmainwindownumber();
    if (!keepabletext(n)) {
        return display::bell();
    }
    if (const std::string path = askpath(texttitle, n, "txt"); !path.empty()) {
        report(texttitle, path, savewindowtext(n, path));
    }
}

void print() {
    const uint8_t n = core::getmainwindownumber();
    if (!windowpicture(n)) {
        return display::bell();
    }
    if (printwindow(n, "").status == KeepStatus::Failed) {
        platform::showwarning(printtitle, "Das Bild konnte nicht gedruckt werden.",
                              "Der Drucker hat die Seite nicht angenommen.");
    }
}

} // namespace

std::string writeproblem(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return "Der Ordner ist schreibgeschützt.";
    case ENOSPC:
    case EDQUOT:
        return "Auf dem Datenträger ist kein Platz mehr.";
    case EISDIR:
        return "Unter diesem Namen gibt es schon einen Ordner.";
    case ENOENT:
    case ENOTDIR:
        return "Den Ordner gibt es nicht.";
    case ENAMETOOLONG:
        return "Der Name ist zu lang.";
    default:
        return "Fehler " + base::errnoname(error) + ".";
    }
}

void addfilemenu() {
    platform::Menu menu = platform::mainmenuprepend("Datei");
    platform::menuappendcommand(menu, std::string(imagetitle) + " \u2026", "s", saveimage);
    platform::menuappendcommand(menu, std::string(texttitle) + " \u2026", "", savetext);
    platform::menuappendseparator(menu);
    platform::menuappendcommand(menu, std::string(printtitle) + " \u2026", "p", print);
}

} // namespace ui
