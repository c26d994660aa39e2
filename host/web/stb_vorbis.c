/* stb_vorbis's implementation for the browser build: on the desktop Debian's
   libstb provides it, but that library is native code. */
#include <stb_vorbis.h>
