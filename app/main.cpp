// Quorvinthal: the cycle-chart program on the toolkit.
#include "app/cycleprogram.h"
#include "app/monthmenu.h"
#include "quorvinthal/toolkit.h"

int main(int argc, char** argv) {
    addmonthitems();
    return t_RunApplication(argc, argv, cycleprogram, applicationname);
}
