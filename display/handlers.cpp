#include "display/handlers.h"

#include "display/render.h"
#include "display/windowcommands.h"

namespace display {

void addhandlers(platform::Handlers& h) {
    h.paintstarted = viewpaintstarted;
    h.paintview = viewpaint;
    h.paintfinished = viewpaintfinished;
    h.windowdidresize = windowdidresize;
}

} // namespace display
