// The collector's lists must exist before the first collected allocation.
#include <gtest/gtest.h>

#include "runtime/gc.h"

int main(int argc, char** argv) {
    gc_init_lists();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
