#pragma once
// Keys typed for the user: into the first window's view, through the same path as real key
// presses (the headless snapshot, the application menu's rerun items).
#include "platform/platform.h"

#include <cstdint>
#include <string>
#include <vector>

namespace toolkit {

// The view that typed keys go to: the first window made, once it is initialised; null before.
platform::View typingview();

// Appends the key of the UTF-8 character at byte i of text and returns its length; a byte that
// does not decode stands for itself.
size_t appendkey(const std::string& text, size_t i, std::vector<uint32_t>& keys);

// Types every character of text (UTF-8) into view (main thread).
void typetext(platform::View view, const std::string& text);

} // namespace toolkit
