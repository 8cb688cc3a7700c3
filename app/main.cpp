#include "app/cycleprogram.h"
#include "core/application.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    int code = runtoolkitapplication(argc, argv, cycleprogram);
    // Detached toolkit threads (the auto-update loop) run for the life of the process; leave
    // without running static destructors underneath them.
    std::fflush(stdout);
    _exit(code);
}
