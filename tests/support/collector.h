// The collector driven to the end of its work, as a running program's later
// allocations would drive it.
#pragma once

#include <gtest/gtest.h>

#include "runtime/array.h"
#include "runtime/gc.h"

// Ends the collector's cycle and destroys whatever it found unreachable;
// returns what was printed meanwhile. Two cycles: an object stored through
// the write barrier is grey in the first.
inline std::string CollectEverythingUnreachable() {
    testing::internal::CaptureStdout();
    for (int cycle = 0; cycle < 2; ++cycle) gc_ext_malloced(kGcCycleBytes + 1), gc_collect_step(nullptr);
    Array<int> pressure(gc_free_bytes / 4 + 16);  // larger than all pending garbage: destroys it all
    return testing::internal::GetCapturedStdout();
}
