// The data path rule every host shares.
#include <gtest/gtest.h>

#include "host/data_path.h"

TEST(DataPathTest, RelativeNamesGoBelowTheDataRoot) {
    EXPECT_EQ(nx_data_FixDataPath(String("gfx/ball.png")).ToUtf8(), "kestrel://data/gfx/ball.png");
    EXPECT_EQ(nx_data_FixDataPath(String("a/b:/c")).ToUtf8(), "kestrel://data/a/b:/c");
    EXPECT_EQ(nx_data_FixDataPath(String("./save.txt")).ToUtf8(), "./save.txt");
    EXPECT_EQ(nx_data_FixDataPath(String("/abs/x")).ToUtf8(), "/abs/x");
    EXPECT_EQ(nx_data_FixDataPath(String("kestrel://data/x")).ToUtf8(), "kestrel://data/x");
    EXPECT_EQ(nx_data_FixDataPath(String("")).ToUtf8(), "kestrel://data/");
}
