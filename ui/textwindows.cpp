#include "ui/textwindows.h"

#include "base/lasting.h"
#include "core/bridge.h"
#include "display/windowcommands.h"
#include "platform/platform.h"
#include "quorvinthal/toolkit.h"

#include <mutex>

namespace ui {

namespace {

struct TextBuffer {
    std::mutex lock;
    std::vector<std::string> lines;

    void append(const std::string& line) {
        std::lock_guard guard(lock);
        lines.push_back(line);
    }
    std::vector<std::string> copy() {
        std::lock_guard guard(lock);
        return lines;
    }
    void clear() {
        std::lock_guard guard(lock);
        lines.clear();
    }
};

struct TextWindowsState {
    TextBuffer printer;
    TextBuffer console;
};

TextBuffer& printer() {
    return base::lasting<TextWindowsState>().printer;
}

TextBuffer& console() {
    return base::lasting<TextWindowsState>().console;
}

bool cleartextwindow(uint8_t n, TextBuffer& buffer) {
    platform::TextView text = display::gettextview(n);
    if (text == nullptr) {
        return false;
    }
    buffer.clear();
    core::onmain([text] {
        platform::textviewsetstring(text, "");
        platform::textviewsetneedsdisplay(text);
    });
    return true;
}

} // namespace

void appendprinterbuffer(const std::string& line) {
    printer().append(line);
}

std::vector<std::string> printerbuffer() {
    return printer().copy();
}

void appendconsolebuffer(const std::string& line) {
    console().append(line);
}

std::vector<std::string> consolebuffer() {
    return console().copy();
}

bool clearvirtualprinter() {
    return cleartextwindow(t_WindowPrinter, printer());
}

bool clearsystemconsole() {
    return cleartextwindow(t_WindowConsole, console());
}

// Qt's plain text views make no quote, dash or text substitutions and detect no links or data,
// so the pasteboard's text is shown exactly as it is; only the font needs setting.
void pasteboardstartup() {
    platform::TextView text = display::gettextview(t_WindowPasteboard);
    if (text == nullptr) {
        return;
    }
    core::onmain([text] {
        platform::textviewsetmonospacedfont(text, "Menlo", 12);
        platform::textviewsetstring(text, "");
        platform::textviewsetneedsdisplay(text);
    });
}

} // namespace ui
