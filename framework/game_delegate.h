// The game delegate: receives the host's calls, owns the devices, keeps the
// device size current and calls the application.
#pragma once

#include "host/nxgame.h"

class c_InputDevice;
class gxtkGraphics;
class gxtkAudio;

class c_GameDelegate : public NxGameDelegate {
public:
    gxtkGraphics* m__graphics = nullptr;
    gxtkAudio* m__audio = nullptr;
    c_InputDevice* m__input = nullptr;

    void mark() override;

    void StartGame() override;
    void SuspendGame() override;
    void ResumeGame() override;
    void UpdateGame() override;
    void RenderGame() override;
    void KeyEvent(int event, int data) override;
    void MouseEvent(int event, int data, float x, float y) override;
    void TouchEvent(int event, int data, float x, float y) override;
    void MotionEvent(int event, int data, float x, float y, float z) override;
    void DiscardGraphics() override;
};
