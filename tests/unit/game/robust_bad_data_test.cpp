// The game with a missing or damaged data folder: it starts, loads what it
// can, draws what it has, and the menu and a level still work.
#include <cstdlib>
#include <fstream>

#include "tests/unit/game/game_fixture.h"

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}
std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The game runs in a folder of its own, holding no data/ or a damaged copy.
class BadData : public GameFixture {
protected:
    BadData() { loaded = false; }
    void TearDown() override {
        ASSERT_EQ(chdir(FLINGAROO_BUILD_DIR), 0);
        ASSERT_EQ(std::system(("rm -rf " + folder).c_str()), 0);
    }
    std::string programFolder() override {
        if (!damaged) return folder;
        const std::string data = folder + "/data/";
        EXPECT_EQ(std::system(("cp -r " FLINGAROO_BUILD_DIR "/data " + folder).c_str()), 0);
        std::remove((data + "gfx-hd.png").c_str());                                         // missing
        WriteFile(data + "tiles-hd.png", ReadFile(data + "tiles-hd.png").substr(0, 300));  // truncated
        WriteFile(data + "parts-hd.png", "");                                              // empty
        WriteFile(data + "logo-hd.png", std::string(5000, '\xff'));                         // not an image
        std::string lying = ReadFile(data + "sfx/002.wav").substr(0, 100);  // a header claiming far more data
        WriteFile(data + "sfx/002.wav", lying.replace(40, 4, std::string("\xff\xff\xff\x7f", 4)));
        WriteFile(data + "sfx/003.wav", "RIFF");
        std::remove((data + "sfx/001.wav").c_str());
        return folder;
    }
    // Starts level 1 from the menu and flings the ball.
    void playALittle() {
        finishLoading();
        tapKey(kKeySpace, 3);
        ASSERT_EQ(app->m_mode, kModePlaying);
        tapKey(kKeySpace, 3);
        frame(200);
        EXPECT_GT(ball(kBallY), 0) << "the ball fell";
    }
    bool damaged = false;
    std::string folder = [] {
        char pattern[] = "/tmp/flingaroo-data-XXXXXX";
        return std::string(mkdtemp(pattern));
    }();
};

TEST_F(BadData, GameWithoutDataStillRunsTheMenuAndALevel) {
    playALittle();
    EXPECT_EQ(app->m_images[kImageSprites], nullptr);
}

struct DamagedData : BadData {
    DamagedData() { damaged = true; }
};

TEST_F(DamagedData, DamagedFilesAreSkippedAndTheRestLoads) {
    playALittle();
    for (int image : {kImageSprites, kImageTiles, kImageParts, kImageLogo}) EXPECT_EQ(app->m_images[image], nullptr) << image;
    EXPECT_TRUE(app->m_images[kImageMenu] != nullptr && app->m_images[kImageIcons] != nullptr) << "intact files still load";
    EXPECT_TRUE(app->m_sounds[2] == nullptr || app->m_sounds[2]->m_sample == nullptr);
    EXPECT_NE(app->m_sounds[kSoundStartColumn]->m_sample, nullptr);
}

}  // namespace
