// The main loop's sleep until the next update is due.
#include <time.h>

#include <cerrno>

#include "host/glfw/glfw_game.h"

void nx_host_sleep(double seconds) {
    timespec delay;
    delay.tv_sec = static_cast<time_t>(seconds);
    delay.tv_nsec = static_cast<long>((seconds - static_cast<double>(delay.tv_sec)) * 1e9);
    while (nanosleep(&delay, &delay) != 0 && errno == EINTR) {
    }
}
