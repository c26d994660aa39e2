// The renderer draws exactly what plain OpenGL calls of the same design draw:
// the frames the renderer's benchmark times, read back pixel for pixel, with
// the renderer both before and after the bare loop has used the context.
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <set>

#include "bench/gl_sprites.h"

TEST(GlSpritesTest, RendererAndBareLoopLeaveTheSamePixels) {
    ASSERT_TRUE(glfwInit());
    nx_graphics_init();
    NxGlfwGame host;
    GlSprites sprites(host);
    for (const GlSpriteWorkload& workload : kGlSpriteWorkloads) {
        sprites.UseWindow(workload);
        sprites.DrawWithRenderer(workload);
        const std::vector<uint32_t> first = sprites.ReadFrame(workload);
        sprites.DrawBare(workload);
        const std::vector<uint32_t> bare = sprites.ReadFrame(workload);
        sprites.DrawWithRenderer(workload);
        EXPECT_TRUE(first == bare && sprites.ReadFrame(workload) == bare) << workload.name;
        const bool drawn = workload.sprites > 0 && !workload.scissored;
        EXPECT_EQ(std::set<uint32_t>(bare.begin(), bare.end()).size() > 100, drawn) << workload.name;
    }
}
