// Writing of stereo Ogg Vorbis files through libvorbisenc. The Ogg stream's serial number
// is fixed rather than random, so the same samples always make the same bytes.
#pragma once

#include <string>
#include <vector>

namespace assets {

// Samples in -1..1 at kSampleRate, the two channels of equal length; `quality` is
// libvorbisenc's variable-bit-rate scale, -0.1 (smallest) to 1 (best).
bool WriteOgg(const std::string& path, const std::vector<float>& left,
              const std::vector<float>& right, float quality);

}  // namespace assets
