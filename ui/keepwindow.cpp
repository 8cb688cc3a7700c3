#include "ui/keepwindow.h"

#include "base/filereplace.h"
#include "base/log.h"
#include "core/bridge.h"
#include "core/lookup.h"
#include "display/render.h"
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"
#include "ui/windowtext.h"

#include <string_view>

namespace ui {

namespace {

constexpr size_t longestname = 255; // bytes, as Linux file systems allow
constexpr std::string_view forbidden = "/\\:*?\"<>|";

KeepResult nothing(const char* command, uint8_t n, const char* what) {
    base::logline(std::string(command) + ": Window #" + std::to_string(n) + " has no " + what +
                  ".");
    return {KeepStatus::Nothing, 0, {}};
}

KeepResult failed(const std::string& line) {
    base::logline(line);
    return {KeepStatus::Failed, 0, {}};
}

// bytes empty: the content could not be made, and nothing is written.
KeepResult write(const char* command, const std::string& path, std::string_view bytes) {
    if (bytes.empty()) {
        return failed(std::string(command) + ": Cannot make the content of " + path + ".");
    }
    if (const int error = base::replacefile(path, bytes); error != 0) {
        base::logline(std::string(command) + ": Cannot write " + path + " (" +
                      base::errnoname(error) + ").");
        return {KeepStatus::WriteFailed, error, {}};
    }
    return {KeepStatus::Done, 0, path};
}

bool cannotbeinname(unsigned char c) {
    return c < 32 || c == 127 || forbidden.find(static_cast<char>(c)) != std::string_view::npos;
}

// Cut to at most length bytes without splitting a UTF-8 sequence.
std::string cututf8(std::string text, size_t length) {
    if (text.size() <= length) {
        return text;
    }
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        --length;
    }
    return text.substr(0, length);
}

KeepResult printed(const platform::Printout& printout) {
    switch (printout.status) {
    case platform::PrintStatus::Printed:
        return {KeepStatus::Done, 0, printout.destination};
    case platform::PrintStatus::Cancelled:
        return {KeepStatus::Cancelled, 0, {}};
    default:
        return failed("t_PrintWindow: Cannot print on " + printout.destination + ".");
    }
}

} // namespace

std::string titleofwindow(uint8_t n) {
    const platform::Window window = core::getwindow(n);
    return window == nullptr ? std::string()
                             : core::onmain([window] { return platform::windowtitle(window); });
}

std::optional<platform::Image> windowpicture(uint8_t n) {
    if (!display::windowready(n) || !display::windowrecord(n).Visible) {
        return std::nullopt;
    }
    return t_WindowImage(n);
}

KeepResult savewindowimage(uint8_t n, const std::string& path) {
    const std::optional<platform::Image> picture = windowpicture(n);
    if (!picture) {
        return nothing("t_SaveWindowImage", n, "picture");
    }
    return write("t_SaveWindowImage", path,
                 core::onmain([&picture] { return platform::pngdata(*picture); }));
}

std::optional<std::string> keepabletext(uint8_t n) {
    if (n < t_GraphicWindows && !display::textwindowready(n)) {
        return std::nullopt; // asked without the line t_GetScreen would log
    }
    std::optional<std::string> text = windowtext(n);
    return text && !text->empty() ? text : std::nullopt;
}

KeepResult savewindowtext(uint8_t n, const std::string& path) {
    const std::optional<std::string> text = keepabletext(n);
    if (!text) {
        return nothing("t_SaveWindowText", n, "text");
    }
    return write("t_SaveWindowText", path, *text);
}

KeepResult printwindow(uint8_t n, const std::string& pdfpath) {
    const std::optional<platform::Image> picture = windowpicture(n);
    if (!picture) {
        return nothing("t_PrintWindow", n, "picture");
    }
    const std::string heading = titleofwindow(n);
    if (!pdfpath.empty()) {
        return write("t_PrintWindow", pdfpath,
                     core::onmain([&] { return platform::pdfdata(*picture, heading); }));
    }
    return printed(core::onmain([&] { return platform::printwithdialog(*picture, heading); }));
}

std::string suggestedfilename(const std::string& title, const std::string& extension) {
    std::string name;
    for (const char c : title) {
        name += cannotbeinname(static_cast<unsigned char>(c)) ? '_' : c;
    }
    // A leading dot would hide the file; trailing dots and blanks vanish on some systems.
    if (name.starts_with('.')) {
        name[0] = '_';
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '.')) {
        name.pop_back();
    }
    const std::string suffix = "." + extension;
    name = cututf8(name.empty() ? "Fenster" : name, longestname - suffix.size());
    return name + suffix;
}

} // namespace ui

std::string t_SaveWindowImage(uint8_t n, const std::string& path) {
    return ui::savewindowimage(n, path).destination;
}

std::string t_SaveWindowText(uint8_t n, const std::string& path) {
    return ui::savewindowtext(n, path).destination;
}

std::string t_PrintWindow(uint8_t n, const std::string& pdfPath) {
    return ui::printwindow(n, pdfPath).destination;
}
