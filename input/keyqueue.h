#pragma once
// The key event queue, the menu event queue and the keyboard state they share.
//
// Keys are appended on the main thread and taken on the program thread. Each queue has a lock of
// its own; the available flags are atomic, so waiting loops poll them without the lock and sleep
// between polls. The key-held flag and the modifier state are written only on the main thread.
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A key event (Kind 1) or a mouse event (Kind 2).
struct t_Event {
    int64_t Kind = 0;
    int64_t Index = 0;
    std::string Description;
    int64_t Value = 0;
    int64_t WindowX = 0;
    int64_t WindowY = 0;
    int64_t ClickX = 0;
    int64_t ClickY = 0;
    int64_t Mods = 0;
    uint8_t Window = 0;
    int64_t Time = 0;
    bool CloseBox = false;
    bool CapsLockPressed = false;
    bool ShiftPressed = false;
    bool ControlPressed = false;
    bool OptionPressed = false;
    bool CommandPressed = false;
    bool NumericPadPressed = false;
    bool HelpPressed = false;
    bool FnPressed = false;
    bool CursorKeyPressed = false;
    bool FunctionKeyPressed = false;
};

// One menu selection (Kind 3; 0 when the sender had no menu).
struct t_MenuEvent {
    int64_t Kind = 0;
    std::string MenuTitle;
    std::string ItemTitle;
    std::string ItemKeyChar;
    uint64_t ItemKeyMods = 0;
    int64_t ItemKeyAsc = 0;
    int64_t ItemAction = 0;
    int64_t Time = 0;
};

constexpr int64_t KeyEventKind = 1;

// ---- Key event queue ------------------------------------------------------------------------

// Appends one event and sets the event-available flag.
void appendkeyevent(const t_Event& event);
// True exactly when the key event queue is not empty.
bool keyeventavailable();
int64_t keyeventcount();
// A copy of the last event taken from the queue.
t_Event currentevent();

// Takes the first key event without waiting: its Value, or -1 when there is none.
int64_t t_NextEvent();

// When the newest pending key has the given value, discards every pending key and returns true;
// with wait it then waits for a key (taken and dropped) or a menu selection before returning.
bool t_CheckPause(int64_t value, bool wait);

// Queues one key event per character of the text, as if typed in window 1.
void t_QueueString(std::string_view text);

// ---- Keyboard state -------------------------------------------------------------------------

extern std::atomic<bool> keyheld;

struct ModifierState {
    bool capslock = false;
    bool shift = false;
    bool control = false;
    bool option = false;
    bool command = false;
    bool fn = false;
};

// From platform modifier flags: bits 16 (Caps Lock), 17, 18, 19, 20 and 23 (Fn).
void refreshmodifierstate(uint64_t modifierflags);
ModifierState modifierstate();

// ---- Menu event queue -----------------------------------------------------------------------

// Appends one selection and sets the menu-event-available flag.
void appendmenuevent(const t_MenuEvent& event);
bool menueventavailable();
int64_t menueventcount();
std::vector<t_MenuEvent> menuevents();
// Removes and returns the oldest selection; false when there is none. The toolkit itself never
// removes selections; this is for programs.
bool takemenuevent(t_MenuEvent& event);
