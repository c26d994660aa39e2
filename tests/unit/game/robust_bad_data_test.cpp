// The game with a damaged or missing data folder: it starts, loads what it
// can, draws what it has, and the menu and a level still work.
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/unit/game/game_fixture.h"

namespace {

std::string make_folder() {
    char pattern[] = "/tmp/flingaroo-data-XXXXXX";
    return mkdtemp(pattern);
}

void copy_data(const std::string& folder) {
    std::string command = "cp -r " FLINGAROO_BUILD_DIR "/data " + folder + "/";
    ASSERT_EQ(std::system(command.c_str()), 0);
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class BadDataTest : public GameFixture {
protected:
    void TearDown() override {
        ASSERT_EQ(chdir(FLINGAROO_BUILD_DIR), 0);
        std::string command = "rm -rf " + folder;
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    // Starts level 1 from the menu and flings the ball.
    void playALittle() {
        finishLoading();
        ASSERT_EQ(app->m_mode, 1);
        app->m_menuSel = 1;
        keyDown(32);
        frame(3);
        keyUp(32);
        frame(3);
        ASSERT_EQ(app->m_mode, 10);
        keyDown(32);
        frame(3);
        keyUp(32);
        frame(200);
    }

    std::string folder = make_folder();
};

class NoDataTest : public BadDataTest {
    std::string programFolder() override { return folder; }
};

TEST_F(NoDataTest, GameWithoutDataStillRunsMenuAndLevel) {
    playALittle();
    EXPECT_EQ(app->m_images[1], nullptr);
    EXPECT_GT(app->m_players[2], 0) << "the ball fell";
}

class DamagedDataTest : public BadDataTest {
    std::string programFolder() override {
        copy_data(folder);
        const std::string data = folder + "/data/";
        std::remove((data + "gfx-hd.png").c_str());                                 // missing
        write_file(data + "tiles-hd.png", read_file(data + "tiles-hd.png").substr(0, 300));  // truncated
        write_file(data + "parts-hd.png", "");                                        // empty
        write_file(data + "logo-hd.png", std::string(5000, '\xff'));                  // not an image
        // A WAV whose header claims far more data than the file holds.
        std::string lying = read_file(data + "sfx/002.wav").substr(0, 100);
        lying.replace(40, 4, std::string("\xff\xff\xff\x7f", 4));
        write_file(data + "sfx/002.wav", lying);
        write_file(data + "sfx/003.wav", "RIFF");  // truncated
        std::remove((data + "sfx/001.wav").c_str());
        return folder;
    }
};

TEST_F(DamagedDataTest, DamagedFilesAreSkippedAndTheRestLoads) {
    playALittle();
    EXPECT_EQ(app->m_images[1], nullptr);
    EXPECT_EQ(app->m_images[2], nullptr);
    EXPECT_EQ(app->m_images[96], nullptr);
    EXPECT_EQ(app->m_images[98], nullptr);
    EXPECT_NE(app->m_images[99], nullptr) << "intact files still load";
    EXPECT_NE(app->m_images[97], nullptr);
    EXPECT_TRUE(app->m_sounds[2] == nullptr || app->m_sounds[2]->m_sample == nullptr);
    EXPECT_NE(app->m_sounds[4], nullptr);
}

}  // namespace
