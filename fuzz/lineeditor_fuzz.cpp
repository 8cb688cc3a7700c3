// Key presses (with modifiers), raw key values and pastes into t_InputForm with any field length,
// position and input mode: the line never exceeds the field, a paste never queues keys, and
// nothing outside the window's blocks changes.
#include "core/bridge.h"
#include "display/videomemory.h"
#include "events/queues.h"
#include "fuzz/support/toolkitfuzz.h"
#include "input/keyevents.h"
#include "tests/support/testfonts.h"
#include "unicode/graphemes.h"

#include <climits>
#include <cstddef>
#include <cstdint>

namespace {

constexpr uint8_t n = 0;
constexpr int64_t returnkey = 13;
constexpr size_t mostactions = 96;

fuzz::MemoryGuard& guard() {
    static fuzz::MemoryGuard memory;
    return memory;
}

void openwindow() {
    static const bool opened = [] {
        fuzz::starttoolkit();
        t_InitWindow(n, 8, false, 640, 128, 0, 0, makegreyfont(8, 16), true);
        guard().take();
        return true;
    }();
    (void)opened;
}

// Characters a key press may bring: the editing controls, Latin-1, the font codes of the key
// table, private-use navigation and function keys, text the fonts lack.
const char* const characters[] = {"a",
                                  "Z",
                                  "5",
                                  "-",
                                  ".",
                                  ",",
                                  "e",
                                  " ",
                                  "\r",
                                  "\x1B",
                                  "\x16",
                                  "\x0C",
                                  "\x1E",
                                  "\x18",
                                  "\x1A",
                                  "\x7F",
                                  "\x01",
                                  "\x13",
                                  "",
                                  "\xC3\xA4",
                                  "\xE2\x82\xAC",
                                  "\xCE\xA9",
                                  "\xEF\x9C\x80",
                                  "\xEF\x9C\x84",
                                  "\xEF\x9D\x86",
                                  "\xF0\x9F\x98\x80",
                                  "e\xCC\x81"};

void presskey(fuzz::Reader& in) {
    platform::KeyPress press;
    press.keycode = in.flag() ? in.within(0, 130) : in.extreme();
    press.characters = in.flag() ? std::string(in.pick(characters)) : in.text(6);
    press.modifierflags = static_cast<uint64_t>(in.byte()) << 16 | static_cast<uint64_t>(in.byte())
                                                                       << 24;
    t_KeyEventHandler(n, press);
}

void queuevalue(int64_t value) {
    t_Event event;
    event.Kind = t_EventKey;
    event.Value = value;
    event.Window = n;
    events::keyqueue().append(event);
}

// The pasteboard text: a piece of the input, or a long run of one character around it.
void setpasteboard(fuzz::Reader& in) {
    std::string text = in.text(64);
    if (in.flag()) {
        text = text + std::string(static_cast<size_t>(in.within(0, 200000)), 'x') + text;
    }
    core::onmain([&] { platform::pasteboardsetstring(text); });
}

void clearqueue() {
    while (t_NextEvent() >= 0) {
    }
}

// Puts the window back as a fresh program finds it, so that every input starts alike.
void resetwindow() {
    t_RedirectOutput(n, t_OutputWindow);
    t_DisplayMode(n, t_DisplayPlain);
    t_Normal(n);
    t_Color(n, t_Lime);
    t_FullArea(n);
    t_CursorHome(n);
    t_ClearEndOfWindow(n);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    openwindow();
    fuzz::Reader in({data, size});
    resetwindow();
    t_Htab(n, in.within(1, 80));
    t_Vtab(n, in.within(1, 8));
    static constexpr int64_t modes[] = {0, 1, 2, 3, 4, 5, -1, LLONG_MIN};
    static constexpr int64_t maxima[] = {-1, 0,  1,  2,    5,         10,
                                         40, 79, 80, 1000, LLONG_MAX, LLONG_MIN};
    const int64_t mode = in.pick(modes);
    const int64_t maximum = in.pick(maxima);
    const bool displayonly = in.flag();
    const std::string prompt = in.text(24);
    const std::string defaulttext = in.text(40);
    for (size_t action = 0; action < mostactions && !in.empty(); ++action) {
        switch (in.byte() % 4) {
        case 0:
        case 1:
            presskey(in);
            break;
        case 2:
            queuevalue(in.flag() ? in.within(0, 300) : in.extreme());
            break;
        default:
            setpasteboard(in);
            queuevalue(22); // Control-V
            break;
        }
    }
    // Numeric entry may swallow one Return; the second ends the input.
    queuevalue(returnkey);
    queuevalue(returnkey);
    const int64_t queued = events::keyqueue().count();

    const std::string line = t_InputForm(n, prompt, defaulttext, displayonly, mode, maximum);

    fuzz::require(unicode::graphemecount(line) <= std::max<int64_t>(maximum, 0));
    fuzz::require(events::keyqueue().count() <= queued);
    for (const t_Event& left : events::keyqueue().pending()) {
        fuzz::require(left.Window == n); // t_QueueString's keys carry window 1
    }
    fuzz::require(guard().unchangedoutside(n));
    clearqueue();
    return 0;
}
