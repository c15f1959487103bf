// The flat, depth and animation-frame quads, and the steps every quad shares.
#include "media/quad.h"

#include <GL/gl.h>

#include <cmath>

#include "core/frame.h"
#include "media/quad_internal.h"
#include "menus/notice.h"

namespace {

const char* const imageErrorTitle = "Image Error!";
const char* const imageErrorMessage =
    "Invalid texture information trying to be displayed! Did you accidently delete images from your project?";
const char* const frameErrorMessage =
    "Invalid texture information trying to be displayed!! Did you accidently delete images from your project?";

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

namespace quad {

bool validate(float x, float y, float w, float h, int tex, const char* message)
{
    if (x >= quadMinCoordinate && y >= quadMinCoordinate && w > 0.0f && h > 0.0f && tex >= 0) return true;
    notice.setNotice(imageErrorTitle, message);
    return false;
}

bool validateTinted(float x, float y, float w, float h, float r, float g, float b, int tex)
{
    if (r < 0.0f || g < 0.0f || b < 0.0f) {
        notice.setNotice(imageErrorTitle, imageErrorMessage);
        return false;
    }
    return validate(x, y, w, h, tex, imageErrorMessage);
}

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

}  // namespace quad

bool displayTexture(float x, float y, float z, float w, float h, float r, float g, float b, int tex, bool ov,
                    bool al, float a, int pick)
{
    if (!quad::validateTinted(x, y, w, h, r, g, b, tex)) return false;
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    quad::setColour(r, g, b, a, pick);
    glDisable(GL_DEPTH_TEST);
    if (ov) enterScreenSpace(x, y, -z, 1.0f);
    else glTranslatef(x, y, z);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(tex));
    quad::enableAlphaBlend(r, g, b, al, pick);
    quad::beginPick(pick);

    glBegin(GL_POLYGON);
    glTexCoord2f(quad::texInset, quad::texInset);
    glVertex3f(-w, -h, 0.0f);
    glTexCoord2f(quad::texInset, quad::texFar);
    glVertex3f(-w, h, 0.0f);
    glTexCoord2f(quad::texFar, quad::texFar);
    glVertex3f(w, h, 0.0f);
    glTexCoord2f(quad::texFar, quad::texInset);
    glVertex3f(w, -h, 0.0f);
    glEnd();

    quad::endPick(pick);
    if (al) {
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_BLEND);
    }
    quad::finish();
    if (ov) leave2dortho();  // also restores the model-view matrix saved above
    else glPopMatrix();
    return true;
}

bool displayDepthTexture(float x, float y, float z, float w, float h, float rotx, float roty, float rotz, float r,
                         float g, float b, int tex, bool ov, bool al, float a, int pick)
{
    if (!quad::validateTinted(x, y, w, h, r, g, b, tex)) return false;
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

    const float length = std::sqrt(w * w + h * h);
    glBegin(GL_POLYGON);
    glNormal3f(w / length, 0.0f, h / length);
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
    return true;
}

bool displayFrame(float x, float y, float /*z*/, float w, float h, int tex, float frame, bool ov, bool al, int pick)
{
    const float f = frame / frameCells;
    if (!quad::validate(x, y, w, h, tex, frameErrorMessage)) return false;
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

    glBegin(GL_POLYGON);
    glTexCoord2f(f + quad::texInset, quad::texFar);
    glVertex3f(-w, -h, 0.0f);
    glTexCoord2f(f + quad::texInset, quad::texInset);
    glVertex3f(-w, h, 0.0f);
    glTexCoord2f(f + frameCellWidth, quad::texInset);
    glVertex3f(w, h, 0.0f);
    glTexCoord2f(f + frameCellWidth, quad::texFar);
    glVertex3f(w, -h, 0.0f);
    glEnd();

    quad::endPick(pick);
    if (al) {
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_BLEND);
    }
    quad::finish();
    if (ov) {
        glCullFace(GL_FRONT);
        leave2dortho();
    } else {
        glPopMatrix();
    }
    return true;
}
