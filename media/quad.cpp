// The textured-quad primitives and the steps they share.
#include "media/quad.h"

#include <GL/gl.h>

#include "core/camera.h"
#include "core/frame.h"
#include "media/Vector3D.h"
#include "media/texture.h"
#include "world/world.h"

namespace {

// Animation strips hold ten cells side by side.
constexpr float frameCells = 10.0f;
constexpr float frameCellWidth = 1.0f / frameCells;
// Depth of an animation frame, whatever z the caller gives.
constexpr float frameDepth = 1.99f;

// Screen-space placement: under draw2dortho a vertex at (-x, -y) lands on (x, y).
void enterScreenSpace(float x, float y, float z, float flipY)
{
    draw2dortho();
    glLoadIdentity();
    glTranslatef(-x, -y, z);
    glScalef(-1.0f, flipY, 1.0f);
}

}  // namespace

// Steps shared by the primitives.
namespace quad {

// Texture coordinates of a whole image stop this far short of its edges.
constexpr float texInset = 0.01f;
constexpr float texFar = 1.0f - texInset;

bool validate(float x, float y, float w, float h, int tex)
{
    return x >= quadMinCoordinate && y >= quadMinCoordinate && w > 0.0f && h > 0.0f && tex >= 0;
}

bool validateTinted(float x, float y, float w, float h, float r, float g, float b, int tex)
{
    return !(r < 0.0f || g < 0.0f || b < 0.0f) && validate(x, y, w, h, tex);
}

constexpr quadResult drawn{};
constexpr quadResult refusedImage{quadRefusal::image};
constexpr quadResult refusedFrame{quadRefusal::frame};

void setColour(float r, float g, float b, float a, int pick)
{
    if (pick != pickFlatColor) glColor4f(r, g, b, a);
}

void enableAlphaBlend(float r, float g, float b, bool al, int pick)
{
    if (!al || pick == pickFlatColor) return;
    glColor4f(r, g, b, 1.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
}

void beginPick(int pick)
{
    if (pick >= 0) {
        glPushName(static_cast<GLuint>(pick));
    } else if (pick == pickFlatColor) {
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
    }
}

void endPick(int pick)
{
    if (pick >= 0) glPopName();
}

void finish()
{
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// The end of the flat, frame and terrain forms: the pick name popped, alpha
// testing and blending off after a blended quad, then finish.
void endBlended(int pick, bool al)
{
    endPick(pick);
    if (al) {
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_BLEND);
    }
    finish();
}

// A quad in the xy plane centred on the origin, corners (-w, -h), (-w, h),
// (w, h), (w, -h); texture columns s0 to s1, rows tLow at -h to tHigh at +h.
void drawPlaneQuad(float w, float h, float s0, float s1, float tLow, float tHigh)
{
    glBegin(GL_POLYGON);
    glTexCoord2f(s0, tLow);
    glVertex3f(-w, -h, 0.0f);
    glTexCoord2f(s0, tHigh);
    glVertex3f(-w, h, 0.0f);
    glTexCoord2f(s1, tHigh);
    glVertex3f(w, h, 0.0f);
    glTexCoord2f(s1, tLow);
    glVertex3f(w, -h, 0.0f);
    glEnd();
}

}  // namespace quad

quadResult displayTexture(float x, float y, float z, float w, float h, float r, float g, float b, int tex, bool ov,
                          bool al, float a, int pick)
{
    if (!quad::validateTinted(x, y, w, h, r, g, b, tex)) return quad::refusedImage;
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    quad::setColour(r, g, b, a, pick);
    glDisable(GL_DEPTH_TEST);
    if (ov) enterScreenSpace(x, y, -z, 1.0f);
    else glTranslatef(x, y, z);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(tex));
    quad::enableAlphaBlend(r, g, b, al, pick);
    quad::beginPick(pick);

    quad::drawPlaneQuad(w, h, quad::texInset, quad::texFar, quad::texInset, quad::texFar);

    quad::endBlended(pick, al);
    if (ov) leave2dortho();  // also restores the model-view matrix saved above
    else glPopMatrix();
    return quad::drawn;
}

quadResult displayDepthTexture(float x, float y, float z, float w, float h, float rotx, float roty, float rotz, float r,
                               float g, float b, int tex, bool ov, bool al, float a, int pick)
{
    if (!quad::validateTinted(x, y, w, h, r, g, b, tex)) return quad::refusedImage;
    const float sx = w / 2.0f, sz = h / 2.0f;
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    quad::setColour(r, g, b, a, pick);
    if (ov) {
        enterScreenSpace(x, y, -z, 1.0f);
    } else {
        glEnable(GL_DEPTH_TEST);
        glTranslatef(x, y, z);
        glRotatef(rotx, 1.0f, 0.0f, 0.0f);
        glRotatef(roty, 0.0f, 1.0f, 0.0f);
        glRotatef(rotz, 0.0f, 0.0f, 1.0f);
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(tex));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    quad::enableAlphaBlend(r, g, b, al, pick);
    quad::beginPick(pick);

    CVector3D normal(w, 0.0f, h);
    normal.Normalize();
    glBegin(GL_POLYGON);
    glNormal3f(normal.x, normal.y, normal.z);
    glTexCoord2f(quad::texInset, quad::texInset);
    glVertex3f(-w, 0.0f, -h);
    glTexCoord2f(quad::texInset, sz + quad::texFar);
    glVertex3f(-w, 0.0f, h);
    glTexCoord2f(sx + quad::texFar, sz + quad::texFar);
    glVertex3f(w, 0.0f, h);
    glTexCoord2f(sx + quad::texFar, quad::texInset);
    glVertex3f(w, 0.0f, -h);
    glEnd();

    quad::endPick(pick);
    if (al) glDisable(GL_BLEND);
    quad::finish();
    if (ov) leave2dortho();
    else glPopMatrix();
    return quad::drawn;
}

quadResult displayFrame(float x, float y, float /*z*/, float w, float h, int tex, float frame, bool ov, bool al,
                        int pick)
{
    const float f = frame / frameCells;
    if (!quad::validate(x, y, w, h, tex)) return quad::refusedFrame;
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    quad::setColour(1.0f, 1.0f, 1.0f, 1.0f, pick);
    if (ov) {
        enterScreenSpace(x, y, frameDepth, -1.0f);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_DEPTH_TEST);
        glTranslatef(x, y, -frameDepth);
        glScalef(1.0f, -1.0f, 1.0f);
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(tex));
    quad::enableAlphaBlend(1.0f, 1.0f, 1.0f, al, pick);
    quad::beginPick(pick);

    quad::drawPlaneQuad(w, h, f + quad::texInset, f + frameCellWidth, quad::texFar, quad::texInset);

    quad::endBlended(pick, al);
    if (ov) {
        glCullFace(GL_FRONT);
        leave2dortho();
    } else {
        glPopMatrix();
    }
    return quad::drawn;
}

namespace {

// Every corner's normal points along (w, its height, h).
void terrainCorner(float x, float height, float z, float w, float h, float s, float t)
{
    CVector3D normal(w, height, h);
    normal.Normalize();
    glNormal3f(normal.x, normal.y, normal.z);
    glTexCoord2f(s, t);
    glVertex3f(x, height, z);
}

}  // namespace

void faceCamera(float pitch, float yaw)
{
    switch (camera.getCamMode()) {
    case camModeFirstPerson:
    case camModeThirdPerson:
        glRotatef(-yaw, 0.0f, 1.0f, 0.0f);
        glRotatef(pitch, 1.0f, 0.0f, 0.0f);
        break;
    case camModeOverhead:
        glRotatef(-yaw, 0.0f, 1.0f, 0.0f);
        break;
    default:  // flat under the editor's camera above
        glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        break;
    }
}

quadResult displayBillboardTexture(float x, float y, float z, float w, float h, int tex, bool /*al*/, float /*a*/,
                                   int pick)
{
    float pitch = 0.0f, yaw = 0.0f;
    camera.GetRot(pitch, yaw);
    if (!quad::validate(x, y, w, h, tex)) return quad::refusedImage;
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(tex));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTranslatef(x, y, z);
    glScalef(1.0f, -1.0f, 1.0f);
    glEnable(GL_BLEND);
    if (pick >= 0) glPushName(static_cast<GLuint>(pick));
    faceCamera(pitch, yaw);

    quad::drawPlaneQuad(w, h, quad::texInset, quad::texFar, quad::texFar, quad::texInset);

    if (pick >= 0) glPopName();
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
    quad::finish();
    glPopMatrix();
    return quad::drawn;
}

quadResult displayTerrainTexture(float x, float y, float z, float w, float h, float r, float g, float b, int tex,
                                 bool /*ov*/, bool al, float a, int pick, int tilex, int tiley)
{
    if (!quad::validateTinted(x, y, w, h, r, g, b, tex)) return quad::refusedImage;
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    quad::setColour(r, g, b, a, pick);
    if (al) glDisable(GL_DEPTH_TEST);
    else glEnable(GL_DEPTH_TEST);
    glTranslatef(x, y, z);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(tex));
    quad::enableAlphaBlend(r, g, b, al, pick);
    quad::beginPick(pick);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    // A tile's stored height is its corner at (-w, -h); the other three
    // corners are borrowed from its neighbours in +x, +y and both.
    const int map = world.getCurrentMap();
    const auto height = [&](int i, int j) { return world.worldGetTileHeight(tilex + i, tiley + j, map); };
    glBegin(GL_QUADS);
    terrainCorner(-w, height(0, 0), -h, w, h, quad::texFar, quad::texInset);
    terrainCorner(-w, height(0, 1), h, w, h, quad::texFar, quad::texFar);
    terrainCorner(w, height(1, 1), h, w, h, quad::texInset, quad::texFar);
    terrainCorner(w, height(1, 0), -h, w, h, quad::texInset, quad::texInset);
    glEnd();

    quad::endBlended(pick, al);
    glPopMatrix();
    glEnable(GL_LIGHTING);
    return quad::drawn;
}

quadResult displayImage(const img& image, float x, float y, float z, float w, float h, int pick, float r, float g,
                        float b, float a)
{
    if (image.getAnimState())
        return displayFrame(x, y, z, w, h, image.GetTex(), static_cast<float>(image.getCurrentFrame()), true, true,
                            pick);
    return displayTexture(x, y, z, w, h, r, g, b, image.GetTex(), true, true, a, pick);
}
