// Skybox, light, object cube, wire box, sphere and the play-time image box.
#include "world/render_primitives.h"

#include <GL/freeglut.h>

#include <string>

#include "core/camera.h"
#include "core/frame.h"
#include "core/pick_codes.h"
#include "media/quad.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/widgets.h"
#include "world/render_images.h"
#include "world/world.h"

namespace {

// One textured corner: texture (s, t), then the vertex.
struct texturedCorner {
    float s, t, x, y, z;
};

// A skybox face: the slot of its image among the map's six, its corners on
// the unit cube (scaled by the skybox half-size).
struct skyboxFace {
    int slot;
    texturedCorner corner[4];
};

enum skyboxSlot { skyFront, skyLeft, skyBack, skyRight, skyTop, skyBottom };

// The four walls, drawn mirrored in depth about the camera.
const skyboxFace skyboxWalls[] = {
    {skyFront, {{0, 0, 1, -1, -1}, {1, 0, -1, -1, -1}, {1, 1, -1, 1, -1}, {0, 1, 1, 1, -1}}},
    {skyLeft, {{0, 0, 1, -1, 1}, {1, 0, 1, -1, -1}, {1, 1, 1, 1, -1}, {0, 1, 1, 1, 1}}},
    {skyBack, {{0, 0, -1, -1, 1}, {1, 0, 1, -1, 1}, {1, 1, 1, 1, 1}, {0, 1, -1, 1, 1}}},
    {skyRight, {{0, 0, -1, -1, -1}, {1, 0, -1, -1, 1}, {1, 1, -1, 1, 1}, {0, 1, -1, 1, -1}}},
};
// The top, drawn after a further mirror in x and depth, and the bottom, drawn
// with front faces culled.
const skyboxFace skyboxTop = {skyTop, {{0, 1, -1, 1, -1}, {0, 0, -1, 1, 1}, {1, 0, 1, 1, 1}, {1, 1, 1, 1, -1}}};
const skyboxFace skyboxBottom = {skyBottom,
                                 {{0, 0, -1, -1, -1}, {0, 1, -1, -1, 1}, {1, 1, 1, -1, 1}, {1, 0, 1, -1, -1}}};

void drawSkyboxFace(const skyboxFace& face, const int images[skyboxFaces])
{
    const img* image = gameImageAt(images[face.slot]);
    if (!image) return;
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(image->GetTex()));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBegin(GL_QUADS);
    for (const texturedCorner& c : face.corner) {
        glTexCoord2f(c.s, c.t);
        glVertex3f(c.x * skyboxHalfSize, c.y * skyboxHalfSize, c.z * skyboxHalfSize);
    }
    glEnd();
}

// The six faces around the camera, unlit; the depth test as the caller set it.
void drawSkybox()
{
    float cx = 0.0f, cy = 0.0f, cz = 0.0f;
    camera.GetPos(cx, cy, cz);
    int images[skyboxFaces] = {};
    world.worldGetSkybox(images[0], images[1], images[2], images[3], images[4], images[5], world.getCurrentMap());

    glPushMatrix();
    glDisable(GL_LIGHTING);
    glCullFace(GL_BACK);
    glTranslatef(cx, cy, cz);
    glScalef(1.0f, 1.0f, -1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    for (const skyboxFace& face : skyboxWalls) drawSkyboxFace(face, images);
    glScalef(-1.0f, 1.0f, -1.0f);
    drawSkyboxFace(skyboxTop, images);
    glCullFace(GL_FRONT);
    drawSkyboxFace(skyboxBottom, images);
    glDisable(GL_TEXTURE_2D);
    glCullFace(GL_BACK);
    glPopMatrix();
}

// The light sits 3 units above the middle of the map.
constexpr float lightHeight = 3.0f;
constexpr GLfloat lightAmbient[4] = {0.1f, 0.1f, 0.1f, 1.0f};
constexpr GLfloat materialSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat materialShininess = 128.0f;

// Every cube corner's normal points along its own diagonal.
constexpr float cornerNormal = 0.57735027f;  // 1 / sqrt(3)

// A cube face: texture coordinates as fractions of the face's two spans, and
// the corners on the unit cube. Spans: 0 the width, 1 the height, 2 the depth.
struct cubeFace {
    int spanS, spanT;
    texturedCorner corner[4];
};

enum cubeSpan { spanWidth, spanHeight, spanDepth };

const cubeFace cubeFaces[] = {
    {spanWidth, spanHeight, {{0, 0, 1, -1, -1}, {1, 0, -1, -1, -1}, {1, 1, -1, 1, -1}, {0, 1, 1, 1, -1}}},
    {spanDepth, spanHeight, {{0, 0, 1, -1, 1}, {1, 0, 1, -1, -1}, {1, 1, 1, 1, -1}, {0, 1, 1, 1, 1}}},
    {spanWidth, spanHeight, {{0, 0, -1, -1, 1}, {1, 0, 1, -1, 1}, {1, 1, 1, 1, 1}, {0, 1, -1, 1, 1}}},
    {spanDepth, spanHeight, {{0, 0, -1, -1, -1}, {1, 0, -1, -1, 1}, {1, 1, -1, 1, 1}, {0, 1, -1, 1, -1}}},
    {spanWidth, spanDepth, {{0, 1, -1, 1, -1}, {0, 0, -1, 1, 1}, {1, 0, 1, 1, 1}, {1, 1, 1, 1, -1}}},
    {spanWidth, spanDepth, {{0, 0, -1, -1, -1}, {0, 1, -1, -1, 1}, {1, 1, 1, -1, 1}, {1, 0, 1, -1, -1}}},
};

void drawCubeFaces(const float spans[3])
{
    glBegin(GL_QUADS);
    for (const cubeFace& face : cubeFaces) {
        for (const texturedCorner& c : face.corner) {
            glNormal3f(c.x * cornerNormal, c.y * cornerNormal, c.z * cornerNormal);
            glTexCoord2f(c.s * spans[face.spanS], c.t * spans[face.spanT]);
            glVertex3f(c.x, c.y, c.z);
        }
    }
    glEnd();
}

// Each rotation is issued only when its angle is not 0.
void placeBox(float x, float y, float z, float w, float h, float d, float rotx, float roty, float rotz)
{
    glTranslatef(x, y, z);
    if (rotx != 0.0f) glRotatef(rotx, 1.0f, 0.0f, 0.0f);
    if (roty != 0.0f) glRotatef(roty, 0.0f, 1.0f, 0.0f);
    if (rotz != 0.0f) glRotatef(rotz, 0.0f, 0.0f, 1.0f);
    glScalef(w, h, d);
}

void drawCube(float x, float y, float z, float w, float h, float d, float rotx, float roty, float rotz, int tex,
              const float spans[3], int pick)
{
    glPushMatrix();
    glEnable(GL_DEPTH_TEST);
    if (pick >= 0) glPushName(static_cast<GLuint>(pick));
    placeBox(x, y, z, w, h, d, rotx, roty, rotz);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(tex));
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    drawCubeFaces(spans);
    glCullFace(GL_BACK);
    glDisable(GL_TEXTURE_2D);
    if (pick >= 0) glPopName();
    glDisable(GL_DEPTH_TEST);
    glPopMatrix();
}

// The blocker square in the top-left corner of the image box.
constexpr int gameBoxCornerCentre = 51;
constexpr int gameBoxCornerHalf = 51;
constexpr int sphereSlices = 16;

}  // namespace

bool drawingForSelection()
{
    GLint mode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    return mode == GL_SELECT;
}

int lowerDisplayTimer(int timer)
{
    if (timer <= gameBoxTimerReady) return timer;
    timer -= displayTimerStep;
    return timer <= 0 ? gameBoxTimerReady : timer;
}

void renderSkybox()
{
    glDisable(GL_DEPTH_TEST);
    drawSkybox();
}

void renderSkyboxBehind()
{
    glDepthRange(1.0, 1.0);  // every sky fragment lies on the far plane
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    drawSkybox();
    glDepthFunc(GL_LESS);
    glDepthRange(0.0, 1.0);
    glDisable(GL_DEPTH_TEST);
}

void renderLight()
{
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, world.getCurrentMap());
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_COLOR_MATERIAL);
    const GLfloat position[4] = {0.5f * tileSize * static_cast<float>(w), lightHeight,
                                 0.5f * tileSize * static_cast<float>(h), 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glMaterialfv(GL_FRONT, GL_SPECULAR, materialSpecular);
    glMaterialf(GL_FRONT, GL_SHININESS, materialShininess);
    glEnable(GL_NORMALIZE);
}

void renderCube(float x, float y, float z, float w, float h, float d, float rotx, float roty, float rotz, int tex,
                int pick)
{
    // The image repeats once per 4 units: the face spans half its half-extent.
    const float spans[3] = {w / 2.0f, h / 2.0f, d / 2.0f};
    drawCube(x, y, z, w, h, d, rotx, roty, rotz, tex, spans, pick);
}

void renderCubeFrame(float x, float y, float z, float w, float h, float d, float rotx, float roty, float rotz,
                     int tex, int frame, int pick)
{
    const float spans[3] = {1.0f, 1.0f, 1.0f};
    beginAnimationCell(frame, 1.0f, 1.0f);
    drawCube(x, y, z, w, h, d, rotx, roty, rotz, tex, spans, pick);
    endAnimationCell();
}

void renderCubeWire(float x, float y, float z, float w, float h, float d, float rotx, float roty, float rotz)
{
    constexpr float wireWidth = 3.0f;
    glPushMatrix();
    glDisable(GL_LIGHTING);
    placeBox(x, y, z, w, h, d, rotx, roty, rotz);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_ALPHA_TEST);
    glLineWidth(wireWidth);
    glutWireCube(1.0);
    glEnable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glPopMatrix();
}

void renderSphere(float x, float y, float z, float /*w*/, float /*h*/, float /*d*/, float r, int pick)
{
    glPushMatrix();
    glEnable(GL_DEPTH_TEST);
    if (pick >= 0) glPushName(static_cast<GLuint>(pick));
    glTranslatef(x, y, z);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glutSolidSphere(r, sphereSlices, sphereSlices);
    if (pick >= 0) glPopName();
    glDisable(GL_DEPTH_TEST);
    glPopMatrix();
}

void renderGameBox()
{
    int timer = 0, image = 0;
    world.getGameBox(timer, image);
    if (timer <= gameBoxTimerNone) return;
    if (timer > gameBoxTimerReady) world.setGameBox(lowerDisplayTimer(timer), image);

    const float cx = screenSpaceCentreX, cy = screenSpaceCentreY;
    const img* record = gameImageAt(image);
    // An index that names no image draws nothing, and the user is told.
    noticeIfRefused(record ? displayImage(*record, cx, cy, 0.0f, cx, cy, pickNone) : quadResult{quadRefusal::image});
    displaySingleChoice(gameBoxCornerCentre, gameBoxCornerCentre, gameBoxCornerHalf, gameBoxCornerHalf, sysImageNone,
                        pickBlocker, pickBlocker, pickBlocker);
}
