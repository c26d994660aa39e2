// Host state gate and dispatch into the delegate; the collection step.
#include "host/nxgame.h"

#include "runtime/error.h"

NxGame* NxGame::_game = nullptr;

NxGame::NxGame() {}

bool NxGame::PollJoystick(int, Array<float>, Array<float>, Array<float>, Array<bool>) { return false; }

unsigned char* NxGame::LoadImageData(const String&, int*, int*, int*) { return nullptr; }

unsigned char* NxGame::LoadAudioData(const String&, int*, int*, int*, int*) { return nullptr; }

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
