#include "display/handlers.h"

#include "display/render.h"
#include "display/windowcommands.h"

namespace display {

void addhandlers(platform::Handlers& h) {
    h.viewpaintstarted = viewpaintstarted;
    h.viewpicture = viewpicture;
    h.viewrows = viewrows;
    h.viewpaintfinished = viewpaintfinished;
    h.windowdidresize = windowdidresize;
}

} // namespace display
