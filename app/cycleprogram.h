#pragma once
// The cycle-chart program: asks for a birth date and a forecast date in window 0, draws the
// three life cycles of the forecast month in window 1 and ends its thread.
[[noreturn]] void cycleprogram();

// Credit text on the right of the header line.
inline constexpr const char* credittext = "Programmiert vom Quorvinthal-Team 2026";
