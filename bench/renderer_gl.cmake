# The renderer against a bare OpenGL batch loop with real GL; bench/run
# starts Xvfb for it.
flingaroo_benchmark(renderer_gl_bench ${CMAKE_CURRENT_SOURCE_DIR}/renderer_gl_bench.cpp)
target_link_libraries(renderer_gl_bench PRIVATE gl_sprites)
