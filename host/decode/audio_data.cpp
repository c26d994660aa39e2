// Sound decoding for the audio device: the file is opened through the host's
// path mapping and handed to the WAV or Ogg reader by its extension.
#include "host/decode/audio_decoders.h"

unsigned char* nx_host_DecodeAudioFile(NxGame* host, const String& path, int* length,
                                       int* channels, int* format, int* hertz) {
    FILE* file = host->OpenFile(path, String("rb"));
    if (!file) return nullptr;
    String lowerPath = path.ToLower();
    unsigned char* data = nullptr;
    if (lowerPath.EndsWith(String(".wav"))) {
        data = LoadWAV(file, length, channels, format, hertz);
    } else if (lowerPath.EndsWith(String(".ogg"))) {
        data = reinterpret_cast<unsigned char*>(LoadOGG(file, length, channels, format, hertz));
    }
    std::fclose(file);
    // Decoded sound lives outside the collector; counting it lets a run of
    // loads hurry the next collection.
    if (data) gc_ext_malloced(*length * *channels * *format);
    return data;
}
