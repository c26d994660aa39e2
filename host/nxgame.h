// The platform-neutral host: the one object between the operating system and
// the application framework. It holds the delegate and the host state, gates
// every call into the game by that state, catches runtime exceptions and runs
// one collection step after each call. File, path, state and decoding
// services are implemented here for every platform; a platform's host (the
// desktop one is in host/glfw/) overrides the rest. Every layer above the
// host reaches it through this face only.
#pragma once

#include <cstdio>
#include <string>

#include "host/key_codes.h"
#include "runtime/array.h"
#include "runtime/object.h"
#include "runtime/string.h"

// A sound file decoded a slice per call, so that a long one (music) need not
// hold up an update. Made by NxGame::BeginAudioData; deleting it closes the
// file.
class NxAudioDecoding {
public:
    virtual ~NxAudioDecoding() {}
    // Decodes at least `frames` more sample frames, or the rest; true once
    // the sound is whole or decoding has failed.
    virtual bool Continue(int frames) = 0;
    // The samples decoded since the last Take, as LoadAudioData returns them
    // (the caller frees them), or null once decoding has failed. After the
    // Continue that answered true, a last Take hands over the rest.
    virtual unsigned char* Take(int* length, int* channels, int* format, int* hertz) = 0;
};

// Event kinds passed from the host to the delegate.
struct c_NxGameEvent {
    static constexpr int KeyDown = 1;
    static constexpr int KeyUp = 2;
    static constexpr int KeyChar = 3;
    static constexpr int MouseDown = 4;
    static constexpr int MouseUp = 5;
    static constexpr int MouseMove = 6;
    static constexpr int TouchDown = 7;
    static constexpr int TouchUp = 8;
    static constexpr int TouchMove = 9;
    static constexpr int MotionAccel = 10;
};

// What the host calls; the framework's game delegate implements it.
class NxGameDelegate : public Object {
public:
    virtual void StartGame() {}
    virtual void SuspendGame() {}
    virtual void ResumeGame() {}
    virtual void UpdateGame() {}
    virtual void RenderGame() {}
    virtual void KeyEvent(int, int) {}
    virtual void MouseEvent(int, int, float, float) {}
    virtual void TouchEvent(int, int, float, float) {}
    virtual void MotionEvent(int, int, float, float, float) {}
    virtual void DiscardGraphics() {}
};

constexpr const char* kStateFilePath = "./.kestrelstate";

// Counts every OpenGL context the host creates; textures made in an older
// context must be made again.
extern int nxGraphicsContextSeq;

// A display's size in pixels.
struct NxVideoMode {
    int width = 0;
    int height = 0;
};

class NxGame {
public:
    NxGame();
    virtual ~NxGame() {}

    virtual void SetDelegate(NxGameDelegate* delegate) { _delegate = delegate; }
    virtual NxGameDelegate* Delegate() { return _delegate; }
    virtual void SetKeyboardEnabled(bool enabled) { _keyboardEnabled = enabled; }
    virtual bool KeyboardEnabled() { return _keyboardEnabled; }
    // Also starts a fresh update schedule at the next update.
    void SetUpdateRate(int hertz);
    virtual int UpdateRate() { return _updateRate; }
    virtual bool Started() { return _started; }
    virtual bool Suspended() { return _suspended; }
    virtual int Millisecs() { return 0; }
    virtual void GetDate(Array<int> date);
    virtual int SaveState(const String& state);
    virtual String LoadState();
    // True once after another copy of the game (another tab of the page)
    // changed the stored state since it was last read. A host that cannot
    // tell says false; the game still takes in the store on every save and
    // resume.
    virtual bool StateChangedElsewhere() { return false; }
    // Whether the data files whose names end in `suffix` (an image
    // resolution's, as "-hd") are in place to be read. A host that brings
    // some of its data only when needed (a page fetches it) starts bringing
    // it at the first ask and says false until all of it is there.
    virtual bool DataReady(const String&) { return true; }
    virtual String LoadString(const String& path);
    virtual bool PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                              Array<bool> buttons);
    virtual void OpenUrl(const String&) {}
    virtual void SetMouseVisible(bool) {}
    virtual int GetDeviceWidth() { return 0; }
    virtual int GetDeviceHeight() { return 0; }
    // The desktop's mode, what a fullscreen window is sized to; false for a
    // host with no windows to switch.
    virtual bool GetDesktopMode(NxVideoMode*) { return false; }
    // Makes the game's window fullscreen or a window of the given size; false
    // (and nothing changes) for a host with no windows to switch.
    virtual bool SetWindow(int, int, bool) { return false; }
    virtual void SetSwapInterval(int) {}
    // Whether the game may end the program. A browser page cannot close its
    // own tab, so there the game's ways out leave it playing where it is.
    virtual bool CanEndProgram() { return true; }
    // The "kestrel://" roots beside the program (the data root in the data
    // folder); other paths as they are. File paths are the bytes the system
    // takes: a folder found in the environment is kept as it was found, never
    // decoded and encoded again (a name need not be UTF-8).
    virtual std::string PathToFilePath(const String& path);
    // The file LoadState and SaveState keep the records in: the state file
    // beside the program unless a host keeps them elsewhere.
    virtual std::string StateFilePath();
    virtual FILE* OpenFile(const String& path, const String& mode);
    // A heap buffer the caller releases with free(), or null.
    virtual unsigned char* LoadData(const String& path, int* length);
    // Decoded pixels (caller frees with free()) or null.
    virtual unsigned char* LoadImageData(const String& path, int* width, int* height, int* depth);
    // Decoded samples (caller frees with free()) or null. Decoded at once, so
    // a long file keeps only its first 30 seconds (effects are short).
    virtual unsigned char* LoadAudioData(const String& path, int* length, int* channels, int* format,
                                         int* hertz);
    // The same decoding spread over several calls, keeping a long file's first
    // 10 minutes (music); null when the file cannot be opened or is no sound we read.
    virtual NxAudioDecoding* BeginAudioData(const String& path);
    [[noreturn]] virtual void Die(ThrowableObject* exception);
    virtual void gc_collect();

    // The entry points into the game: state gate, exception handler, collection step.
    virtual void StartGame();
    virtual void SuspendGame();
    virtual void ResumeGame();
    virtual void UpdateGame();
    virtual void RenderGame();
    virtual void KeyEvent(int event, int data);
    virtual void MouseEvent(int event, int data, float x, float y);
    virtual void TouchEvent(int event, int data, float x, float y);
    virtual void MotionEvent(int event, int data, float x, float y, float z);
    virtual void DiscardGraphics();

    static NxGame* _game;

protected:
    NxGameDelegate* _delegate = nullptr;
    bool _keyboardEnabled = false;
    int _updateRate = 0;
    double _updatePeriod = 0.0;  // seconds; 1 / _updateRate
    double _nextUpdate = 0.0;    // seconds on the host's clock; 0.0: no schedule
    bool _started = false;
    bool _suspended = false;
    std::string _dataFolder = "./data/";  // where "kestrel://data/" leads

    // What LoadState reads, from the given file: empty when there is none.
    String ReadStateFile(const std::string& path);
    // Tells of a failed save (`reason` not 0) once per reason, not at every
    // level end and focus change. A success (0) forgets the reason, so
    // trouble that comes back after it was cleared is told again.
    void ReportSaveOutcome(int reason, const String& message);

private:
    int _reportedSaveFailure = 0;  // the reason last told, 0 after a success

    template <class Call>
    void Dispatch(Call call);
};
