// stb_image compiled into the image fuzzer itself. Debian's libstb is built
// without coverage, so through it the fuzzer sees nothing of the decoder;
// definitions in the program's own objects take precedence over the
// library's, so the host's decoder calls land here.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
