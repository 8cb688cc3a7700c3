// quorvinthal-snapshot: the cycle-chart program headless, with the keys typed in advance; writes
// what the windows show into the folder given with --out.
#include "app/cycleprogram.h"
#include "app/monthmenu.h"
#include "quorvinthal/toolkit.h"

int main(int argc, char** argv) {
    addmonthitems();
    return t_RunSnapshot(argc, argv, cycleprogram, applicationname);
}
