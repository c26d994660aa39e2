// Host state gate and dispatch into the delegate; the collection step.
#include "host/nxgame.h"

#include "host/data_path.h"
#include "host/decode/audio_decoders.h"
#include "host/decode/image_data.h"
#include "runtime/error.h"

NxGame* NxGame::_game = nullptr;
int nxGraphicsContextSeq = 0;

NxGame::NxGame() {}

void NxGame::SetUpdateRate(int hertz) {
    _updateRate = hertz;
    if (hertz != 0) _updatePeriod = 1.0 / hertz;
    _nextUpdate = 0.0;
}

bool NxGame::PollJoystick(int, Array<float>, Array<float>, Array<float>, Array<bool>) { return false; }

std::string NxGame::PathToFilePath(const String& path) { return nx_host_KestrelPathToFilePath(path, _dataFolder); }

std::string NxGame::StateFilePath() { return PathToFilePath(String(kStateFilePath)); }

unsigned char* NxGame::LoadImageData(const String& path, int* width, int* height, int* depth) {
    return nx_host_DecodeImageFile(OpenFile(path, String("rb")), width, height, depth);
}

unsigned char* NxGame::LoadAudioData(const String& path, int* length, int* channels, int* format,
                                     int* hertz) {
    return nx_host_DecodeAudioFile(OpenFile(path, String("rb")), path, length, channels, format, hertz);
}

NxAudioDecoding* NxGame::BeginAudioData(const String& path) {
    return nx_host_BeginAudioDecoding(OpenFile(path, String("rb")), path, kSlicedSoundMaxBytes);
}

void NxGame::Die(ThrowableObject*) {
    nxPrint(String("Kestrel Runtime Error : Uncaught Kestrel Exception"));
    std::exit(-1);
}

void NxGame::gc_collect() { gc_collect_step(_delegate); }

template <class Call>
void NxGame::Dispatch(Call call) {
    try {
        call();
    } catch (ThrowableObject* exception) {
        Die(exception);
    }
    gc_collect();
}

void NxGame::StartGame() {
    if (_started) return;
    _started = true;
    Dispatch([this] { _delegate->StartGame(); });
}

void NxGame::SuspendGame() {
    if (!_started || _suspended) return;
    _suspended = true;
    Dispatch([this] { _delegate->SuspendGame(); });
}

void NxGame::ResumeGame() {
    if (!_started || !_suspended) return;
    _suspended = false;
    Dispatch([this] { _delegate->ResumeGame(); });
}

void NxGame::UpdateGame() {
    if (!_started || _suspended) return;
    Dispatch([this] { _delegate->UpdateGame(); });
}

void NxGame::RenderGame() {
    if (!_started) return;
    Dispatch([this] { _delegate->RenderGame(); });
}

void NxGame::KeyEvent(int event, int data) {
    if (!_started) return;
    Dispatch([=] { _delegate->KeyEvent(event, data); });
}

void NxGame::MouseEvent(int event, int data, float x, float y) {
    if (!_started) return;
    Dispatch([=] { _delegate->MouseEvent(event, data, x, y); });
}

void NxGame::TouchEvent(int event, int data, float x, float y) {
    if (!_started) return;
    Dispatch([=] { _delegate->TouchEvent(event, data, x, y); });
}

void NxGame::MotionEvent(int event, int data, float x, float y, float z) {
    if (!_started) return;
    Dispatch([=] { _delegate->MotionEvent(event, data, x, y, z); });
}

void NxGame::DiscardGraphics() {
    if (!_started) return;
    Dispatch([this] { _delegate->DiscardGraphics(); });
}
