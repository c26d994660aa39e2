// gxtkTextureState: the texturing switch and the bound texture of the
// current OpenGL context as the renderer last set them, so that OpenGL is
// called only for a change. Every texture call of the renderer goes through
// it; a context other than the one it knows (nxGraphicsContextSeq) starts unknown.
#include <GL/gl.h>

#include "graphics/renderer.h"
#include "host/nxgame.h"

namespace {

struct TrackedTextureState {
    int contextSeq = -1;  // the context the rest describes; -1 for none
    bool enabledKnown = false;
    bool enabled = false;
    bool textureKnown = false;
    unsigned int texture = 0;
};

TrackedTextureState tracked;

TrackedTextureState& Current() {
    if (tracked.contextSeq != nxGraphicsContextSeq) tracked = TrackedTextureState{nxGraphicsContextSeq};
    return tracked;
}

}  // namespace

void gxtkTextureState::Forget() { tracked = TrackedTextureState{}; }

void gxtkTextureState::SetEnabled(bool enabled) {
    TrackedTextureState& state = Current();
    if (state.enabledKnown && state.enabled == enabled) return;
    if (enabled) {
        glEnable(GL_TEXTURE_2D);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    state.enabledKnown = true;
    state.enabled = enabled;
}

void gxtkTextureState::Bind(unsigned int texture) {
    TrackedTextureState& state = Current();
    if (state.textureKnown && state.texture == texture) return;
    glBindTexture(GL_TEXTURE_2D, texture);
    state.textureKnown = true;
    state.texture = texture;
}

// OpenGL unbinds a deleted texture, and may hand its name out again.
void gxtkTextureState::Deleted(unsigned int texture) {
    TrackedTextureState& state = Current();
    if (state.texture == texture) state.textureKnown = false;
}
