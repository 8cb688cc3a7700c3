#include "core/application.h"
#include "core/log.h"

namespace {

// Until the cycle-chart program lands, the program only announces itself.
void program() {
    logline("Program: Running.");
}

} // namespace

int main(int argc, char** argv) {
    return runtoolkitapplication(argc, argv, program);
}
