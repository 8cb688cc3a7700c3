// t_RunApplication and t_RunSnapshot: the command line decides how the program runs, with its
// windows on the desktop or headless into a snapshot folder.
#include "base/programname.h"
#include "quorvinthal/toolkit.h"
#include "toolkit/commandline.h"
#include "toolkit/desktop.h"
#include "toolkit/headless.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unistd.h>

static_assert(std::string_view(QUORVINTHAL_VERSION) == QV_VERSION,
              "the header's version is the project's version");

namespace toolkit {

namespace {

// Detached toolkit threads (the auto-update loop, a program still waiting) run for the life of
// the process; leave without running static destructors underneath them.
[[noreturn]] void leave(int code) {
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(code);
}

[[noreturn]] void fail(const char* program, const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", program, message.c_str());
    leave(2);
}

// The command's name as typed, for the words that end a start without a display.
std::string& commandname() {
    static std::string name;
    return name;
}

// Without a display Qt would end the process with advice to reinstall; say what is missing and
// how the program runs without one.
[[noreturn]] void nodisplay(const std::string& missing) {
    const char* name = commandname().c_str();
    std::fprintf(stderr, "%s: %s; ohne Bildschirm läuft es mit %s --out ORDNER (siehe --help)\n",
                 name, missing.c_str(), name);
    leave(1);
}

std::string displayvariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(name) + "=" + value
                            : std::string(name) + " nicht gesetzt";
}

// Named but not there, or refusing the connection: Qt has printed why.
[[noreturn]] void displaynotreached() {
    nodisplay("kein Bildschirm erreichbar (" + displayvariable("DISPLAY") + ", " +
              displayvariable("WAYLAND_DISPLAY") + ")");
}

int runheadless(const char* name, char** argv, const CommandLine& line,
                core::ProgramEntry program) {
    SnapshotRequest request;
    std::string error;
    request.keys = parsekeys(line.keys, error);
    if (!error.empty()) {
        fail(name, "--keys: " + error);
    }
    if (!line.today.empty() && !(request.today = parsetoday(line.today))) {
        fail(name, "--today braucht ein Datum TT.MM.JJJJ, nicht " + line.today);
    }
    request.timeoutms = line.timeoutseconds * 1000;
    request.echolog = true;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtargc = 1;
    platform::initapplication(qtargc, argv);
    request.menuchoices = line.menus;
    SnapshotResult result = takesnapshot(std::move(program), request);
    if (!result.problem.empty()) {
        fail(name, "--menu: " + result.problem);
    }
    if (!result.finished) {
        fail(name, "das Programm ist nicht in " + std::to_string(line.timeoutseconds) +
                       " s zu Ende gekommen (wartet es noch auf Eingaben? " +
                       std::to_string(request.keys.size()) + " Tasten gegeben)");
    }
    if (std::string problem = writesnapshot(result, line.out); !problem.empty()) {
        fail(name, problem);
    }
    std::printf("%s: Programm lief %.3f s; geschrieben nach %s\n", name, result.seconds,
                line.out.c_str());
    return 0;
}

// t_RunApplication and t_RunSnapshot: the same command line, the snapshot program without windows.
[[noreturn]] void runprogram(int argc, char** argv, std::function<void()> program,
                             const std::string& programName, bool snapshotonly) {
    // A closed pipe or pager on standard output drops log lines (base::logline) instead of
    // ending the program.
    std::signal(SIGPIPE, SIG_IGN);
    const char* name = argc > 0 ? argv[0] : "";
    if (const char* slash = std::strrchr(name, '/')) {
        name = slash + 1;
    }
    base::setprogramname(programName.empty() ? name : programName);
    const CommandLine line =
        parsecommandline(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (!line.error.empty()) {
        fail(name, line.error);
    }
    if (line.version || line.help) {
        std::fputs(line.help ? usage(name, snapshotonly).c_str()
                             : (std::string(name) + " " + QV_VERSION + "\n").c_str(),
                   stdout);
        leave(0);
    }
    if (snapshotonly && !line.headless) {
        fail(name, "--out ORDNER fehlt (siehe --help)");
    }
    commandname() = name;
    if (line.headless) {
        leave(runheadless(name, argv, line, std::move(program)));
    }
    if (!platform::displayreachable()) {
        nodisplay("kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY gesetzt)");
    }
    leave(rundesktop(argc, argv, std::move(program), displaynotreached));
}

} // namespace

} // namespace toolkit

int t_RunApplication(int argc, char** argv, std::function<void()> program,
                     const std::string& programName) {
    toolkit::runprogram(argc, argv, std::move(program), programName, false);
}

int t_RunSnapshot(int argc, char** argv, std::function<void()> program,
                  const std::string& programName) {
    toolkit::runprogram(argc, argv, std::move(program), programName, true);
}
