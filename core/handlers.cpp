#include "core/handlers.h"

platform::Handlers toolkithandlers() {
    platform::Handlers h;
    return h;
}
