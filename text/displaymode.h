#pragma once
// Inverse output, display modes and the visible text cursor.
#include <cstdint>

void t_Inverse(uint8_t n);
void t_Normal(uint8_t n);
void t_Reverse(uint8_t n);
void t_DisplayMode(uint8_t n, int64_t mode);
void t_InvertRect(uint8_t n, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
void t_CursorDraw(uint8_t n);
void t_CursorOn(uint8_t n);
void t_CursorOff(uint8_t n);
