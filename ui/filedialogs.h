#pragma once
// The open and save dialogs. Modal; on the main thread they run at once, from any other thread
// the caller waits (polling every 1 ms) while the main thread runs them.
#include <string>
#include <vector>

// The chosen path, empty when the user cancels. fileTypes: extensions separated by ",", empty
// for every file.
std::string t_OpenDialog(const std::string& title, const std::string& message,
                         const std::string& fileTypes, bool chooseFiles, bool chooseFolders);
std::string t_SaveDialog(const std::string& fileName, const std::string& title,
                         const std::string& message, const std::string& fileTypes);

// The part after the last "/"; the whole path without one.
std::string t_FileNameOfPath(const std::string& path);

// "txt,csv" -> {"txt", "csv"}; empty parts are dropped.
std::vector<std::string> filetypelist(const std::string& fileTypes);
// A chosen location's URL string as a path: percent escapes decoded, composed (NFC), without a
// leading "file://".
std::string pathofurl(const std::string& url);
