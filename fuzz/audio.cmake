# The WAV reader: every RIFF chunk size and field comes from outside the program.
flingaroo_fuzzer(wav_reader_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/wav_reader_fuzzer.cpp host)
# Seeds: small well-formed files (plain, with a LIST chunk, with an 18-byte
# fmt chunk), so the short ctest run starts from the reader's deep paths.
file(COPY ${CMAKE_CURRENT_SOURCE_DIR}/corpus/wav_reader/
     DESTINATION ${CMAKE_CURRENT_BINARY_DIR}/wav_reader_fuzzer-corpus)
