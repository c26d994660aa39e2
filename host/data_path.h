// Where files are: asset names resolve below the data root, and the host's
// "kestrel://" roots map to folders beside the program. Every host uses the
// same rule, so the game finds the same files on each of them.
#pragma once

#include "runtime/string.h"

// Asset names are relative to the data root unless they name a scheme or
// start at "./" or "/".
String nx_data_FixDataPath(const String& path);

// A "kestrel://data/", "kestrel://internal/" or "kestrel://external/" path as
// a file path (the first below dataFolder, the others beside the program);
// another "kestrel:" path as the empty string (no such file); any other path
// as it is. A file path is bytes for the system: the folder's as they are,
// the game's names in UTF-8.
std::string nx_host_KestrelPathToFilePath(const String& path, const std::string& dataFolder);
