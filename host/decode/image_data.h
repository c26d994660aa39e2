// Image decoding for the renderer, usable with any host: the file is opened
// through the host's OpenFile, so its path mapping applies.
#pragma once

#include "host/nxgame.h"

// width × height × depth bytes in the file's own channel order (depth 1-4,
// not premultiplied), freed by the caller with free(); null when the file
// cannot be opened or decoded.
unsigned char* nx_host_DecodeImageFile(NxGame* host, const String& path, int* width, int* height,
                                       int* depth);
