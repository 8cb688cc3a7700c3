#pragma once
// The cycle-chart program: asks for a birth date and a forecast date in window 0, draws the
// three life cycles of the forecast month in window 1 and ends its thread.
[[noreturn]] void cycleprogram();

// The program's name: its window titles, its application menu, the left of the header line.
inline constexpr const char* applicationname = "Quorvinthal";

// Credit text on the right of the header line.
inline constexpr const char* credittext = "Programmiert vom Quorvinthal-Team 2026";
