// The focus rule and the fixed-rate updates every host's main loop runs.
#include "host/fixed_rate.h"

namespace {
constexpr int kMaxUpdatesPerFrame = 4;
}

bool nx_host_FollowFocus(NxGame* host, bool active, double* nextUpdate) {
    if (active != host->Suspended()) return active;  // already as it should be
    if (active) {
        host->ResumeGame();
    } else {
        host->SuspendGame();
    }
    *nextUpdate = 0.0;
    return !host->Suspended();
}

void nx_host_RunUpdates(NxGame* host, double period, double* nextUpdate, double (*now)()) {
    if (host->UpdateRate() == 0) {
        host->UpdateGame();
        return;
    }
    if (*nextUpdate == 0.0) *nextUpdate = now();
    for (int update = 0; update < kMaxUpdatesPerFrame; ++update) {
        host->UpdateGame();
        if (*nextUpdate == 0.0) return;  // the update changed the rate
        *nextUpdate += period;
        if (*nextUpdate > now()) return;
    }
    // Too far behind: drop the backlog rather than spiral.
    *nextUpdate = 0.0;
}
