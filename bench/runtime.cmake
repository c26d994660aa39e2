# The collector in a running game: one collection step during play, the worst
# step (one finishing a cycle), the collected bytes allocated per update in
# play and in the menu, and one menu update, on the fakes of OpenGL and
# OpenAL with the generated data/.
flingaroo_benchmark(runtime_bench ${CMAKE_CURRENT_SOURCE_DIR}/runtime_bench.cpp)
target_link_libraries(runtime_bench PRIVATE game framework graphics audio host runtime fake_gl fake_al)
target_compile_definitions(runtime_bench PRIVATE FLINGAROO_BUILD_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(runtime_bench data)
