#pragma once
// The open and save dialogs (t_OpenDialog, t_SaveDialog). Modal; on the main thread they run at
// once, from any other thread the caller waits (polling every 1 ms) while the main thread runs
// them.
#include <string>
#include <vector>

namespace ui {

// "txt,csv" -> {"txt", "csv"}; empty parts are dropped.
std::vector<std::string> filetypelist(const std::string& fileTypes);
// A chosen location's URL string as a path: percent escapes decoded, without a leading
// "file://". The bytes stay as the file system names them (a decomposed name stays decomposed).
std::string pathofurl(const std::string& url);

} // namespace ui
