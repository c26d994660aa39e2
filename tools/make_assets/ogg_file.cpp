// Ogg Vorbis output: the three header packets, then the samples fed in blocks; every
// packet the encoder gives back is put into Ogg pages that are written as they fill.
#include "tools/make_assets/ogg_file.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>

#include "tools/make_assets/wav_file.h"

namespace assets {

namespace {

constexpr int kChannels = 2;
constexpr int kStreamSerial = 0x466c6e67;  // any fixed number will do: "Flng"
constexpr long kSamplesPerFeed = 4096;

struct Encoder {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    FILE* file;
    bool written = true;
};

void WritePages(Encoder& encoder, bool flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(&encoder.stream, &page) : ogg_stream_pageout(&encoder.stream, &page)) {
        encoder.written = std::fwrite(page.header, 1, page.header_len, encoder.file) == size_t(page.header_len) &&
                          std::fwrite(page.body, 1, page.body_len, encoder.file) == size_t(page.body_len) &&
                          encoder.written;
    }
}

void WriteHeaders(Encoder& encoder) {
    ogg_packet identification, comments, codebooks;
    vorbis_analysis_headerout(&encoder.dsp, &encoder.comment, &identification, &comments, &codebooks);
    ogg_stream_packetin(&encoder.stream, &identification);
    ogg_stream_packetin(&encoder.stream, &comments);
    ogg_stream_packetin(&encoder.stream, &codebooks);
    // The headers end on a page of their own, so the audio starts on a fresh page.
    WritePages(encoder, true);
}

// Takes every block the encoder has ready through analysis into pages.
void DrainBlocks(Encoder& encoder) {
    ogg_packet packet;
    while (vorbis_analysis_blockout(&encoder.dsp, &encoder.block) == 1) {
        vorbis_analysis(&encoder.block, nullptr);
        vorbis_bitrate_addblock(&encoder.block);
        while (vorbis_bitrate_flushpacket(&encoder.dsp, &packet)) {
            ogg_stream_packetin(&encoder.stream, &packet);
            WritePages(encoder, false);
        }
    }
}

void WriteSamples(Encoder& encoder, const std::vector<float>& left, const std::vector<float>& right) {
    for (size_t first = 0; first < left.size(); first += kSamplesPerFeed) {
        const long count = static_cast<long>(std::min<size_t>(kSamplesPerFeed, left.size() - first));
        float** buffer = vorbis_analysis_buffer(&encoder.dsp, static_cast<int>(count));
        std::copy_n(left.begin() + first, count, buffer[0]);
        std::copy_n(right.begin() + first, count, buffer[1]);
        vorbis_analysis_wrote(&encoder.dsp, static_cast<int>(count));
        DrainBlocks(encoder);
    }
    vorbis_analysis_wrote(&encoder.dsp, 0);  // the end of the stream
    DrainBlocks(encoder);
    WritePages(encoder, true);
}

}  // namespace

bool WriteOgg(const std::string& path, const std::vector<float>& left,
              const std::vector<float>& right, float quality) {
    Encoder encoder;
    vorbis_info_init(&encoder.info);
    if (left.size() != right.size() || vorbis_encode_init_vbr(&encoder.info, kChannels, kSampleRate, quality) != 0) {
        vorbis_info_clear(&encoder.info);
        return false;
    }
    encoder.file = std::fopen(path.c_str(), "wb");
    if (encoder.file) {
        vorbis_comment_init(&encoder.comment);
        vorbis_analysis_init(&encoder.dsp, &encoder.info);
        vorbis_block_init(&encoder.dsp, &encoder.block);
        ogg_stream_init(&encoder.stream, kStreamSerial);
        WriteHeaders(encoder);
        WriteSamples(encoder, left, right);
        ogg_stream_clear(&encoder.stream);
        vorbis_block_clear(&encoder.block);
        vorbis_dsp_clear(&encoder.dsp);
        vorbis_comment_clear(&encoder.comment);
    }
    vorbis_info_clear(&encoder.info);
    return encoder.file && std::fclose(encoder.file) == 0 && encoder.written;
}

}  // namespace assets
