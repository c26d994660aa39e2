/* The one declaration the audio device takes from OpenAL Soft's alext.h,
   which Emscripten's OpenAL does not ship: the pointer type of the
   ALC_SOFT_pause_device calls, looked up at run time and used only where the
   device offers the extension. */
#pragma once

#include <AL/alc.h>

typedef void (*LPALCDEVICEPAUSESOFT)(ALCdevice* device);
typedef void (*LPALCDEVICERESUMESOFT)(ALCdevice* device);
