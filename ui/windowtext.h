#pragma once
// A window's text as "Text kopieren" copies it and "Text sichern …" saves it.
#include <cstdint>
#include <optional>
#include <string>

namespace ui {

// Graphic windows: the text block, lines separated by CR, in the copy conversion; the virtual
// printer and the system console: their text view's string. Nothing for any other window and for
// a missing text view.
std::optional<std::string> windowtext(uint8_t n);

// The text window's text view is missing: the printer's or the console's own message.
bool textviewmissing(uint8_t n);
std::string textviewmissingline(uint8_t n);

} // namespace ui
