// What every host's main loop shares: the runtime's start-up before the
// first frame, and the fixed-rate updates after each frame.
#pragma once

#include "host/nxgame.h"

// Signal handlers, locale, collector lists, module globals, roots, then the
// application (which hands the host its delegate).
void nx_host_StartRuntime();

// The focus rule: a window that stops being active (unfocused, minimised,
// hidden) suspends the game and an active one resumes it, each time
// dropping the update schedule, so no burst of catch-up updates follows a
// pause. False when no update should run.
bool nx_host_FollowFocus(NxGame* host, bool active, double* nextUpdate);

// One to four updates at a fixed step of `period` seconds on the clock `now`,
// with the host's own schedule in *nextUpdate (0.0: none; an update that
// changes the rate resets it and ends the run). A host that has fallen four
// updates behind drops the backlog: *nextUpdate is 0.0 again. A rate of 0
// means one update per frame, untimed.
void nx_host_RunUpdates(NxGame* host, double period, double* nextUpdate, double (*now)());
