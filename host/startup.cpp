// The runtime's start-up, the same for every host: it calls the program's
// nxInit and nxMain, so it sits in a file of its own that only a program pulls in.
#include <clocale>

#include "host/fixed_rate.h"
#include "runtime/error.h"
#include "runtime/gc.h"
#include "runtime/program.h"

void nx_host_StartRuntime() {
    nx_install_signal_handlers();
    if (!std::setlocale(LC_CTYPE, "en_US.UTF-8")) std::setlocale(LC_CTYPE, "");
    gc_init_lists();
    nxInit();
    gc_mark();
    nxMain();
}
