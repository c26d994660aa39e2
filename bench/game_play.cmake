# Play's own costs: building every level's tower (the 5000-step simulated
# fling included) and one update of a running level, on the fakes of
# OpenGL and OpenAL with the generated data/.
flingaroo_benchmark(game_play_bench ${CMAKE_CURRENT_SOURCE_DIR}/game_play_bench.cpp)
target_link_libraries(game_play_bench PRIVATE game framework graphics audio host runtime fake_gl fake_al)
target_compile_definitions(game_play_bench PRIVATE FLINGAROO_BUILD_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(game_play_bench data)
