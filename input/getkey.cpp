// t_GetKey: the program waits for a key with the cursor shown.
#include "base/clock.h"
#include "events/queues.h"
#include "quorvinthal/toolkit.h"
#include "unicode/strings.h"

std::string t_GetKey(uint8_t n) {
    for (;;) {
        while (!events::keyqueue().available()) {
            t_CursorOn(n);
            while (!events::keyqueue().available()) {
                base::sleepmilliseconds(events::pollmilliseconds);
            }
            t_CursorOff(n);
        }
        const int64_t value = t_NextEvent();
        if (value >= 0) {
            return unicode::scalartext(value);
        }
    }
}
