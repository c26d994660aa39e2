# The saved-data loader: the state file is outside input that anyone can
# edit, shorten or replace.
flingaroo_fuzzer(saved_data_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/saved_data_fuzzer.cpp
  game framework graphics audio host runtime OpenGL::GL PkgConfig::OPENAL PkgConfig::STB)
# Seeds: a first-run save, a save with records, and a damaged one.
file(COPY ${CMAKE_CURRENT_SOURCE_DIR}/corpus/saved_data/
     DESTINATION ${CMAKE_CURRENT_BINARY_DIR}/saved_data_fuzzer-corpus)
