# Image files are outside input: bytes go through the host's image decoder.
flingaroo_fuzzer(image_decoder_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/image_decoder_fuzzer.cpp
  host runtime PkgConfig::STB)
