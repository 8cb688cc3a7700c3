#include "toolkit/commandline.h"

#include <cstdlib>

namespace toolkit {

CommandLine parsecommandline(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--version") {
            CommandLine version;
            version.version = true;
            return version;
        }
        if (i + 1 >= arguments.size()) {
            line.error = "missing value after " + name;
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
        } else if (name == "--timeout") {
            line.timeoutseconds = std::atoll(value.c_str());
            if (line.timeoutseconds <= 0) {
                line.error = "--timeout needs a number of seconds above 0";
                return line;
            }
        } else {
            line.error = "unknown option " + name +
                         " (use --keys TEXT, --today DD.MM.YYYY, --out " +
                         "DIR, --timeout SECONDS, --version)";
            return line;
        }
    }
    return line;
}

} // namespace toolkit
