// The world pass on a real window, on a hand-made 8 x 8 map of flat-coloured
// images seen from straight above: things where they stand, fog, the skybox,
// a stretched map, the 3D pick, and the phrase and image boxes of play.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "core/camera.h"
#include "core/init.h"
#include "core/pick.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "core/window_internal.h"
#include "editor/editor.h"
#include "media/frustum.h"
#include "media/model.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "world/render.h"
#include "world/render_primitives.h"
#include "world/world.h"

namespace {

using rgb = std::array<int, 3>;

rgb pixelAt(int x, int y)  // window pixels, y from the top
{
    unsigned char p[3] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, 599 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}

// The game images: 0 a strip of ten cells (cell f is (25 f, 255 - 25 f, 128)),
// then flat red, green, blue, and six sky colours.
enum testImage { imgStrip, imgRed, imgGreen, imgBlue, imgSky0, imageCount = imgSky0 + 6 };
constexpr int noImage = 99;
const rgb flat[imageCount] = {{}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255},
                              {255, 0, 255}, {255, 128, 0}, {128, 0, 255}, {0, 128, 64}};
rgb cellColour(int f) { return {25 * f, 255 - 25 * f, 128}; }

// A one-row texture of the given texels.
GLuint makeTexture(const std::vector<rgb>& colours)
{
    std::vector<unsigned char> texels;
    for (const rgb& c : colours)
        for (int v : c) texels.push_back(static_cast<unsigned char>(v));
    GLuint tex = 0;
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_2D, tex);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, static_cast<GLsizei>(colours.size()), 1, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 texels.data());
    return tex;
}

int plainClick() { return 0; }

enum objectIndex { cube, square, model, billboard, lostCube };

class WorldRender : public ::testing::Test {
protected:
    std::vector<img> savedImages;

    void SetUp() override
    {
        changeSize(800, 600);
        savedImages = gameImg;
        gameImg.assign(imageCount, img());
        std::vector<rgb> strip;
        for (int f = 0; f < 40; ++f) strip.push_back(cellColour(f / 4));
        gameImg[imgStrip].SetTex(static_cast<int>(makeTexture(strip)));
        gameImg[imgStrip].setAnimState(true);
        gameImg[imgStrip].setCurrentFrame(3);
        for (int i = imgRed; i < imageCount; ++i) gameImg[i].SetTex(static_cast<int>(makeTexture({flat[i]})));

        world = gameWorld();
        world.allocateMaps(1);
        world.worldSetMap(8, 8, "Test", 0);
        world.setGameName("test");
        world.setGameImageCount(imageCount);
        world.worldSetSkybox(noImage, noImage, noImage, noImage, noImage, noImage, 0);
        for (int j = 0; j < 8; ++j)
            for (int k = 0; k < 8; ++k) world.worldSetTile(imgRed, j, k, 0);
        world.worldSetTile(imgStrip, 1, 5, 0);
        world.worldSetTile(noImage, 6, 5, 0);
        world.worldSetTileHeight(3.0f, 4, 4, 0);  // the corner under the window's centre
        const float at[][2] = {{12, 12}, {30, 12}, {30, 30}, {12, 30}, {36, 36}};
        const int image[] = {imgGreen, imgBlue, 0, imgStrip, noImage};  // model 0; image 0 is animated
        for (int o = cube; o <= lostCube; ++o) {
            world.worldSetObject(at[o][0], at[o][1], 2.0f, 1.5f, 1.5f, 1.5f, image[o], 0, o, 0);
            world.worldSetObjectType(o == lostCube ? objectTypeCube : o, o, 0);
        }
        makeFlatModel();
        world.setGameLoaded(true);

        worldEditor = editor();
        gameUI = UI();
        notice.leaveNotice();
        gameSys.setGameState(gameStatePlay);
        gameSys.setLeftMouse(mouseButtonPressed);
        setModifierSource(plainClick);
        camera = Camera();
        lookFromAbove(40.0f);
    }

    void TearDown() override
    {
        for (img& i : gameImg) {
            const GLuint tex = static_cast<GLuint>(i.GetTex());
            glDeleteTextures(1, &tex);
        }
        gameImg = savedImages;
        freeModels();
        std::memset(&object[0], 0, sizeof object[0]);
        world = gameWorld();
        worldEditor = editor();
        camera = Camera();
        notice.leaveNotice();
        gameSys.setGameState(gameStateMenu);
        gameSys.setLeftMouse(mouseButtonIdle);
        setModifierSource(nullptr);
        glDisable(GL_LIGHTING);
        glDisable(GL_FOG);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // Model 0: a flat square of half-size 1 in its x-z plane, both sides, magenta.
    static void makeFlatModel()
    {
        obj_type& mesh = object[0];
        std::memset(&mesh, 0, sizeof mesh);
        const float corner[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (int v = 0; v < 4; ++v) mesh.vertex[v] = {corner[v][0], 0.0f, corner[v][1]};
        const polygon_type faces[4] = {{0, 1, 2}, {0, 2, 3}, {2, 1, 0}, {3, 2, 0}};
        std::copy(faces, faces + 4, mesh.polygon);
        mesh.vertices_qty = 4;
        mesh.polygons_qty = 4;
        modelImg.assign(1, img());
        modelImg[0].SetTex(static_cast<int>(makeTexture({{255, 0, 255}})));
        world.worldSetModel(1, 1);
    }

    // The editor camera straight down on the map's middle (21, 21): world x
    // runs to the right, world y downwards on the screen.
    static void lookFromAbove(float height)
    {
        camera.SetPos(21.0f, height, 21.0f);
        camera.SetLook(21.0f, 0.0f, 21.0f);
        camera.SetUp(0.0f, 0.0f, -1.0f);
    }

    static void drawFrame()
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        camera.UpdateCamera();
        ExtractFrustum();
        gameRender();
    }

    // Where the drawing-space point lands on the window (y from the top), and
    // the height of the nearest surface drawn under that pixel.
    struct view {
        GLdouble mv[16], pr[16];
        GLint vp[4];
        view()
        {
            glGetDoublev(GL_MODELVIEW_MATRIX, mv);
            glGetDoublev(GL_PROJECTION_MATRIX, pr);
            glGetIntegerv(GL_VIEWPORT, vp);
        }
    };
    static std::array<int, 2> project(float x, float height, float y)
    {
        const view v;
        GLdouble wx, wy, wz;
        gluProject(x, height, y, v.mv, v.pr, v.vp, &wx, &wy, &wz);
        return {static_cast<int>(wx), 599 - static_cast<int>(wy)};
    }
    static double surfaceHeight(const std::array<int, 2>& at)
    {
        const view v;
        GLdouble x, y, z;
        GLfloat depth = 0;
        glReadPixels(at[0], 599 - at[1], 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        gluUnProject(at[0], 599 - at[1], depth, v.mv, v.pr, v.vp, &x, &y, &z);
        return y;
    }
    static rgb seen(float x, float y) { return pixelAt(project(x, 0, y)[0], project(x, 0, y)[1]); }
    static std::array<int, 2> currentTile()
    {
        int x = -1, y = -1;
        worldEditor.getCurrentTile(x, y);
        return {x, y};
    }
    // `channel` exceeds both others by 40 or more.
    static bool dominated(const rgb& p, int channel)
    {
        return p[channel] >= std::max(p[(channel + 1) % 3], p[(channel + 2) % 3]) + 40;
    }
    static bool same(const rgb& a, const rgb& b)
    {
        return std::abs(a[0] - b[0]) <= 3 && std::abs(a[1] - b[1]) <= 3 && std::abs(a[2] - b[2]) <= 3;
    }
};

TEST_F(WorldRender, ThePlayViewFromAboveShowsEachThingWhereItStands)
{
    drawFrame();
    EXPECT_TRUE(same(seen(7, 7), flat[imgRed]));
    EXPECT_NEAR(surfaceHeight(project(21, 3, 21)), 3.0, 0.05);  // a raised corner
    EXPECT_NEAR(surfaceHeight(project(6, 0, 6)), 0.0, 0.05);
    EXPECT_TRUE(same(seen(6, 30), cellColour(3)));               // an animated tile on its quad
    EXPECT_TRUE(dominated(seen(12, 12), 1));                     // the green cube, lit
    EXPECT_GT(surfaceHeight(project(12, 3.5, 12)), 3.0);         // its top face
    EXPECT_TRUE(dominated(seen(30, 12), 2));                     // the blue square, lit
    EXPECT_TRUE(same(seen(12, 30), cellColour(3)));              // the animated billboard's cell
    const rgb magenta = seen(30, 30);  // the model, whose number is no image index
    EXPECT_TRUE(magenta[0] > magenta[1] + 40 && magenta[2] > magenta[1] + 40);
    EXPECT_TRUE(same(seen(36, 36), flat[imgRed]));  // a cube of no image is left out
    EXPECT_TRUE(same(seen(36, 30), rgb{0, 0, 0}));  // a tile of no image: refused, sky shows
    EXPECT_EQ(notice.getTitle(), "Image Error!");
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));

    world.worldSetObjectVisible(false, cube, 0);  // hidden in play, shown in the editor
    drawFrame();
    EXPECT_TRUE(same(seen(12, 12), flat[imgRed]));
    gameSys.setGameState(gameStateWorldEditor);
    drawFrame();
    EXPECT_TRUE(dominated(seen(12, 12), 1));
    worldEditor.setRenderLayer(objectTypeCube, false);
    drawFrame();
    EXPECT_TRUE(same(seen(12, 12), flat[imgRed]));
}

TEST_F(WorldRender, FogColoursTheFarTiles)
{
    world.worldSetMap(16, 16, "Wide", 0);
    for (int j = 0; j < 16; ++j)
        for (int k = 0; k < 16; ++k) world.worldSetTile(imgRed, j, k, 0);
    world.worldSetTileHeight(0.0f, 4, 4, 0);
    world.worldSetFog(true, 0.2f, 0.1f, 0.1f, 1.0f, 0);
    for (int o = cube; o <= lostCube; ++o) world.worldSetObjectVisible(false, o, 0);
    camera.setCamMode(camModeFirstPerson);
    camera.SetPos(0.0f, 2.0f, 0.0f);
    camera.SetRot(10.0f, 135.0f);  // slightly down, along the diagonal
    drawFrame();
    EXPECT_TRUE(dominated(pixelAt(400, 599), 0));  // about 3 units away
    EXPECT_TRUE(dominated(pixelAt(400, 192), 2));  // near the far corner of the map
    EXPECT_FALSE(glIsEnabled(GL_FOG));
}

TEST_F(WorldRender, TheSkyboxFillsTheBackgroundAndLeavesOutAFaceOfNoImage)
{
    world.worldSetSkybox(imgSky0, imgSky0 + 1, imgSky0 + 2, imgSky0 + 3, imgSky0 + 4, noImage, 0);
    gameSys.setGameState(gameStateDialog);  // under a dialog only the sky and the light
    camera.setCamMode(camModeFirstPerson);
    camera.SetPos(21.0f, 5.0f, 21.0f);
    struct direction { float pitch, yaw; rgb colour; };
    const direction views[] = {{0, 180, flat[imgSky0]},     {0, 90, flat[imgSky0 + 1]}, {0, 0, flat[imgSky0 + 2]},
                          {0, 270, flat[imgSky0 + 3]}, {-90, 0, flat[imgSky0 + 4]}, {90, 0, rgb{0, 0, 0}}};
    for (const direction& v : views) {
        camera.SetRot(v.pitch, v.yaw);
        drawFrame();
        for (const auto& at : {std::array<int, 2>{400, 300}, {5, 5}, {795, 595}})
            EXPECT_TRUE(same(pixelAt(at[0], at[1]), v.colour)) << v.pitch << " " << v.yaw << " " << at[0];
    }
    gameSys.setGameState(gameStatePlay);  // in play the sky shows behind the ground
    camera.SetRot(0.0f, 180.0f);
    drawFrame();
    EXPECT_TRUE(same(pixelAt(400, 100), flat[imgSky0]));
    EXPECT_TRUE(dominated(pixelAt(400, 500), 0));
}

TEST_F(WorldRender, AStretchedMapIsOneFlatQuadOfTileZeroThatPicksAsTileZero)
{
    world.worldSetTile(imgGreen, 0, 0, 0);
    world.worldSetTileStretch(true, 0);
    for (int o = 0; o < 5; ++o) world.worldSetObjectVisible(false, o, 0);
    lookFromAbove(60.0f);
    drawFrame();
    for (const auto& at : {std::array<float, 2>{1, 1}, {21, 21}, {47, 21}, {6, 30}})
        EXPECT_TRUE(dominated(seen(at[0], at[1]), 1)) << at[0] << ", " << at[1];  // lit
    EXPECT_NEAR(surfaceHeight(project(21, 0, 21)), 0.0, 0.05);  // the heights play no part
    EXPECT_TRUE(same(seen(-2, 21), rgb{0, 0, 0}));               // it runs from 0, not from -3

    // The sky's bottom face lies in the ground plane here and would be hit first.
    world.worldSetSkybox(imgSky0, imgSky0, imgSky0, imgSky0, imgSky0, imgSky0, 0);
    gameSys.setGameState(gameStateWorldEditor);
    worldEditor.setCurrentTile(3, 3);
    drawFrame();
    gameSys.setMousePos(project(40, 0, 40)[0], project(40, 0, 40)[1]);
    renderPick();
    EXPECT_EQ(currentTile(), (std::array<int, 2>{0, 0}));
}

TEST_F(WorldRender, AClickSelectsTheObjectOrTheTileUnderThePointer)
{
    // object, tileX, tileY: what is selected after.
    struct click { int state, mode; float x, y; int object, tileX, tileY; };
    const click clicks[] = {
        {gameStateWorldEditor, editorModeNone, 30, 30, model, 0, 0},
        {gameStateWorldEditor, editorModeNone, 7, 20, model, 1, 3},
        {gameStateWorldEditor, editorModeTile, 26, 6, model, 4, 1},  // a highlighted tile, grid shown
        {gameStateWorldEditor, editorModeNone, 12, 12, cube, 4, 1},
        {gameStatePlay, editorModeNone, 30, 12, cube, 4, 1},  // play selects; the editor's choice stays
    };
    worldEditor.setWireframe(true);
    for (const click& c : clicks) {
        gameSys.setGameState(c.state);
        worldEditor.setEditorMode(c.mode);
        worldEditor.setStartingTile(0, 0);
        worldEditor.setEndingTile(7, 7);
        world.setSelectedObject(selectedObjectNone);
        drawFrame();
        const std::array<int, 2> at = project(c.x, 0, c.y);
        gameSys.setMousePos(at[0], at[1]);
        setTimeChecked(-10000);
        renderPick();
        EXPECT_EQ(worldEditor.getCurrentObject(), c.object) << c.x << ", " << c.y;
        EXPECT_EQ(currentTile(), (std::array<int, 2>{c.tileX, c.tileY})) << c.x << ", " << c.y;
        EXPECT_EQ(world.getSelectedObject(), c.state == gameStatePlay ? square : selectedObjectNone);
    }
}

TEST_F(WorldRender, ThePhraseAndTheImageBoxCountDownTwentyFiveFramesAndStay)
{
    world.worldSetTile(imgRed, 6, 5, 0);
    drawFrame();
    const rgb scene = pixelAt(400, 200);
    world.setPhrase(7, "^wHello");
    world.setDisplayPhrase(phraseTimerStart, 7);
    world.setGameBox(gameBoxTimerStart, imgBlue);
    for (int frame = 1; frame <= 26; ++frame) {
        drawFrame();
        EXPECT_TRUE(frame > 1 || !same(pixelAt(400, 200), scene));  // the phrase box
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        glDisable(GL_LIGHTING);  // as the frame draws its 2D layers
        glCullFace(GL_FRONT);
        renderGameBox();
        int phraseTimer, phrase, boxTimer, box;
        world.getDisplayPhrase(phraseTimer, phrase);
        world.getGameBox(boxTimer, box);
        const int expected = frame < 25 ? phraseTimerStart - 40 * frame : phraseTimerReady;
        ASSERT_EQ((std::array<int, 2>{phraseTimer, boxTimer}), (std::array<int, 2>{expected, expected})) << frame;
    }
    EXPECT_TRUE(same(pixelAt(400, 400), flat[imgBlue]));  // the image over the whole screen
    gameSys.setColorPick(true);  // its top-left square blocks the clicks under it
    renderGameBox();
    gameSys.setColorPick(false);
    EXPECT_TRUE(same(pixelAt(51, 51), rgb{pickBlocker, pickBlocker, pickBlocker}));
    EXPECT_TRUE(same(pixelAt(160, 51), flat[imgBlue]));
    EXPECT_FALSE(notice.isShown());
    world.setGameBox(gameBoxTimerStart, noImage);
    renderGameBox();
    EXPECT_EQ(notice.getTitle(), "Image Error!");
}

}  // namespace
