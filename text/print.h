#pragma once
// Printing at the text cursor, control codes, display modes, header line and screen copy.
#include <cstdint>
#include <string>
#include <vector>

void t_Print(uint8_t n, const std::string& text);
void t_Print(uint8_t n, const std::vector<uint8_t>& bytes);
void t_PrintChar(uint8_t n, uint8_t c);
void t_PrintSpc(uint8_t n, int64_t count);
void t_PrintTab(uint8_t n, int64_t column, uint8_t fill);
void t_PrintControl(uint8_t n, uint8_t code);
void t_Header(uint8_t n, const std::string& left, const std::string& right);
// The window's text, lines joined by separator (trailing blanks and empty last lines removed
// when the separator is not empty).
std::string t_GetScreen(uint8_t n, const std::string& separator);

// The display mode's translation of code c, with the inverse flag and colour byte the caller
// restores afterwards. A negative code draws nothing.
struct DisplayModeResult {
    int64_t code = -2;
    bool inverse = false;
    uint8_t color = 0xF0;
};
DisplayModeResult t_ApplyDisplayMode(uint8_t n, int64_t c);
