/* stb_vorbis's implementation for the builds that cannot link Debian's libstb,
   which is native Linux code: the browser's and the Windows one. */
#include <stb_vorbis.h>
