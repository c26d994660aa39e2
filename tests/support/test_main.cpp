// GoogleTest entry for every unit suite: the collector's lists are made
// empty before anything is allocated, as the program's start-up does.
#include <gtest/gtest.h>

#include "runtime/gc.h"

int main(int argc, char** argv) {
    gc_init_lists();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
