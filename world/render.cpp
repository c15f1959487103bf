// gameRender: fog, skybox and light, then the editor's or the play view of
// the current map's tiles and objects, then the phrase box of play.
#include "world/render.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/camera.h"
#include "core/pick.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/edge_scroll.h"
#include "editor/editor.h"
#include "media/3dmath.h"
#include "media/frustum.h"
#include "media/model.h"
#include "media/quad.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/widgets.h"
#include "world/game_files.h"
#include "world/render_images.h"
#include "world/render_primitives.h"
#include "world/render_tiles.h"
#include "world/world.h"

namespace {

// The editor pulse of Squares with local rules: its step per call and range.
constexpr float pulseStep = 0.005f;
constexpr float pulseLow = 0.5f;
constexpr float pulseHigh = 1.0f;

float imageFlash = pulseHigh;
bool flashDown = true;

// Fog: the map's density is divided by this; start and end of the range.
constexpr float fogDensityDivisor = 8.0f;
constexpr float fogStart = 1.0f;
constexpr float fogEnd = 100.0f;

// The facing marker of the current object in the editor.
constexpr float markerHalfSize = 0.3f;
constexpr int markerPickName = 0;

// The look-at Model pitched down under the following cameras.
constexpr float lookAtModelPitch = -88.0f;
// The look-at Model of the first-person view, drawn in the 800 x 600 overlay.
constexpr int firstPersonModelX = 600, firstPersonModelY = 400;
constexpr float firstPersonModelScale = 100.0f;
constexpr float firstPersonModelRot[3] = {80.0f, 180.0f, -70.0f};

// The phrase box: centre, margin beside the text, half-height.
constexpr int phraseBoxX = 400, phraseBoxY = 200;
constexpr int phraseBoxMargin = 20;
constexpr int phraseBoxHalfHeight = 40;

bool inFrustum(float x, float y, float z, float radius)
{
    return SphereInFrustum(x, y, z, radius) > 0.0f;
}

// ------------------------------------------------------------ objects

// One object as drawn: position (x, y on the ground, z up), size, image index
// (model number for a Model), type and rotation.
struct objectView {
    int index = 0;
    float x = 0, y = 0, z = 0, w = 0, h = 0, d = 0;
    int tex = 0, layer = 0, type = 0;
    float rotx = 0, roty = 0, rotz = 0;

    int pick() const { return static_cast<int>(pickObjectNameBase) + index; }
    bool inView() const { return inFrustum(x, z, y, objectCullFactor * std::max({w, h, d})); }
};

objectView readObject(int o, int m)
{
    objectView v;
    v.index = o;
    world.worldGetObject(v.x, v.y, v.z, v.w, v.h, v.d, v.tex, v.layer, o, m);
    v.type = world.worldGetObjectType(o, m);
    world.worldGetRot(v.rotx, v.roty, v.rotz, o, m);
    return v;
}

// The order in which an object's rotations reach a primitive's three axes.
enum rotationOrder { rotationXYZ, rotationXZY };

struct rotationArgs {
    float a, b, c;
};

rotationArgs rotationsOf(const objectView& o, rotationOrder order)
{
    if (order == rotationXZY) return {o.rotx, o.rotz, o.roty};
    return {o.rotx, o.roty, o.rotz};
}

void drawCubeObject(const objectView& o, rotationOrder order)
{
    const imageRef image = lookUpImage(o.tex);
    if (image.tex < 0) return;  // the cube has no refusal of its own: an unknown image is skipped
    const rotationArgs r = rotationsOf(o, order);
    if (image.animated)
        renderCubeFrame(o.x, o.z, o.y, o.w, o.h, o.d, r.a, r.b, r.c, image.tex, image.frame, o.pick());
    else
        renderCube(o.x, o.z, o.y, o.w, o.h, o.d, r.a, r.b, r.c, image.tex, o.pick());
}

void drawSquareObject(const objectView& o, rotationOrder order, float grey)
{
    const imageRef image = lookUpImage(o.tex);
    const rotationArgs r = rotationsOf(o, order);
    cellScope cell(image, o.w / 2.0f + 1.0f, o.h / 2.0f + 1.0f);
    noticeIfRefused(displayDepthTexture(o.x, o.z, o.y, o.w, o.h, r.a, r.b, r.c, grey, grey, grey, image.tex, false,
                                        true, 1.0f, o.pick()));
}

void drawModelObject(const objectView& o)
{
    const rotationArgs r = rotationsOf(o, rotationXZY);
    renderModel(o.x, o.z, o.y, o.w, o.h, o.d, r.a, r.b, r.c, o.tex, o.pick());
}

void drawBillboardObject(const objectView& o)
{
    const imageRef image = lookUpImage(o.tex);
    cellScope cell(image, 1.0f, 1.0f);
    noticeIfRefused(displayBillboardTexture(o.x, o.z, o.y, o.w, o.h, image.tex, true, 1.0f, o.pick()));
}

bool followingCamera()
{
    const int mode = camera.getCamMode();
    return mode == camModeThirdPerson || mode == camModeOverhead;
}

// Under the following cameras the look-at object turns only by its negated
// yaw (a Model also pitched down).
void adjustLookAtRotation(objectView& o)
{
    if (o.index != world.getLookAtObject() || !followingCamera()) return;
    if (o.type == objectTypeCube) {
        o.roty = -o.roty;
        o.rotx = o.rotz = 0.0f;
    } else if (o.type == objectTypeModel) {
        o.roty = -o.roty;
        o.rotx = lookAtModelPitch;
    }
}

void drawPlayModel(const objectView& o)
{
    if (o.index == world.getLookAtObject() && camera.getCamMode() == camModeFirstPerson) {
        renderModelOrtho(firstPersonModelX, firstPersonModelY, static_cast<int>(o.w * firstPersonModelScale),
                         static_cast<int>(o.d * firstPersonModelScale), firstPersonModelRot[0],
                         firstPersonModelRot[1], firstPersonModelRot[2], o.tex);
        return;
    }
    drawModelObject(o);
}

// How a view draws its objects: the order of the rotations, the grey of a
// Square, whether Squares are culled, whether the look-at Model may move to
// the first-person overlay, and whether every object is culled.
struct objectStyle {
    rotationOrder order;
    float squareGrey;
    bool cullSquares;
    bool playModels;
    bool cullAll;
};

// Cubes and Models are culled by their sphere, Squares when the style says
// so, Billboards never. The ordinary frame culls them all: each one's sphere
// holds its whole quad, so one wholly outside the view would draw nothing
// anyway; the pick pass keeps the rule, so an object nearer than the view's
// near plane can still be picked.
void drawObject(const objectView& o, const objectStyle& style)
{
    const bool culled = style.cullAll || o.type == objectTypeCube || o.type == objectTypeModel ||
                        (o.type == objectTypeSquare && style.cullSquares);
    if (culled && !o.inView()) return;
    switch (o.type) {
    case objectTypeCube:
        drawCubeObject(o, style.order);
        break;
    case objectTypeSquare:
        drawSquareObject(o, style.order, style.squareGrey);
        break;
    case objectTypeModel:
        if (style.playModels) drawPlayModel(o);
        else drawModelObject(o);
        break;
    case objectTypeBillboard:
        drawBillboardObject(o);
        break;
    default:
        break;
    }
}

// The editor draws every object whatever its flags. An object with local
// rules turns by its rotations in their stored order, as in play; a Square
// with rules pulses and is culled, one without is always drawn.
void drawEditorObject(const objectView& o, int m, bool cullAll)
{
    const bool hasRules = world.mapLocalGetSentenceAmount(o.index, m) > 0;
    drawObject(o, {hasRules ? rotationXYZ : rotationXZY, hasRules ? imageFlash : 1.0f, hasRules, false, cullAll});
}

void drawOutlineBox(const objectView& o, int m)
{
    float ow = 0.0f, oh = 0.0f, od = 0.0f;
    world.getObstructionSize(ow, oh, od, o.index, m);
    const float base = o.type == objectTypeModel ? o.z - oh : o.z;
    renderCubeWire(o.x, base, o.y, ow, oh, od, 0.0f, 0.0f, 0.0f);
}

// A small cube in front of the current object, in the direction it faces.
void drawFacingMarker(const objectView& o)
{
    const float a = o.roty * degreesToRadians, b = o.rotx * degreesToRadians;
    renderCube(o.x + std::sin(a), o.z - std::cos(a), o.y - std::sin(b), markerHalfSize, markerHalfSize,
               markerHalfSize, o.rotx, o.rotz, o.roty, sysTexture(sysImageConsoleBackground), markerPickName);
}

// With the object tool or outline-all on: the multi-selection (or every
// object) gets its box, else the current object its box and facing marker.
void drawEditorOutline(const objectView& o, int m)
{
    const int sao = worldEditor.getSAO();
    if (worldEditor.getEditorMode() != editorModeObject && sao != 1) return;
    if (worldEditor.getObjectListAmount() > 0 || sao == 1) {
        if ((sao == 1 || worldEditor.notInObjectList(o.index)) && o.inView()) drawOutlineBox(o, m);
    } else if (o.index == worldEditor.getCurrentObject()) {
        drawOutlineBox(o, m);
        drawFacingMarker(o);
    }
}

// Play draws only the objects whose visible flag is on.
void drawPlayObject(objectView o, int m, bool cullAll)
{
    if (!world.worldGetObjectVisible(o.index, m)) return;
    adjustLookAtRotation(o);
    drawObject(o, {rotationXYZ, 1.0f, true, true, cullAll});
}

constexpr int objectTypeCount = 4;

// One pass per type, Cubes first, so the blended types come after the opaque
// Cubes; in the editor the render flag of a type shows or hides the pass.
void renderObjects(bool editor)
{
    const int m = world.getCurrentMap();
    const int count = world.worldGetObjectCount(m);
    const bool cullAll = !drawingForSelection();
    for (int type = 0; type < objectTypeCount; ++type) {
        if (editor && !worldEditor.getRenderLayer(type)) continue;
        for (int o = 0; o < count; ++o) {
            if (world.worldGetObjectType(o, m) != type) continue;
            const objectView view = readObject(o, m);
            if (editor) {
                drawEditorObject(view, m, cullAll);
                drawEditorOutline(view, m);
            } else {
                drawPlayObject(view, m, cullAll);
            }
        }
    }
}

// ------------------------------------------------------------ frame steps

void advancePulse()
{
    if (flashDown) {
        imageFlash -= pulseStep;
        if (imageFlash <= pulseLow) flashDown = false;
    } else {
        imageFlash += pulseStep;
        if (imageFlash >= pulseHigh) flashDown = true;
    }
}

// Switches the map's fog on; false when the map has none.
bool enableMapFog(int m)
{
    bool on = false;
    float density = 0.0f, r = 0.0f, g = 0.0f, b = 0.0f;
    world.worldGetFog(on, density, r, g, b, m);
    if (!on) return false;
    const GLfloat colour[4] = {r, g, b, 1.0f};
    glFogfv(GL_FOG_COLOR, colour);
    glFogi(GL_FOG_MODE, GL_EXP2);
    glFogf(GL_FOG_DENSITY, density / fogDensityDivisor);
    glHint(GL_FOG_HINT, GL_NICEST);
    glFogf(GL_FOG_START, fogStart);
    glFogf(GL_FOG_END, fogEnd);
    glEnable(GL_FOG);
    return true;
}

// The phrase a rule shows, counted down once per call, over the play view.
void renderPhraseBox()
{
    glDisable(GL_LIGHTING);
    int timer = 0, phrase = 0;
    world.getDisplayPhrase(timer, phrase);
    if (timer > phraseTimerNone) {
        world.setDisplayPhrase(lowerDisplayTimer(timer), phrase);
        glCullFace(GL_FRONT);
        const std::string text = world.getPhrase(phrase);
        const float width = getDisplayTextSize(text);
        displaySingleChoice(phraseBoxX, phraseBoxY, static_cast<int>(width / 2.0f + phraseBoxMargin),
                            phraseBoxHalfHeight, sysImageGameEditorBackground, pickBlocker, pickBlocker,
                            pickBlocker);
        displayTextString(static_cast<float>(phraseBoxX) - width / 2.0f, static_cast<float>(phraseBoxY), text);
    }
    glEnable(GL_LIGHTING);
}

}  // namespace

void gameRender()
{
    const int state = gameSys.getGameState();
    if (state == gameStateWorldEditor) advancePulse();
    if (!world.getGameLoaded() || checkGameName(world.getGameName())) return;
    if (!drawingForSelection()) updateEditorScroll();

    const int m = world.getCurrentMap();
    const bool fog = enableMapFog(m);
    const bool editor = state == gameStateWorldEditor && gameUI.getCurrentMenu() == gameUI.getEditorMenu();
    if (!editor && !isPlayState(state)) {  // under a dialog: the sky and the light only
        renderSkybox();
        glCullFace(GL_BACK);
        renderLight();
    } else {
        int w = 0, h = 0;
        std::string name;
        world.worldGetMap(w, h, name, m);
        glCullFace(GL_BACK);
        renderLight();
        renderTiles(w, h, editor);
        // The ground is opaque, so the sky drawn behind it now shows as if drawn
        // first. The pick pass leaves it out: its nameless hits would hide what
        // lies beyond its walls.
        if (!drawingForSelection()) renderSkyboxBehind();
        glCullFace(GL_BACK);
        renderLight();
        renderObjects(editor);
    }

    if (fog) glDisable(GL_FOG);
    if (isPlayState(state)) renderPhraseBox();
}
