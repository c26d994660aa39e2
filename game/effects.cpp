// Random numbers, the parallax star field and the particle pool (sparks,
// shards, rising score numbers). Every number comes from the one shared
// generator of the framework, and the order of draws below is what keeps a
// level's tower the same from run to run.
#include <algorithm>
#include <cmath>

#include "framework/random_math.h"
#include "game/ids.h"
#include "game/my_app.h"

namespace {

constexpr int kMaxStarCount = 499;
constexpr float kFrameRange = 255.99f;  // frames 0..255 of the parts image

// Star record fields.
constexpr int kStarFrame = 0, kStarX = 1, kStarY = 2, kStarDepth = 3;
constexpr float kStarMinDepth = 0.2f, kStarMaxDepth = 0.8f;
constexpr float kStarScatterMargin = 8;  // stars are placed up to this far off screen
constexpr float kStarWrapMargin = 16;    // and wrap once this far off screen

// Particle record fields and kinds.
constexpr int kPartKind = 0, kPartX = 1, kPartY = 2, kPartVX = 3, kPartVY = 4, kPartAngle = 5,
              kPartSpin = 6, kPartLife = 7, kPartColour = 8, kPartFrame = 9;
constexpr int kFree = 0, kShard = 2, kLastSparkKind = 9, kScoreNumber = 99;
constexpr float kShardDrag = 0.95f, kShardGravity = 0.2f;
constexpr float kLifePerUpdate = 0.01f;
constexpr float kScoreRise = -0.25f;
constexpr int kScoreColour = 3;

struct ParticleColour {
    float red, green, blue;
};
// Colours 1..9; index 0 is the grey of every other colour number.
constexpr ParticleColour kParticleColours[] = {
    {76.5f, 76.5f, 76.5f}, {255, 25.5f, 25.5f},  {255, 127.5f, 25.5f}, {255, 255, 25.5f},
    {25.5f, 255, 25.5f},   {25.5f, 255, 255},    {25.5f, 25.5f, 255},  {127.5f, 25.5f, 255},
    {255, 25.5f, 127.5f},  {255, 255, 255},
};

int RandomFrame() { return static_cast<int>(std::floor(nx_random_Rnd() * kFrameRange)); }
float RandomDepth() { return nx_random_Rnd2(kStarMinDepth, kStarMaxDepth); }

}  // namespace

int c_MyApp::p_Rand(int lo, int hi) {
    return static_cast<int>(std::floor(nx_random_Rnd() * ((hi + 0.99f) - lo) + lo));
}

namespace {

// Highest record index the float arrays can hold; the counts are fields
// any code may set, so loops stop here rather than run off the array.
int LastRecord(const Array<float>& records, int count) {
    return std::min(count, records.Length() / kEffectRecordFloats - 1);
}

}  // namespace

int c_MyApp::p_ResetStars(int n) {
    if (n >= 1 && n <= kMaxStarCount)
        m_starCount = n;
    else
        n = m_starCount;
    for (int star = 0; star <= LastRecord(m_stars, n); ++star) {
        float* s = &m_stars[star * kEffectRecordFloats];
        s[kStarFrame] = static_cast<float>(RandomFrame());
        s[kStarX] = nx_random_Rnd() * (nx_ZuDizaz_jscrw + 2 * kStarScatterMargin) - kStarScatterMargin;
        s[kStarY] = nx_random_Rnd() * (nx_ZuDizaz_jscrh + 2 * kStarScatterMargin) - kStarScatterMargin;
        s[kStarDepth] = RandomDepth();
        // Two draws more, so that the generator stays in step with the
        // towers built after the stars.
        nx_random_Rnd();
        nx_random_Rnd();
    }
    return 0;
}

namespace {

// A star that left one edge comes back at the opposite one with a new
// position along that edge, a new depth and a new look.
void WrapStar(float* s) {
    const float width = nx_ZuDizaz_jscrw, height = nx_ZuDizaz_jscrh;
    const bool horizontal = s[kStarX] < -kStarWrapMargin || s[kStarX] > width + kStarWrapMargin;
    const bool vertical = s[kStarY] < -kStarWrapMargin || s[kStarY] > height + kStarWrapMargin;
    if (horizontal) {
        s[kStarX] += s[kStarX] < -kStarWrapMargin ? width + 2 * kStarWrapMargin : -(width + 2 * kStarWrapMargin);
        s[kStarY] = nx_random_Rnd() * (height + 2 * kStarScatterMargin) - kStarScatterMargin;
    } else if (vertical) {
        s[kStarY] += s[kStarY] < -kStarWrapMargin ? height + 2 * kStarWrapMargin : -(height + 2 * kStarWrapMargin);
        s[kStarX] = nx_random_Rnd() * (width + 2 * kStarScatterMargin) - kStarScatterMargin;
    } else {
        return;
    }
    s[kStarDepth] = RandomDepth();
    s[kStarFrame] = static_cast<float>(RandomFrame());
}

}  // namespace

int c_MyApp::p_DoStars(float dx, float dy) {
    p_ResetDraw();
    for (int star = 0; star <= LastRecord(m_stars, m_starCount); ++star) {
        float* s = &m_stars[star * kEffectRecordFloats];
        s[kStarX] += dx * s[kStarDepth];
        s[kStarY] += dy * s[kStarDepth];
        WrapStar(s);
        p_Alpha(s[kStarDepth]);
        p_DrawImg(kImageParts, s[kStarX], s[kStarY], s[kStarFrame]);
    }
    p_ResetDraw();
    return 0;
}

// The highest free record, so that new particles are found by a short scan
// from the top while old ones sit low.
int c_MyApp::p_FreeParticle() {
    for (int slot = LastRecord(m_particles, m_particleMax); slot >= 0; --slot)
        if (m_particles[slot * kEffectRecordFloats + kPartKind] == kFree) return slot;
    return -1;
}

int c_MyApp::p_ThrowParticle(float x, float y, int kind, int colour, float angle, float speed) {
    // The random direction and speed are drawn even for a full pool, so the
    // generator advances the same whatever the pool holds.
    if (angle == kAbsent) angle = nx_random_Rnd() * 360;
    if (speed == kAbsent) speed = nx_random_Rnd() * 5 + 3;
    const int slot = p_FreeParticle();
    if (slot < 0) return 0;
    float* p = &m_particles[slot * kEffectRecordFloats];
    p[kPartKind] = static_cast<float>(kind);
    p[kPartX] = x;
    p[kPartY] = y;
    p[kPartVX] = speed * std::sin(angle * D2R);
    p[kPartVY] = -speed * std::cos(angle * D2R);
    p[kPartAngle] = nx_random_Rnd() * 360;
    p[kPartSpin] = nx_random_Rnd() * 16 - 8;
    p[kPartLife] = nx_random_Rnd() * 0.6f + 0.7f;
    p[kPartFrame] = static_cast<float>(RandomFrame());
    p[kPartColour] = static_cast<float>(colour);
    return 0;
}

int c_MyApp::p_ThrowParticle(float x, float y, int colour) {
    return p_ThrowParticle(x, y, kShard, colour, kAbsent, kAbsent);
}

int c_MyApp::p_Gimme(int points, float x, float y) {
    m_score += points;
    const int slot = p_FreeParticle();
    if (slot < 0) return 0;
    float* p = &m_particles[slot * kEffectRecordFloats];
    p[kPartKind] = kScoreNumber;
    p[kPartX] = x;
    p[kPartY] = y;
    p[kPartVX] = 0;
    p[kPartVY] = kScoreRise;
    p[kPartAngle] = static_cast<float>(static_cast<int>(std::floor(nx_random_Rnd() * 360.99f)));
    p[kPartSpin] = nx_random_Rnd() * 14 - 7;
    p[kPartLife] = 1;
    p[kPartColour] = kScoreColour;
    p[kPartFrame] = static_cast<float>(points);
    return 0;
}

namespace {

void MoveParticle(float* p) {
    p[kPartX] += p[kPartVX];
    p[kPartY] += p[kPartVY];
    p[kPartAngle] += p[kPartSpin];
    if (p[kPartKind] == kShard) {
        p[kPartVX] *= kShardDrag;
        p[kPartVY] += kShardGravity;
    }
}

void DrawParticle(c_MyApp& app, const float* p) {
    const int kind = static_cast<int>(p[kPartKind]);
    app.p_SetRot(kind == kScoreNumber ? 0 : p[kPartAngle]);
    app.p_Alpha(std::min(p[kPartLife], 1.0f));
    app.p_SetSize(2);
    const int colour = static_cast<int>(p[kPartColour]);
    const ParticleColour& c = kParticleColours[colour >= 1 && colour <= 9 ? colour : 0];
    app.p_SetCol(c.red, c.green, c.blue);
    const float x = p[kPartX] - app.m_camX, y = p[kPartY] - app.m_camY;
    if (kind >= 1 && kind <= kLastSparkKind)
        app.p_DrawImg(kImageParts, x, y, p[kPartFrame]);
    else if (kind == kScoreNumber)
        app.p_Text(x, y, String(static_cast<int>(p[kPartFrame])), 1, 1);
}

}  // namespace

int c_MyApp::p_DoParticles() {
    p_ResetDraw();
    for (int slot = 0; slot <= LastRecord(m_particles, m_particleMax); ++slot) {
        float* p = &m_particles[slot * kEffectRecordFloats];
        if (p[kPartKind] <= 0) continue;
        MoveParticle(p);
        DrawParticle(*this, p);
        p[kPartLife] -= kLifePerUpdate;
        if (p[kPartLife] < 0) p[kPartKind] = kFree;
    }
    p_ResetDraw();
    return 0;
}
