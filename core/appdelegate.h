#pragma once
// The application delegate: the outlets of the interface description and the launch callbacks.
#include "core/process.h"
#include "platform/platform.h"

#include <cstdint>
#include <functional>

namespace core {

struct AppDelegate {
    platform::View t_View00 = nullptr;
    platform::View t_View01 = nullptr;
    platform::View t_View02 = nullptr;
    platform::View t_View03 = nullptr;
    platform::View t_View04 = nullptr;
    platform::View t_View05 = nullptr;
    platform::View t_View06 = nullptr;
    platform::View t_View07 = nullptr;
    platform::Window VirtualPrinterWindow = nullptr;
    platform::ScrollView VirtualPrinterScrollView = nullptr;
    platform::TextView VirtualPrinterTextView = nullptr;
    platform::TextField VirtualPrinterRuler = nullptr;
    platform::Window SystemConsoleWindow = nullptr;
    platform::ScrollView SystemConsoleScrollView = nullptr;
    platform::TextView SystemConsoleTextView = nullptr;
    platform::TextField SystemConsoleRuler = nullptr;
    platform::Window PasteboardWindow = nullptr;
    platform::ScrollView PasteboardScrollView = nullptr;
    platform::TextView PasteboardTextView = nullptr;
    platform::Window MainWindow = nullptr;
    platform::Window PreferencesWindow = nullptr;

    platform::View view(int n) const;
};

// The one delegate; its outlets are connected on the main thread before the program starts and
// read afterwards on the main thread (through the bridge).
AppDelegate& appdelegate();
void connectoutlets(const platform::Interface& ui);

// Facts the launch records for the rest of the toolkit.
bool launchfinished();
bool applicationactive();
int64_t titlebarheight();

// The program that applicationdidfinishlaunching starts.
void setprogramentry(ProgramEntry entry);
// True from the program's start until its thread ends (by returning or by t_QuitProgram).
bool programrunning();
// Runs the program again once it has ended; false while it runs.
bool restartprogram();
// Told (on the program thread or the main thread) when the program starts and when it ends.
void setprogramstatehandler(std::function<void(bool running)> handler);

// Delegate callbacks (main thread).
void applicationwillfinishlaunching();
void applicationdidfinishlaunching();
void applicationdidbecomeactive();
void applicationwillresignactive();
void applicationwillterminate();

} // namespace core
