// The game's music: each tune rendered into a stereo loop that runs from its last sample
// into its first without a seam, levelled to sit under the sound effects.
#pragma once

#include <string>
#include <vector>

namespace assets {

struct MusicFile {
    std::string name;  // below music/, without ".ogg"
    std::vector<float> left, right;
};

// Every tune; empty if a tune cannot be read (the reason is on stderr).
std::vector<MusicFile> MakeMusic();

}  // namespace assets
