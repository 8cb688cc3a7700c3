#pragma once
// Keeping what a window shows: its picture as a PNG file, its text as a UTF-8 file, its picture on
// paper or in a PDF document. The t_ commands and the menu "Datei" share these; each failure
// logs one line that names the command.
#include "platform/platform.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ui {

enum class KeepStatus {
    Done,
    Nothing,     // the window has no picture (or no text) to keep
    WriteFailed, // the file could not be written; error tells why
    Failed,      // the picture could not be made into a PNG or PDF file, or printed
    Cancelled,   // the user closed the print dialog
};

struct KeepResult {
    KeepStatus status = KeepStatus::Nothing;
    int error = 0;           // WriteFailed: the errno of the failing step
    std::string destination; // Done: the file written, or the printer printed on
};

// The title bar's text of window n; empty for a number without a window.
std::string titleofwindow(uint8_t n);

// The picture of graphic window n at its own pixel size while it is shown; nothing otherwise.
std::optional<platform::Image> windowpicture(uint8_t n);

// The text of window n as "Text kopieren" copies it, when it has any; nothing otherwise.
std::optional<std::string> keepabletext(uint8_t n);

KeepResult savewindowimage(uint8_t n, const std::string& path);
KeepResult savewindowtext(uint8_t n, const std::string& path);
// pdfpath empty: through the print dialog (main thread); otherwise straight into that PDF file.
KeepResult printwindow(uint8_t n, const std::string& pdfpath);

// The title of window n as a file name with the extension: characters that a file name cannot
// hold (on this or another system) become "_", and it stays within 255 bytes.
std::string suggestedfilename(const std::string& title, const std::string& extension);

} // namespace ui
