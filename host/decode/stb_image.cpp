// stb_image compiled into the host, reading PNG only. Every image the game
// draws is a PNG, and PNG is the decoder that holds up under fuzzing; the
// JPEG, GIF, PSD and other decoders of the stb_image we build against can be
// driven by a crafted file to write outside their buffers (a JPEG whose
// Huffman table counts more than 256 codes is one), so they are left out:
// such a file is refused like any undecodable one. The host's copy takes
// precedence over the shared library's, which still provides stb_vorbis and
// the image writer the tools use.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_FAILURE_STRINGS
#include <stb_image.h>
