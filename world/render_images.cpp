// The checked game image lookup of the world pass and the texture transform
// of an animation cell.
#include "world/render_images.h"

#include <GL/gl.h>

#include "media/texture.h"
#include "world/world.h"

namespace {

// An animation strip holds ten cells side by side; a cell is drawn trimmed by
// these margins of the whole texture.
constexpr float animationCellWidth = 0.1f;
constexpr float animationCellTrimS = 0.001f;
constexpr float animationCellTrimT = 0.01f;

}  // namespace

const img* gameImageAt(int index)
{
    if (index < 0 || index >= world.getGameImageCount() || index >= static_cast<int>(gameImg.size())) return nullptr;
    return &gameImg[static_cast<size_t>(index)];
}

imageRef lookUpImage(int index)
{
    imageRef ref;
    if (const img* image = gameImageAt(index)) {
        ref.tex = image->GetTex();
        ref.animated = image->getAnimState();
        ref.frame = image->getCurrentFrame();
    }
    return ref;
}

void beginAnimationCell(int frame, float spanS, float spanT)
{
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(static_cast<float>(frame) * animationCellWidth + animationCellTrimS, animationCellTrimT, 0.0f);
    glScalef((animationCellWidth - 2.0f * animationCellTrimS) / spanS, (1.0f - 2.0f * animationCellTrimT) / spanT,
             1.0f);
    glMatrixMode(GL_MODELVIEW);
}

void endAnimationCell()
{
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
