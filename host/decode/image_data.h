// Image decoding for the renderer, from a file the host opened.
#pragma once

#include <cstdio>

// The largest image the game could make a texture of. Our biggest sheets
// (the -hd2 ones) are 2048 × 2048 RGBA, 16 MiB; 8192 a side is a texture size
// practically every desktop GPU accepts, and 64 MiB decoded at the file's own
// channel count is four times our biggest sheet. A header declaring more is a
// damaged or hostile file: a 1 MB PNG can declare 16000 × 16000, a gigabyte.
constexpr int kMaxImageSide = 8192;
constexpr long long kMaxImageBytes = 64LL << 20;

// width × height × depth bytes in the file's own channel order (depth 1-4,
// not premultiplied), freed by the caller with free(); null when the file is
// null (could not be opened), cannot be decoded, or declares an image beyond
// the limits above. Closes the file.
unsigned char* nx_host_DecodeImageFile(FILE* file, int* width, int* height, int* depth);
