# A full frame of the game's draw list replayed through the graphics module
# and the renderer into the fake OpenGL: our own cost, the driver excluded.
flingaroo_benchmark(graphics_bench ${CMAKE_CURRENT_SOURCE_DIR}/graphics_bench.cpp)
target_link_libraries(graphics_bench PRIVATE graphics host runtime fake_gl)
