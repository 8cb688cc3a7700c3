"""The application as a screen reader sees it, through a real AT-SPI client (pyatspi).

Run by scripts/a11ytest.sh on a display with the accessibility bus:
    python3 scripts/a11yreader.py APPLICATION

Starts the application once with the bus off (it must stay off the bus), then turns the bus on
as a screen reader does, starts the application again, finds its text window, reads
the prompt, types the example dates with xdotool while it follows the caret and the announced
text, then reads the result line and the chart window's description; last it opens the menus
with the keyboard alone. Prints "ok: ..." for each check that holds and "FAILED: ..." for each
that does not; exits 1 after any failure.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import Gio, GLib

PROMPT = "Geburtsdatum   : "
RESULT = "Am 05.12.2026: Physisch = 75%, Emotional = 5%, Mental = 1%."
DESCRIPTION = ("Biorhythmus für Dezember 2026: am 05.12.2026 Physisch 75 %, Emotional 5 %, "
               "Mental 1 %.")

failures = 0
inserted = []
carets = []


def check(what, condition):
    global failures
    print(("ok: " if condition else "FAILED: ") + what, flush=True)
    failures += 0 if condition else 1


def set_status(name, value):
    """The bus's word to toolkits (org.a11y.Status): a screen reader sets ScreenReaderEnabled,
    the desktop's accessibility switch IsEnabled."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", name, GLib.Variant("b", value))),
                  None, Gio.DBusCallFlags.NONE, 5000, None)


def unseen_while_nobody_listens(application_path):
    set_status("IsEnabled", False)
    set_status("ScreenReaderEnabled", False)
    program = subprocess.Popen([application_path], stdout=subprocess.DEVNULL)
    try:
        xdotool("search", "--sync", "--onlyvisible", "--name", "^Quorvinthal$")
        pump(2)
        check("with nobody listening the application stays off the bus",
              application(program.pid) is None)
    finally:
        program.kill()
        program.wait()
    set_status("ScreenReaderEnabled", True)


def pump(seconds):
    """Serves the client's events for a while (they arrive through GLib's main context)."""
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def until(condition, seconds=15):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            value = condition()
            if value:
                return value
        except Exception:  # the tree changes while it is read
            pass
        pump(0.1)
    return None


def descendants(node, depth=0):
    if node is None or depth > 8:
        return
    yield node
    for i in range(node.childCount):
        yield from descendants(node.getChildAtIndex(i), depth + 1)


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def role_in_frame(app, framestart, role):
    for node in descendants(app):
        if node.getRole() == role:
            frame = node
            while frame is not None and frame.getRole() != pyatspi.ROLE_FRAME:
                frame = frame.parent
            if frame is not None and frame.name.startswith(framestart):
                return node
    return None


def alltext(node):
    return node.queryText().getText(0, -1)


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True, stdout=subprocess.DEVNULL)


def listen(terminal):
    def heard(event):
        if event.source == terminal:
            if event.type.startswith("object:text-changed:insert"):
                inserted.append(event.any_data)
            else:
                carets.append(event.detail1)
    pyatspi.Registry.registerEventListener(heard, "object:text-changed:insert",
                                           "object:text-caret-moved")


def read_prompt(terminal):
    text = until(lambda: PROMPT in alltext(terminal) and alltext(terminal))
    check("the text window reads the prompt 'Geburtsdatum'", text is not None)
    if text is None:
        return None
    start = text.index(PROMPT)
    line = terminal.queryText().getTextAtOffset(start, pyatspi.TEXT_BOUNDARY_LINE_START)
    check("reading by line gives the prompt's line", line[0].startswith(PROMPT))
    field = start + len(PROMPT)
    check("the caret waits after the prompt",
          until(lambda: terminal.queryText().caretOffset == field, 5) is not None)
    check("the line being typed is editable",
          terminal.getState().contains(pyatspi.STATE_EDITABLE))
    return field


def activate_text_window():
    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Quorvinthal$"],
                            capture_output=True, text=True).stdout.split()[0]
    xdotool("windowactivate", "--sync", window)


def shown_menu_items(app):
    return [item.name for node in descendants(app) if node.getRole() == pyatspi.ROLE_POPUP_MENU
            and node.getState().contains(pyatspi.STATE_SHOWING) for item in node]


def menu_bar_focused(app):
    return any(node.getRole() == pyatspi.ROLE_MENU_BAR
               and node.getState().contains(pyatspi.STATE_FOCUSED) for node in descendants(app))


def menus_by_keyboard(app):
    # The chart window may still be taking the focus from the window manager: try again then.
    for _ in range(3):
        activate_text_window()
        pump(1)
        xdotool("key", "alt")
        if until(lambda: menu_bar_focused(app), 3):
            break
    check("Alt alone takes the keys to the window's menu bar", menu_bar_focused(app))
    xdotool("key", "Down")
    check("Down opens the first menu",
          until(lambda: "Quorvinthal beenden" in shown_menu_items(app), 5))
    xdotool("key", "Right")
    check("Right goes on to the next menu",
          until(lambda: "Bild sichern …" in shown_menu_items(app), 5))
    xdotool("key", "Escape", "Escape")


def type_dates(terminal, field):
    activate_text_window()
    xdotool("type", "--delay", "120", "5.1")
    check("the caret follows the typed characters",
          until(lambda: terminal.queryText().caretOffset == field + 3, 5) is not None)
    check("the typed characters are announced as they are typed",
          until(lambda: "5.1" in "".join(inserted), 5) is not None)
    check("caret moves are announced", until(lambda: field + 3 in carets, 5) is not None)
    xdotool("type", "--delay", "40", "2.1985")
    xdotool("key", "Return", "ctrl+z")
    xdotool("type", "--delay", "40", "05.12.2026")
    xdotool("key", "Return")


def main():
    unseen_while_nobody_listens(sys.argv[1])
    program = subprocess.Popen([sys.argv[1]], stdout=subprocess.DEVNULL)
    try:
        app = until(lambda: application(program.pid), 30)
        check("the application is on the accessibility bus", app is not None)
        if app is None:
            return 1
        terminal = until(lambda: role_in_frame(app, "Quorvinthal", pyatspi.ROLE_TERMINAL))
        check("the text window is a terminal's text", terminal is not None)
        if terminal is None:
            return 1
        listen(terminal)
        field = read_prompt(terminal)
        if field is None:
            return 1
        type_dates(terminal, field)
        check("the results line is read",
              until(lambda: RESULT in alltext(terminal), 20) is not None)
        chart = until(lambda: role_in_frame(app, "Quorvinthal für den", pyatspi.ROLE_IMAGE))
        check("the chart window is a picture", chart is not None)
        check("the chart is described",
              chart is not None and until(lambda: chart.description == DESCRIPTION, 10))
        menus_by_keyboard(app)
    finally:
        program.kill()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
