#pragma once
// Scrolling and clearing the text area.
#include <cstdint>

void t_ScrollUp(uint8_t n);
void t_ScrollDown(uint8_t n);
void t_ClearEndOfLine(uint8_t n);
void t_ClearEndOfWindow(uint8_t n);
