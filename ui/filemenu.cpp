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

// What the message box says about a file that could not be written, by errno.
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

void report(const char* title, const std::string& path, const KeepResult& result) {
    if (result.status == KeepStatus::WriteFailed || result.status == KeepStatus::Failed) {
        platform::showwarning(
            title, "\u201E" + t_FileNameOfPath(path) + "\u201C konnte nicht gesichert werden.",
            result.status == KeepStatus::WriteFailed ? writeproblem(result.error)
                                                     : "Die Datei lässt sich nicht erzeugen.");
    }
}

bool haspicture(uint8_t n) {
    return windowpicture(n).has_value();
}

bool hastext(uint8_t n) {
    return keepabletext(n).has_value();
}

// Asks where to keep the main window's picture or text (the bell when it has none) and keeps it.
void keep(const char* title, const std::string& extension, bool (*haswhat)(uint8_t),
          KeepResult (*save)(uint8_t, const std::string&)) {
    const uint8_t n = core::getmainwindownumber();
    if (!haswhat(n)) {
        return display::bell();
    }
    if (const std::string path = askpath(title, n, extension); !path.empty()) {
        report(title, path, save(n, path));
    }
}

void print() {
    const uint8_t n = core::getmainwindownumber();
    if (!haspicture(n)) {
        return display::bell();
    }
    if (printwindow(n, "").status == KeepStatus::Failed) {
        platform::showwarning(printtitle, "Das Bild konnte nicht gedruckt werden.",
                              "Der Drucker hat die Seite nicht angenommen.");
    }
}

} // namespace

void addfilemenu() {
    platform::Menu menu = platform::mainmenuprepend("Datei");
    platform::menuappendcommand(menu, std::string(imagetitle) + " \u2026", "s",
                                [] { keep(imagetitle, "png", haspicture, savewindowimage); });
    platform::menuappendcommand(menu, std::string(texttitle) + " \u2026", "",
                                [] { keep(texttitle, "txt", hastext, savewindowtext); });
    platform::menuappendseparator(menu);
    platform::menuappendcommand(menu, std::string(printtitle) + " \u2026", "p", print);
}

} // namespace ui
