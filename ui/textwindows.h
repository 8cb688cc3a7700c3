#pragma once
// The three plain text windows: the pasteboard window (8), the virtual printer (9) and the system
// console (10). Their text lives in platform text views, not in video memory.
#include <string>
#include <vector>

namespace ui {

// The buffers kept for the contents of the virtual printer and the system console. The toolkit
// only ever empties them; programs may fill them.
void appendprinterbuffer(const std::string& line);
std::vector<std::string> printerbuffer();
void appendconsolebuffer(const std::string& line);
std::vector<std::string> consolebuffer();

// Empty the buffer and the text view; false when the text view is missing.
bool clearvirtualprinter();
bool clearsystemconsole();

// Run once by t_InitMemory after the menu start-up: prepares the pasteboard window's text view.
void pasteboardstartup();

} // namespace ui
