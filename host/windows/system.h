// <windows.h> for the host's Windows parts and their test. Windows names
// many of its calls by macros that pick the A or W variant; the one that
// collides with a name of ours (NxGame::LoadString) is taken back, or every
// file that sees it would call and define LoadStringA instead.
#pragma once

#include <windows.h>

#undef LoadString
