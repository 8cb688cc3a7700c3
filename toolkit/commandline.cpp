#include "toolkit/commandline.h"

#include "base/numbertext.h"
#include "toolkit/typing.h"

#include <cstdio>
#include <cstdlib>

namespace toolkit {

namespace {

// A number of seconds above 0, or 0 when the text is none.
int64_t seconds(const std::string& text) {
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && value > 0 ? value : 0;
}

// The key of the escape at byte i ("\r", "\e", "\\" or "\xHH") and its length; length 0 when
// it is malformed.
std::pair<uint32_t, size_t> escapedkey(const std::string& text, size_t i) {
    const char kind = i + 1 < text.size() ? text[i + 1] : '\0';
    if (kind == 'r' || kind == 'e' || kind == '\\') {
        return {kind == 'r' ? 13u : kind == 'e' ? 27u : uint32_t('\\'), 2};
    }
    const int byte = kind == 'x' ? base::hexbytevalue(text, i + 2) : -1;
    if (byte < 0) {
        return {0, 0};
    }
    return {static_cast<uint32_t>(byte), 4};
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
        const bool valued = name == "--keys" || name == "--today" || name == "--out" ||
                            name == "--timeout" || name == "--menu";
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
        } else if (name == "--menu") {
            line.menus.push_back(value);
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

std::vector<uint32_t> parsekeys(const std::string& text, std::string& error) {
    std::vector<uint32_t> keys;
    for (size_t i = 0; i < text.size();) {
        if (text[i] != '\\') {
            i += appendkey(text, i, keys);
            continue;
        }
        const auto [key, length] = escapedkey(text, i);
        if (length == 0) {
            error = "unbekanntes Zeichen nach \\ an Stelle " + std::to_string(i + 1) +
                    " (\\r, \\e, \\xHH oder \\\\)";
            return {};
        }
        keys.push_back(key);
        i += length;
    }
    return keys;
}

std::optional<t_DateTime> parsetoday(const std::string& text) {
    int day = 0, month = 0;
    long long year = 0;
    char dot1 = 0, dot2 = 0, rest = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c%lld%c", &day, &dot1, &month, &dot2, &year, &rest) !=
            5 ||
        dot1 != '.' || dot2 != '.' || day < 1 || day > 31 || month < 1 || month > 12 || year < 1) {
        return std::nullopt;
    }
    return t_DateTime{year, month, day, 12, 0, 0};
}

namespace {

const char* const optionlines =
    "  --out ORDNER        ohne Bildschirm laufen und danach die Bilder der Fenster\n"
    "                      (window<n>.png), ihren Text (screen.txt), ihre Titel\n"
    "                      (titles.txt) und das Protokoll (log.txt) in ORDNER schreiben\n"
    "  --keys TASTEN       diese Tasten eingeben, sobald das Programm sie annimmt:\n"
    "                      \\r Eingabe, \\e Escape, \\xHH ein Byte, \\\\ ein Backslash\n"
    "  --today TT.MM.JJJJ  dieses Datum als heute nehmen\n"
    "  --menu TITEL        nach dem Ende des Programms diesen Eintrag des Programm-Menüs\n"
    "                      wählen und das Programm wieder zu Ende laufen lassen\n"
    "  --timeout SEKUNDEN  höchstens so lange auf das Ende des Programms warten (20)\n"
    "  --version           Namen und Version ausgeben\n"
    "  --help              diese Hilfe ausgeben\n";

const char* const headlessoptions =
    " [--keys TASTEN] [--today TT.MM.JJJJ] [--menu TITEL]... [--timeout SEKUNDEN]";

} // namespace

std::string usage(const std::string& name, bool snapshotonly) {
    if (snapshotonly) {
        return "Aufruf: " + name + " --out ORDNER" + headlessoptions + "\n       " + name +
               " --version | --help\n\n" + name +
               " lässt das Programm ohne Bildschirm laufen, gibt die Tasten ein\n"
               "und schreibt danach in ORDNER, was seine Fenster zeigen; ohne --out tut es\n"
               "nichts.\n\n" +
               optionlines;
    }
    return "Aufruf: " + name + " [--out ORDNER" + headlessoptions + "]\n       " + name +
           " --version | --help\n\nOhne Optionen öffnet " + name +
           " seine Fenster auf dem Bildschirm.\n\n" + optionlines +
           "\nIm Programm: Strg+Umschalt+R startet es neu, sobald es zu Ende ist;\n"
           "Strg+Umschalt+Q beendet " +
           name + ".\n";
}

} // namespace toolkit
