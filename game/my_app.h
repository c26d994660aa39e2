// The game object: one application built on the framework.
#pragma once

#include "framework/app.h"

class c_MyApp : public c_App {
public:
    c_MyApp* m_new();

    int p_OnCreate() override;
    int p_OnUpdate() override;
};
