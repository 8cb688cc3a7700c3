#pragma once
// The record of a graphic window.
#include "base/relaxed.h"
#include "platform/platform.h"
#include "quorvinthal/toolkit.h"

#include <cstdint>
#include <string>

namespace display {

uint32_t packcolor(t_RGBColor c);
t_RGBColor unpackcolor(uint32_t packed);

// Written by the program thread, read field by field by the main thread and the auto-update
// thread: every scalar field is a relaxed atomic (no reader needs several fields at once).
struct t_Window {
    using Int = base::Relaxed<int64_t>;
    using Bool = base::Relaxed<bool>;

    Bool Initialized{false};
    Bool Visible{false};
    Bool IgnoreEvents{false};
    Bool AutoUpdate{false};
    Bool QuickUpdate{false};
    Bool ScrollLock{false};
    Bool VerticalBlank{true};
    Int UpdateStarted{0};
    Int UpdateFinished{0};
    Int UpdateDuration{0};
    Int RefreshRate{30};
    base::Relaxed<platform::Window> Window{nullptr};
    base::Relaxed<platform::View> View{nullptr};
    platform::Rect DrawingRect;
    Int TitleHeight{0};
    Int BorderWidth{0};
    Int BorderHeight{0};
    base::Relaxed<t_RGBColor> RGBColorBorder{t_RGBColor{}};
    Int BitDepth{0};
    Int Width{0};
    Int Height{0};
    base::Relaxed<t_RGBColor> RGBColor{t_RGBColor{}};
    Int DrawingMode{0};
    Int PositionX{0};
    Int PositionY{0};
    Int MemoryStart{-1};
    Int MemoryEnd{-1};
    t_Font Font; // program thread only
    Int TextWidth{0};
    Int TextHeight{0};
    Int TextFirstColumn{0};
    Int TextLastColumn{0};
    Int TextFirstLine{0};
    Int TextLastLine{0};
    Int TextHpos{0};
    Int TextVpos{0};
    base::Relaxed<uint8_t> TextColor{0};
    Bool TextInverse{false};
    Int TextDisplayMode{t_DisplayPlain};
    Int TextCursorLevel{0};
    Int TextRedirectOutput{t_OutputWindow};
    std::string InputString; // program thread only
    Bool InputFinished{false};
    Bool InputActive{false}; // t_InputForm waits for the line's keys
    Int InputMode{0};
    Int InputHpos{0};
    Int InputVpos{0};
    Int InputCursorPos{0};
    Int InputMaxCharacters{0};
    Int LoResOffsetX{0};
    Int LoResOffsetY{0};
    Int LoResMode{0};
    Int TextMemoryStart{-1};
    Int TextMemoryEnd{-1};
};

} // namespace display
