// Sound decoding for the audio device: the file the host opened is handed to
// the WAV or Ogg reader by its name's extension, to be decoded whole or a
// slice per call, within a cap on the decoded size.
#include <climits>
#include <cstdlib>

#include "host/decode/audio_decoders.h"

namespace {

// One of the two readers at work on an open file, which it closes. A WAV
// slice only copies bytes, an Ogg slice decodes them; either way a slice of
// a few seconds of sound fits in an update, however long the file, and is
// handed over by the next Take.
class NxFileAudioDecoding : public NxAudioDecoding {
public:
    NxFileAudioDecoding(FILE* file, WavDecoding* wav, OggDecoding* ogg)
        : _file(file), _wav(wav), _ogg(ogg) {}
    ~NxFileAudioDecoding() override {
        if (_wav) CloseWav(_wav);
        if (_ogg) CloseOgg(_ogg);
        std::fclose(_file);
    }

    bool Continue(int frames) override {
        return _wav ? ReadWav(_wav, frames) : DecodeOgg(_ogg, frames);
    }

    unsigned char* Take(int* length, int* channels, int* format, int* hertz) override {
        unsigned char* data = _wav ? TakeWav(_wav, length, channels, format, hertz)
                                   : reinterpret_cast<unsigned char*>(
                                         TakeOgg(_ogg, length, channels, format, hertz));
        if (!data) return nullptr;
        // Decoded sound lives outside the collector; counting it lets a run of
        // loads hurry the next collection.
        gc_ext_malloced(*length * *channels * *format);
        return data;
    }

private:
    FILE* _file;
    WavDecoding* _wav;
    OggDecoding* _ogg;
};

}  // namespace

NxAudioDecoding* nx_host_BeginAudioDecoding(FILE* file, const String& name, int maxBytes) {
    if (!file) return nullptr;
    String lowerPath = name.ToLower();
    WavDecoding* wav = nullptr;
    OggDecoding* ogg = nullptr;
    if (lowerPath.EndsWith(String(".wav"))) {
        wav = OpenWav(file, maxBytes);
    } else if (lowerPath.EndsWith(String(".ogg"))) {
        ogg = OpenOgg(file, maxBytes);
    }
    if (!wav && !ogg) {
        std::fclose(file);
        return nullptr;
    }
    return new NxFileAudioDecoding(file, wav, ogg);
}

unsigned char* nx_host_DecodeAudioFile(FILE* file, const String& name, int* length, int* channels,
                                       int* format, int* hertz) {
    NxAudioDecoding* decoding = nx_host_BeginAudioDecoding(file, name, kWholeSoundMaxBytes);
    if (!decoding) return nullptr;
    decoding->Continue(INT_MAX);  // more frames than any stream we could hold: all of it
    unsigned char* data = decoding->Take(length, channels, format, hertz);
    delete decoding;
    return data;
}
