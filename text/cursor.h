#pragma once
// Moving the text cursor, the text area and ruled lines.
#include <cstdint>

void t_Cr(uint8_t n);
void t_CursorRight(uint8_t n);
void t_CursorLeft(uint8_t n);
void t_CursorDown(uint8_t n);
void t_CursorUp(uint8_t n);
void t_CursorHome(uint8_t n);
void t_CursorEnd(uint8_t n);
void t_Htab(uint8_t n, int64_t column);
void t_Vtab(uint8_t n, int64_t line);
void t_FullArea(uint8_t n);
void t_TextHline(uint8_t n, int64_t from, int64_t to, int64_t line, uint8_t c);
void t_TextLine(uint8_t n);
