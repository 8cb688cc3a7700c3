#include "toolkit/commandline.h"

#include <cstdlib>

namespace toolkit {

namespace {

// A number of seconds above 0, or 0 when the text is none.
int64_t seconds(const std::string& text) {
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && value > 0 ? value : 0;
}

} // namespace

CommandLine parsecommandline(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--version" || name == "--help") {
            CommandLine asked;
            asked.version = name == "--version";
            asked.help = name == "--help";
            return asked;
        }
        const bool valued =
            name == "--keys" || name == "--today" || name == "--out" || name == "--timeout";
        if (!valued) {
            line.error = "unbekannte Option \u201E" + name + "\u201C (siehe --help)";
            return line;
        }
        if (i + 1 >= arguments.size()) {
            line.error = "nach " + name + " fehlt der Wert (siehe --help)";
            return line;
        }
        const std::string& value = arguments[++i];
        if (name == "--keys") {
            line.keys = value;
        } else if (name == "--today") {
            line.today = value;
        } else if (name == "--out") {
            line.out = value;
            line.headless = true;
        } else if ((line.timeoutseconds = seconds(value)) == 0) {
            line.error = "--timeout braucht eine Zahl von Sekunden über 0";
            return line;
        }
    }
    return line;
}

std::string usage(const std::string& name) {
    return "Aufruf: " + name +
           " [--out ORDNER [--keys TASTEN] [--today TT.MM.JJJJ] [--timeout SEKUNDEN]]\n"
           "       " +
           name +
           " --version | --help\n"
           "\n"
           "Ohne Optionen öffnet " +
           name +
           " seine Fenster auf dem Bildschirm.\n"
           "\n"
           "  --out ORDNER        ohne Bildschirm laufen und danach die Bilder der Fenster\n"
           "                      (window<n>.png), ihren Text (screen.txt), ihre Titel\n"
           "                      (titles.txt) und das Protokoll (log.txt) in ORDNER schreiben\n"
           "  --keys TASTEN       diese Tasten eingeben, sobald das Programm sie annimmt:\n"
           "                      \\r Eingabe, \\e Escape, \\xHH ein Byte, \\\\ ein Backslash\n"
           "  --today TT.MM.JJJJ  dieses Datum als heute nehmen\n"
           "  --timeout SEKUNDEN  höchstens so lange auf das Ende des Programms warten (20)\n"
           "  --version           Namen und Version ausgeben\n"
           "  --help              diese Hilfe ausgeben\n"
           "\n"
           "Im Programm: Strg+Umschalt+R startet es neu, sobald es zu Ende ist;\n"
           "Strg+Umschalt+Q beendet " +
           name + ".\n";
}

} // namespace toolkit
