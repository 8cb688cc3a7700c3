// quorvinthal-snapshot: the application headless, with the keys typed in advance; writes what
// the windows show into a folder.
#include "app/snapshot.h"
#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

struct Options {
    std::string keys;
    std::string today;
    std::string out;
    int64_t timeoutseconds = 20;
};

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "quorvinthal-snapshot: %s\n", message.c_str());
    std::fflush(stdout);
    _exit(2);
}

Options parseoptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (i + 1 >= argc) {
            fail("missing value after " + name);
        }
        std::string value = argv[++i];
        if (name == "--keys") {
            options.keys = value;
        } else if (name == "--today") {
            options.today = value;
        } else if (name == "--out") {
            options.out = value;
        } else if (name == "--timeout") {
            options.timeoutseconds = std::atoll(value.c_str());
            if (options.timeoutseconds <= 0) {
                fail("--timeout needs a number of seconds above 0");
            }
        } else {
            fail("unknown option " + name +
                 " (use --keys TEXT, --today DD.MM.YYYY, --out DIR, --timeout SECONDS)");
        }
    }
    if (options.out.empty()) {
        fail("--out DIR is required");
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    Options options = parseoptions(argc, argv);
    std::string error;
    std::vector<uint32_t> keys = parsekeys(options.keys, error);
    if (!error.empty()) {
        fail("--keys: " + error);
    }
    std::optional<LocalDateTime> today;
    if (!options.today.empty() && !(today = parsetoday(options.today))) {
        fail("--today must be a date DD.MM.YYYY, not " + options.today);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtargc = 1;
    platform::initapplication(qtargc, argv);
    SnapshotResult result = takesnapshot(keys, today, options.timeoutseconds * 1000, true);
    if (!result.finished) {
        fail("the program did not end within " + std::to_string(options.timeoutseconds) +
             " s (is it still waiting for input? keys given: " + std::to_string(keys.size()) + ")");
    }
    if (std::string problem = writesnapshot(result, options.out); !problem.empty()) {
        fail(problem);
    }
    std::printf("quorvinthal-snapshot: program ran %.3f s; wrote %s\n", result.seconds,
                options.out.c_str());
    std::fflush(stdout);
    _exit(0);
}
