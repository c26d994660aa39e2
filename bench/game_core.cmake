# The game's own per-update and per-frame costs: an update of the loading
# screen and the replay of a full draw list, on the fakes of OpenGL
# and OpenAL with the generated data/.
flingaroo_benchmark(game_core_bench ${CMAKE_CURRENT_SOURCE_DIR}/game_core_bench.cpp)
target_link_libraries(game_core_bench PRIVATE game framework graphics audio host runtime fake_gl fake_al)
target_compile_definitions(game_core_bench PRIVATE FLINGAROO_BUILD_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(game_core_bench data)
