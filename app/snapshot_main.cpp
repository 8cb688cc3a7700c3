// quorvinthal-snapshot: the cycle-chart program headless, with the keys typed in advance; writes
// what the windows show into the folder given with --out (or, with --version, only its version).
#include "app/cycleprogram.h"
#include "quorvinthal/toolkit.h"

#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--out" || std::string_view(argv[i]) == "--version") {
            return t_RunApplication(argc, argv, cycleprogram);
        }
    }
    std::fprintf(stderr, "quorvinthal-snapshot: --out DIR is required\n");
    return 2;
}
