// Sound decoding for the audio device: the file is opened through the host's
// path mapping and handed to the WAV or Ogg reader by its extension, to be
// decoded whole or a slice per call.
#include <climits>
#include <cstdlib>

#include "host/decode/audio_decoders.h"

namespace {

struct NxDecodedSound {
    unsigned char* data = nullptr;
    int length = 0, channels = 0, format = 0, hertz = 0;
};

// A WAV file is read whole when the decoding begins: our reader only copies
// bytes, quick at any length. An Ogg stream is decoded slice by slice, its
// file kept open in between.
class NxFileAudioDecoding : public NxAudioDecoding {
public:
    NxFileAudioDecoding(FILE* file, OggDecoding* ogg, NxDecodedSound wav)
        : _file(file), _ogg(ogg), _sound(wav) {}
    ~NxFileAudioDecoding() override {
        if (_ogg) CloseOgg(_ogg);
        std::free(_sound.data);
        std::fclose(_file);
    }

    bool Continue(int frames) override { return !_ogg || DecodeOgg(_ogg, frames); }

    unsigned char* Take(int* length, int* channels, int* format, int* hertz) override {
        if (_ogg) {
            short* samples =
                FinishOgg(_ogg, &_sound.length, &_sound.channels, &_sound.format, &_sound.hertz);
            _sound.data = reinterpret_cast<unsigned char*>(samples);
            _ogg = nullptr;
        }
        unsigned char* data = _sound.data;
        _sound.data = nullptr;
        if (!data) return nullptr;
        *length = _sound.length;
        *channels = _sound.channels;
        *format = _sound.format;
        *hertz = _sound.hertz;
        // Decoded sound lives outside the collector; counting it lets a run of
        // loads hurry the next collection.
        gc_ext_malloced(*length * *channels * *format);
        return data;
    }

private:
    FILE* _file;
    OggDecoding* _ogg;
    NxDecodedSound _sound;
};

}  // namespace

NxAudioDecoding* nx_host_BeginAudioDecoding(NxGame* host, const String& path) {
    FILE* file = host->OpenFile(path, String("rb"));
    if (!file) return nullptr;
    String lowerPath = path.ToLower();
    NxDecodedSound wav;
    OggDecoding* ogg = nullptr;
    if (lowerPath.EndsWith(String(".wav"))) {
        wav.data = LoadWAV(file, &wav.length, &wav.channels, &wav.format, &wav.hertz);
    } else if (lowerPath.EndsWith(String(".ogg"))) {
        ogg = OpenOgg(file);
    }
    if (!wav.data && !ogg) {
        std::fclose(file);
        return nullptr;
    }
    return new NxFileAudioDecoding(file, ogg, wav);
}

unsigned char* nx_host_DecodeAudioFile(NxGame* host, const String& path, int* length, int* channels,
                                       int* format, int* hertz) {
    NxAudioDecoding* decoding = nx_host_BeginAudioDecoding(host, path);
    if (!decoding) return nullptr;
    decoding->Continue(INT_MAX);  // more frames than any stream we could hold: all of it
    unsigned char* data = decoding->Take(length, channels, format, hertz);
    delete decoding;
    return data;
}
