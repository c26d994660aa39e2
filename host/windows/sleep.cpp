// The main loop's sleep until the next update is due. Windows' ordinary
// sleep ends on a 15.6 ms clock tick, a whole update late at 60 per second:
// a high-resolution waitable timer ends on time, and where the system has
// none, the tick is made 1 ms for the program's life.
#include "host/windows/system.h"

#include "host/glfw/glfw_game.h"

namespace {

// CREATE_WAITABLE_TIMER_HIGH_RESOLUTION (Windows 10, 1803), newer than MinGW's headers.
constexpr DWORD kHighResolution = 0x2;

HANDLE make_timer() {
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, kHighResolution, TIMER_ALL_ACCESS);
    if (!timer) timeBeginPeriod(1);
    return timer;
}

}  // namespace

void nx_host_sleep(double seconds) {
    static HANDLE timer = make_timer();
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>(seconds * 1e7);  // relative, in 100 ns steps
    if (timer && SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
        WaitForSingleObject(timer, INFINITE);
        return;
    }
    Sleep(static_cast<DWORD>(seconds * 1000.0));
}
