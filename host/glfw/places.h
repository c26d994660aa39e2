// Where the desktop program finds its data and keeps its records. The
// program runs in its own folder (its real one, symlinks followed), so a
// build tree or a copied folder finds ./data beside it and keeps its records
// there, as it always has; an installed program finds its data in
// ../share/flingaroo/data and, its folder not being the player's, keeps the
// records in the player's data folder. Which one is decided by where the
// data is, never by whether the folder may be written: root may write
// anywhere, and records it left under the install prefix would be every
// other player's.
#pragma once

#include <string>

// Makes the program's own folder the current one, so that data and records
// are found beside the program wherever it is started from.
void nx_glfw_EnterProgramFolder();

// The data folder for a program in programFolder (which ends in '/'):
// programFolder + "data/" when that is a folder, else the installed data
// folder when that is one, else programFolder + "data/" (whose missing
// files the game skips).
std::string nx_glfw_DataFolder(const std::string& programFolder);

// The folder (ending in '/') the records file belongs in: programFolder
// unless the program is installed (its data folder is the installed one),
// then $XDG_DATA_HOME/flingaroo/ (by default $HOME/.local/share/flingaroo/),
// made with mode 0700 if missing. xdgDataHome and home are the environment's
// values, or null; their bytes are kept as they are.
std::string nx_glfw_RecordsFolder(const std::string& programFolder, const char* xdgDataHome, const char* home);

// The folder (ending in a separator) this system keeps the player's records
// in for a program in programFolder: on Linux nx_glfw_RecordsFolder with the
// environment's values, on Windows %APPDATA%\Flingaroo\ (made on the first
// save). programFolder itself when the records stay beside the program.
std::string nx_glfw_PlayersRecordsFolder(const std::string& programFolder);
