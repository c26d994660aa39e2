// Logical buttons with and without iCade decoding, sticks and pointer hit
// tests; the shared random numbers, particles and stars.
#include <cmath>
#include <cstdint>
#include <set>
#include <utility>

#include "framework/random_math.h"
#include "tests/unit/game/game_fixture.h"

namespace {

class ControlsTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        finishLoading();
    }
    // Whether the logical button reads as down for the keyboard.
    bool keyActs(int key, int button) {
        keyDown(key);
        frame();
        const bool down = app->p_PlayKey(button, 0, -1) != 0;
        keyUp(key);
        frame();
        return down;
    }
};

// Keys that are not iCade letters, with the logical button each presses.
const std::pair<int, int> kNonLetterKeys[] = {{38, 0}, {37, 3}, {39, 5}, {40, 8}, {32, 10}, {13, 10},
                                              {17, 11}, {16, 12}, {27, 99}, {46, 99}, {8, 99}};
const std::pair<int, int> kLetterKeys[] = {{87, 0},  {65, 3},  {68, 5},  {83, 8},  {90, 10}, {74, 10},
                                           {88, 11}, {75, 11}, {67, 12}, {76, 12}, {86, 13}, {73, 13},
                                           {66, 14}, {85, 14}, {78, 15}, {79, 15}, {192, 99}};

TEST_F(ControlsTest, IcadeTakesTheLetterKeysButLeavesTheOthers) {
    for (auto [key, button] : kLetterKeys) EXPECT_TRUE(keyActs(key, button)) << "key " << key << " without iCade";
    app->p_iCade(1);
    for (auto [key, button] : kLetterKeys) EXPECT_FALSE(keyActs(key, button)) << "key " << key << " with iCade";
    for (auto [key, button] : kNonLetterKeys) EXPECT_TRUE(keyActs(key, button)) << "key " << key << " with iCade";
}

TEST_F(ControlsTest, IcadeLettersPressAndReleaseInEitherCase) {
    app->p_iCade(1);
    for (auto [press, release] : {std::pair<char, char>{'w', 'e'}, {'W', 'E'}, {'w', 'E'}}) {
        typeChar(press);
        frame();
        EXPECT_EQ(app->p_PlayKey(0, 0, -1), 1) << press;
        frame();
        EXPECT_EQ(app->p_PlayKey(0, 0, -1), 1) << "held until the release letter";
        typeChar(release);
        frame();
        EXPECT_EQ(app->p_PlayKey(0, 0, -1), 0) << release;
    }
    typeChar('i');
    frame();
    EXPECT_EQ(app->p_PlayKey(15, 0, -1), 2) << "menu buttons pass the held value through";
    app->p_iCade(0);
    EXPECT_EQ(app->p_PlayKey(15, 0, -1), 0) << "switching iCade off releases its buttons";
}

TEST_F(ControlsTest, StickCountsAsDirectionOnlyWithAnalog) {
    pads[0].present = true;
    pads[0].x[0] = 0.5f;  // left stick
    frame();
    EXPECT_EQ(app->p_PlayKey(5, 1, 0), 1);
    EXPECT_EQ(app->p_PlayKey(5, 0, 0), 0);
    EXPECT_EQ(app->p_PlayKey(3, 1, 0), 0);
    EXPECT_EQ(app->p_PlayKey(5, 1, 1), 0) << "another joystick";
    EXPECT_EQ(app->p_PlayKeyAll(5, 1), 1);
    app->p_iCade(1);
    EXPECT_EQ(app->p_PlayKey(5, 1, 0), 0) << "iCade turns the stick off";
}

TEST_F(ControlsTest, TouchBoxReachesFurtherRightAndDown) {
    mouseDown(21, 21);
    frame();
    EXPECT_EQ(app->p_Touch(0, 0, 10, 10), 1);
    mouseUp(21, 21);
    mouseDown(-6, 0);
    frame();
    EXPECT_EQ(app->p_Touch(0, 0, 10, 10), 0);
    mouseDown(5, 5);
    mouseUp(5, 5);
    frame();
    EXPECT_EQ(app->p_Touch(0, 0, 10, 10), 0) << "a touch that is up";
    EXPECT_EQ(app->p_MouseIn_Centered(5, 5, 10, 10), 0);
}

TEST_F(ControlsTest, ButtonHitsWithinHalfItsDrawnFrame) {
    // Image 95 is 64 units square: at size 1 the button spans 32 each way.
    mouseDown(131, 100);
    frame();
    app->p_ResetDraw();
    EXPECT_EQ(app->p_Button(95, 100, 100, 0), 1);
    EXPECT_EQ(app->m_btnHit, 1);
    EXPECT_EQ(app->p_Button(95, 99, 100, 0), 0) << "the edge is outside";
    EXPECT_TRUE(app->p_Button0(95, 100, 100, 0));
    EXPECT_EQ(app->p_MouseIn_Centered(100, 100, 64, 10), 1);
}

TEST(Random, RandFollowsTheSharedGeneratorFromSeed1234) {
    nx_random_Seed = 1234;
    c_MyApp* app = new c_MyApp();  // no arrays needed to draw numbers
    uint32_t state = 1234;
    for (int draw = 0; draw < 5; ++draw) {
        state = state * 1664525u + 1013904223u;
        const float unit = static_cast<float>(state >> 8) / 16777216.0f;
        EXPECT_EQ(app->p_Rand(3, 60), static_cast<int>(std::floor(unit * (60.99f - 3) + 3))) << draw;
    }
    EXPECT_EQ(nx_random_Seed, state);
    std::set<int> seen;
    for (int draw = 0; draw < 100000; ++draw) {
        const int value = app->p_Rand(0, 4);
        ASSERT_TRUE(value >= 0 && value <= 4) << value;
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 5u);
}

class EffectsTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        finishLoading();
        for (float& field : app->m_particles) field = 0;
    }
    float* particle(int slot) { return &app->m_particles[slot * 10]; }
    void fillPool() {
        for (int slot = 0; slot <= app->m_particleMax; ++slot) particle(slot)[0] = 1;
    }
};

TEST_F(EffectsTest, FullPoolStillScoresThePoints) {
    fillPool();
    app->m_score = 10;
    app->p_Gimme(5, 0, 0);
    EXPECT_EQ(app->m_score, 15);
    EXPECT_EQ(app->p_FreeParticle(), -1);
}

TEST_F(EffectsTest, HighestFreeRecordIsTakenFirst) {
    fillPool();
    particle(3)[0] = 0;
    particle(7)[0] = 0;
    app->p_ThrowParticle(10, 20, 1, 4, 0, 1);
    EXPECT_EQ(particle(7)[0], 1);
    EXPECT_EQ(particle(7)[8], 4);
    EXPECT_EQ(particle(3)[0], 0);
    app->p_Gimme(25, 10, 20);
    EXPECT_EQ(particle(3)[0], 99);
    EXPECT_EQ(particle(3)[9], 25);
}

TEST_F(EffectsTest, ShardRisesSlowsFallsAndLosesSideSpeed) {
    app->p_ThrowParticle(100, 100, 2, 1, 0, 5);
    float* shard = particle(app->m_particleMax);
    app->p_DoParticles();
    EXPECT_NEAR(shard[2], 95, 1e-4);
    EXPECT_NEAR(shard[4], -4.8f, 1e-4);
    for (int update = 0; update < 30; ++update) app->p_DoParticles();
    EXPECT_GT(shard[4], 0) << "gravity turned it round";

    app->p_ThrowParticle(100, 100, 2, 1, 90, 5);
    float* sideways = particle(app->m_particleMax - 1);
    app->p_DoParticles();
    EXPECT_NEAR(sideways[1], 105, 1e-4);
    EXPECT_NEAR(sideways[3], 4.75f, 1e-4);
}

TEST_F(EffectsTest, ParticleIsFreedWhenItsLifeRunsOut) {
    app->p_Gimme(5, 50, 50);
    float* number = particle(app->m_particleMax);
    for (int update = 0; update < 100; ++update) app->p_DoParticles();
    EXPECT_EQ(number[0], 99) << "life 1 lasts a hundred updates";
    EXPECT_NEAR(number[2], 50 - 25, 1e-3) << "rising a quarter unit each";
    app->p_DoParticles();
    EXPECT_EQ(number[0], 0);
}

TEST_F(EffectsTest, StarLeavingLeftEdgeComesBackOnTheRight) {
    app->p_ResetStars(1);
    float* star = &app->m_stars[0];
    star[1] = -10;
    star[3] = 0.5f;
    app->p_CLS2D();
    app->p_DoStars(-20, 0);
    EXPECT_FLOAT_EQ(star[1], -20 + nx_ZuDizaz_jscrw + 32);
    EXPECT_GE(star[2], -8);
    EXPECT_LE(star[2], nx_ZuDizaz_jscrh + 8);
    EXPECT_GE(star[3], 0.2f);
    EXPECT_LE(star[3], 0.8f);
    EXPECT_EQ(app->m_drawCount, 2 * 15) << "stars 0 and 1 drawn";
    EXPECT_EQ(app->m_drawList[7], star[3]) << "a star's alpha is its depth";
}

}  // namespace
