# Image files are outside input: bytes go through the host's image decoder,
# whose stb_image is compiled with the host, so coverage reaches inside it.
flingaroo_fuzzer(image_decoder_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/image_decoder_fuzzer.cpp
  host runtime)
# Seeds: files that once broke the decoder (a chunk claiming 2 GiB, an empty
# first image-data chunk, a JPEG with too many Huffman codes), and a few of
# our smallest images, drawn by make_assets in this build, so the run starts
# inside PNG decoding rather than guessing a signature.
file(COPY ${CMAKE_CURRENT_SOURCE_DIR}/corpus/image_decoder/
     DESTINATION ${CMAKE_CURRENT_BINARY_DIR}/image_decoder_fuzzer-corpus)
set(image_seeds common/dpad.png common/icons.png vela_font.png fonts/editundo.png)
list(TRANSFORM image_seeds PREPEND ${CMAKE_BINARY_DIR}/data/)
add_custom_target(image_decoder_seeds ALL
  COMMAND ${CMAKE_COMMAND} -E copy ${image_seeds} ${CMAKE_CURRENT_BINARY_DIR}/image_decoder_fuzzer-corpus
  VERBATIM)
add_dependencies(image_decoder_seeds data)
add_dependencies(fuzzers image_decoder_seeds)
