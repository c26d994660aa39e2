// On Linux the standard output and error are the console already.
#include "host/glfw/console.h"

void nx_glfw_FindConsole() {}
