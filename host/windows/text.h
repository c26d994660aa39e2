// Text at the Windows boundary: the host holds paths and messages as UTF-8
// bytes, and Windows takes and gives UTF-16.
#pragma once

#include <string>

std::wstring nx_windows_Wide(const std::string& utf8);
std::string nx_windows_Utf8(const std::wstring& wide);
// The system's own words for an error code (GetLastError's), in the
// player's language, as one line.
std::string nx_windows_ErrorText(unsigned long code);
