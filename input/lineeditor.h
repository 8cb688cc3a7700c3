#pragma once
// The line editor: one line of typed input in a graphic window's text area, held in the window
// record's input fields and redrawn after every change.
#include <cstdint>
#include <string>

// Input modes: which characters the line accepts.
constexpr int64_t InputModeText = 0;
constexpr int64_t InputModeTextControls = 1; // as 0; numeric entry also gives control codes
constexpr int64_t InputModeInteger = 2;      // digits, "-" at the start
constexpr int64_t InputModeDecimal = 3; // digits, one ",", one "e", "-" at the start or after e
constexpr int64_t InputModeRange = 4;   // digits, one "-" not at the start

// Prints the prompt, shows the default text cut to maximum characters and, unless displayOnly,
// edits the line until Return or Escape. Returns the line (empty after Escape).
std::string t_InputForm(uint8_t n, const std::string& prompt, const std::string& defaultText,
                        bool displayOnly, int64_t mode, int64_t maximum);

// Applies one key (a character code or a function-key value) to window n's line.
void t_InputEdit(uint8_t n, int64_t key);

// Inserts character code c at the cursor when the mode and the room allow it.
void t_InputInsert(uint8_t n, int64_t c);
