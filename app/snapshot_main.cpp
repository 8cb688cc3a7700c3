// quorvinthal-snapshot: the cycle-chart program headless, with the keys typed in advance; writes
// what the windows show into the folder given with --out (or, with --version, only its version).
#include "app/cycleprogram.h"
#include "app/monthmenu.h"
#include "quorvinthal/toolkit.h"

#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view option(argv[i]);
        if (option == "--out" || option == "--help" || option == "--version") {
            addmonthitems();
            return t_RunApplication(argc, argv, cycleprogram, applicationname);
        }
    }
    std::fprintf(stderr, "quorvinthal-snapshot: --out ORDNER fehlt (siehe --help)\n");
    return 2;
}
