#include "display/bell.h"

#include "core/bridge.h"

void bell() {
    onmain([] { platform::beep(); });
}
