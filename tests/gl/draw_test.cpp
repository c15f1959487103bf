// Quads, text, the loading screen, the debug overlay, widgets and system images
// drawn into a real 800 x 600 window (under Xvfb), read from the back buffer.
#include <GL/freeglut.h>
#define ILUT_USE_OPENGL
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/camera.h"
#include "core/debug.h"
#include "core/init.h"
#include "core/system.h"
#include "media/loading.h"
#include "media/quad.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/console.h"
#include "menus/notice.h"
#include "menus/widgets.h"
#include "tests/unit/test_util.h"
#include "world/world.h"

namespace {

constexpr int screenW = 800, screenH = 600;
const std::string imageDir = std::string(QV_FIXTURES_DIR) + "/images/";
const char* const refusal =
    "Invalid texture information trying to be displayed! Did you accidently delete images from your project?";

using rgb = std::array<int, 3>;

// The RGB bytes of a w x h block of the back buffer from window (x, y), bottom up.
std::vector<unsigned char> readBack(int x, int y, int w, int h)
{
    std::vector<unsigned char> data(w * h * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, w, h, GL_RGB, GL_UNSIGNED_BYTE, data.data());
    return data;
}

// A pixel of the 800 x 600 screen space (origin top left).
rgb pixel(int x, int y)
{
    const std::vector<unsigned char> p = readBack(x, screenH - 1 - y, 1, 1);
    return {p[0], p[1], p[2]};
}

::testing::AssertionResult near(const rgb& got, const rgb& want, int tolerance = 3)
{
    for (int i = 0; i < 3; ++i)
        if (std::abs(got[i] - want[i]) > tolerance)
            return ::testing::AssertionFailure() << "got " << ::testing::PrintToString(got) << " want "
                                                 << ::testing::PrintToString(want);
    return ::testing::AssertionSuccess();
}

// The bounding box (screen space) of pixels that differ from the background.
struct box {
    int x0 = screenW, y0 = screenH, x1 = -1, y1 = -1;
    bool empty() const { return x1 < 0; }
    std::array<int, 4> edges() const { return {x0, y0, x1, y1}; }
};

template <typename predicate>
box findPixels(predicate match)
{
    const std::vector<unsigned char> data = readBack(0, 0, screenW, screenH);
    box b;
    for (int row = 0; row < screenH; ++row)
        for (int x = 0; x < screenW; ++x) {
            const unsigned char* p = &data[(row * screenW + x) * 3];
            if (!match(rgb{p[0], p[1], p[2]})) continue;
            const int y = screenH - 1 - row;
            b.x0 = std::min(b.x0, x);
            b.x1 = std::max(b.x1, x);
            b.y0 = std::min(b.y0, y);
            b.y1 = std::max(b.y1, y);
        }
    return b;
}

box litPixels()
{
    return findPixels([](const rgb& p) { return p[0] + p[1] + p[2] > 30; });
}

GLuint loadImage(const std::string& file) { return ilutGLLoadImage(std::string(imageDir + file).data()); }

// The projection and modelview matrices, then the matrix mode.
std::vector<float> currentMatrices()
{
    std::vector<float> m(33);
    glGetFloatv(GL_PROJECTION_MATRIX, &m[0]);
    glGetFloatv(GL_MODELVIEW_MATRIX, &m[16]);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    m[32] = static_cast<float>(mode);
    return m;
}

// The pixels at the corners (x0, y0), (x1, y0), (x0, y1) and (x1, y1).
void expectCorners(int x0, int y0, int x1, int y1, const std::array<rgb, 4>& want)
{
    const int xs[] = {x0, x1, x0, x1}, ys[] = {y0, y0, y1, y1};
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(near(pixel(xs[i], ys[i]), want[i])) << xs[i] << ", " << ys[i];
}

void expectWhiteUntextured()
{
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    for (float c : colour) EXPECT_FLOAT_EQ(c, 1.0f);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

// An orthographic 3D view: world (x, y) in -range..range fills the window; with
// a viewport, for selecting at the window's centre.
void orthoView(float range, GLint* pickViewport = nullptr)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (pickViewport) gluPickMatrix(400, 300, 3, 3, pickViewport);
    glOrtho(-range, range, -range, range, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Calls `vertex(x, y, depth, n)` for each vertex of each polygon of a feedback
// buffer in GL_3D form holding `count` values (n: the polygon's vertex count).
template <typename visitor>
void eachPolygonVertex(const GLfloat* feedback, GLint count, visitor vertex)
{
    for (int i = 0; i < count;) {
        if (feedback[i] != GL_POLYGON_TOKEN) {
            ++i;
            continue;
        }
        const int n = static_cast<int>(feedback[i + 1]);
        for (int v = 0; v < n; ++v) vertex(&feedback[i + 2 + 3 * v], v, n);
        i += 2 + 3 * n;
    }
}

class Draw : public ::testing::Test {
protected:
    static GLuint quadrants, strip, halfAlpha;

    static void SetUpTestSuite()
    {
        quadrants = loadImage("quadrants.png");
        strip = loadImage("strip.png");
        halfAlpha = loadImage("halfalpha.png");
    }

    void SetUp() override
    {
        changeSize(screenW, screenH);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);  // as the 2D layers draw
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glDisable(GL_LIGHTING);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        gameSys.setColorPick(false);
        notice.leaveNotice();
        camera.setCamMode(camModeEditor);
        camera.SetRot(40.0f, -130.0f);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
};

GLuint Draw::quadrants = 0, Draw::strip = 0, Draw::halfAlpha = 0;

const rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255}, black{0, 0, 0};


TEST(ImageLibrary, UploadsRowZeroAsTheImageBottom)
{
    const GLuint tex = loadImage("quadrants.png");
    ASSERT_NE(tex, 0u);
    glBindTexture(GL_TEXTURE_2D, tex);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    ASSERT_EQ((std::array<GLint, 2>{w, h}), (std::array<GLint, 2>{64, 64}));
    std::vector<unsigned char> texels(64 * 64 * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    auto texel = [&](int x, int row) {
        const unsigned char* p = &texels[(row * 64 + x) * 4];
        return rgb{p[0], p[1], p[2]};
    };
    // Row 0 is the image's bottom (blue, white), the last row its top (red, green).
    EXPECT_EQ((std::array<rgb, 4>{texel(0, 0), texel(63, 0), texel(0, 63), texel(63, 63)}),
              (std::array<rgb, 4>{blue, white, red, green}));
}

TEST(SystemImages, JpgWinsOverPngAndAMissingImageIsNamed)
{
    testutil::TempDir dir;
    {
        testutil::ScopedCwd cwd(dir.path());
        boost::filesystem::create_directories("uireq");
        testutil::copyFile(imageDir + "font_green.png", "uireq/font.png");
        testutil::copyFile(imageDir + "font_green.png", "uireq/on.png");
        EXPECT_FALSE(generateSysImage("uireq/missing", 3));
        loadSysImages();
        ASSERT_EQ(sysImage.size(), static_cast<size_t>(sysImageCount));
        EXPECT_NE(sysImage[sysImageFont].GetTex(), 0);
        EXPECT_EQ(sysImage[sysImageFont].GetPointer(), sysImageFont);
        const img& missing = sysImage[sysImageCrosshair];  // the default record
        EXPECT_EQ((std::array<int, 3>{missing.GetTex(), missing.GetPointer(), missing.getAnimSpeed()}),
                  (std::array<int, 3>{0, 0, 1000}));
        EXPECT_EQ(console.getLine(0), "^wSystem images successfully read and loaded.");
        EXPECT_EQ(console.getLine(1),
                  "^yWARNING: ^wSystem image ^yuireq/crosshair^w (.jpg or .png) could not be found.");
        int warnings = 0;
        for (int i = 0; i < 60; ++i)
            if (console.getLine(i).find("WARNING") != std::string::npos) ++warnings;
        EXPECT_EQ(warnings, sysImageCount - 2);

        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(sysImage[sysImageFont].GetTex()));
        unsigned char texel[8 * 8 * 4];
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
        EXPECT_TRUE(near(rgb{texel[0], texel[1], texel[2]}, green, 0));

        testutil::copyFile(imageDir + "font_red.jpg", "uireq/font.jpg");
        EXPECT_TRUE(generateSysImage("uireq/font", sysImageFont));
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(sysImage[sysImageFont].GetTex()));
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
        EXPECT_TRUE(near(rgb{texel[0], texel[1], texel[2]}, red, 2));
    }
    loadSysImages();  // the program's own images again, for the tests that follow
    for (int i = 0; i < sysImageCount; ++i) EXPECT_NE(sysImage[i].GetTex(), 0) << sysImageFiles[i];
}


TEST_F(Draw, FlatQuadOnScreenIsUprightWithItsCornersWhereAsked)
{
    const std::vector<float> before = currentMatrices();
    ASSERT_TRUE(displayTexture(400, 300, 0, 100, 50, 1, 1, 1, quadrants, true, false, 1, pickNone));
    EXPECT_EQ(currentMatrices(), before);  // restored exactly
    expectWhiteUntextured();
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    expectCorners(305, 255, 495, 345, {red, green, blue, white});
    // It spans x 300 to 500 and y 250 to 350.
    EXPECT_NE(pixel(300, 300), black);
    for (const auto& out : {std::array<int, 2>{298, 300}, {501, 300}, {400, 248}, {400, 351}})
        EXPECT_EQ(pixel(out[0], out[1]), black) << out[0] << ", " << out[1];
    EXPECT_EQ(litPixels().edges(), (std::array<int, 4>{300, 250, 499, 349}));
    // Full screen, with `al`, it covers the screen.
    ASSERT_TRUE(displayTexture(400, 300, 0, 400, 300, 1, 1, 1, quadrants, true, true, 1, pickNone));
    expectCorners(0, 0, 799, 599, {red, green, blue, white});
}

TEST_F(Draw, TintAndAlpha)
{
    EXPECT_TRUE(displayTexture(100, 100, 0, 50, 50, 1, 0.5f, 0, quadrants, true, false, 1, pickNone));
    EXPECT_TRUE(near(pixel(140, 140), {255, 128, 0}));  // white texels tinted
    // Without `al` the colour's alpha blends when the caller has blending on.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    EXPECT_TRUE(displayTexture(300, 100, 0, 50, 50, 1, 1, 1, quadrants, true, false, 0.5f, pickNone));
    glDisable(GL_BLEND);
    EXPECT_TRUE(near(pixel(340, 140), {128, 128, 128}));
    // With `al` the quad is opaque but for the texture's own alpha.
    EXPECT_TRUE(displayTexture(500, 100, 0, 50, 50, 1, 1, 1, quadrants, true, true, 0.2f, pickNone));
    EXPECT_TRUE(near(pixel(540, 140), white));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(displayTexture(700, 100, 0, 50, 50, 1, 1, 1, halfAlpha, true, true, 1, pickNone));
    EXPECT_EQ(pixel(660, 100), black);
    EXPECT_TRUE(near(pixel(740, 100), white));
}

TEST_F(Draw, FlatColourPickFormIgnoresTextureAndTint)
{
    glColor3ub(37, 144, 5);
    ASSERT_TRUE(displayTexture(200, 200, 0, 20, 20, 0.1f, 0.2f, 0.3f, quadrants, true, true, 0.4f, pickFlatColor));
    for (int xy : {190, 210}) EXPECT_EQ(pixel(xy, xy), (rgb{37, 144, 5})) << xy;
    expectWhiteUntextured();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(Draw, SelectionNameIsPushedAroundTheQuad)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glDisable(GL_CULL_FACE);
    for (int pick : {7, 0, pickNone}) {
        GLuint buffer[64] = {};
        glSelectBuffer(64, buffer);
        glRenderMode(GL_SELECT);
        glInitNames();
        orthoView(1.0f, viewport);
        ASSERT_TRUE(displayTexture(0, 0, 0, 0.5f, 0.5f, 1, 1, 1, quadrants, false, false, 1, pick));
        ASSERT_EQ(glRenderMode(GL_RENDER), 1) << pick;
        EXPECT_EQ(buffer[0], pick >= 0 ? 1u : 0u) << pick;  // pickNone: a hit, but under no name
        EXPECT_TRUE(pick < 0 || buffer[3] == static_cast<GLuint>(pick)) << pick;
    }
}

TEST_F(Draw, RefusedArgumentsRaiseTheNoticeAndDrawNothing)
{
    struct refused { float x, y, w, h, g; int tex; };
    const refused cases[] = {{-100.5f, 300, 50, 50, 1, 1}, {400, -101, 50, 50, 1, 1}, {400, 300, 0, 50, 1, 1},
                             {400, 300, 50, -1, 1, 1},     {400, 300, 50, 50, -0.1f, 1}, {400, 300, 50, 50, 1, -1}};
    const std::vector<float> before = currentMatrices();
    for (const refused& c : cases) {
        notice.leaveNotice();
        EXPECT_FALSE(noticeIfRefused(displayTexture(c.x, c.y, 0, c.w, c.h, 1, c.g, 1, c.tex, true, true, 1, pickNone)));
        EXPECT_TRUE(notice.isShown());
        EXPECT_EQ(notice.getTitle(), "Image Error!");
        EXPECT_EQ(notice.getMessage(), refusal);
    }
    const quadResult others[] = {
        displayDepthTexture(0, 0, 0, 1, 1, 0, 0, 0, -1, 0, 0, quadrants, false, false, 1, pickNone),
        displayTerrainTexture(0, 0, 0, 1, 1, 1, 1, 1, -2, false, false, 1, pickNone, 0, 0),
        displayBillboardTexture(0, 0, 0, 0, 1, quadrants, true, 1, pickNone),
        displayFrame(400, 300, 0, 50, 0, strip, 1, true, true, pickNone)};
    for (quadResult drawn : others) {
        notice.leaveNotice();
        EXPECT_FALSE(noticeIfRefused(drawn));
        EXPECT_TRUE(notice.isShown());
    }
    EXPECT_EQ(notice.getMessage(),
              "Invalid texture information trying to be displayed!! Did you accidently delete images from your "
              "project?");
    EXPECT_EQ(currentMatrices(), before);  // restored exactly
    EXPECT_TRUE(litPixels().empty());
    // The bounds themselves pass, and so do any depth and alpha.
    notice.leaveNotice();
    EXPECT_TRUE(noticeIfRefused(displayTexture(-100, -100, -5000, 1, 1, 0, 0, 0, 0, true, false, -3, pickNone)));
    EXPECT_TRUE(noticeIfRefused(displayFrame(400, 300, 0, 50, 50, strip, -4, true, true, pickNone)));
    EXPECT_FALSE(notice.isShown());
}


TEST_F(Draw, FrameShowsItsCellUpright)
{
    for (int frame : {0, 3, 9}) {
        glClear(GL_COLOR_BUFFER_BIT);
        ASSERT_TRUE(displayFrame(400, 300, 55, 80, 80, strip, static_cast<float>(frame), true, false, pickNone));
        EXPECT_TRUE(near(pixel(400, 260), {20 * frame + 10, 200 - 20 * frame, 100})) << frame;  // upper half
        EXPECT_TRUE(near(pixel(400, 340), {20 * frame + 10, 0, 250})) << frame;
        EXPECT_EQ(litPixels().edges(), (std::array<int, 4>{320, 220, 479, 379})) << frame;
    }
    GLint cull = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &cull);
    EXPECT_EQ(cull, GL_FRONT);
    expectWhiteUntextured();
}


TEST_F(Draw, DepthQuadRepeatsItsTextureAndCarriesItsNormal)
{
    glDisable(GL_CULL_FACE);
    orthoView(4.0f);
    // Turned up into the view plane: w 2 and h 4 cover x -2..2 and y -4..4.
    ASSERT_TRUE(displayDepthTexture(0, 0, 0, 2, 4, -90, 0, 0, 1, 1, 1, quadrants, false, false, 1, pickNone));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    float normal[3];
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    EXPECT_NEAR(normal[0], 0.447f, 1e-3f);
    EXPECT_NEAR(normal[1], 0.0f, 1e-6f);
    EXPECT_NEAR(normal[2], 0.894f, 1e-3f);
    // s runs 0.01..1.99 over x, t 0.01..2.99 over y (upwards).
    auto at = [](float s, float t) {
        const float x = -2.0f + 4.0f * (s - 0.01f) / 1.98f, y = -4.0f + 8.0f * (t - 0.01f) / 2.98f;
        return pixel(static_cast<int>((x + 4.0f) / 8.0f * screenW), static_cast<int>((4.0f - y) / 8.0f * screenH));
    };
    const struct { float s, t; rgb colour; } texels[] = {
        {0.25f, 0.25f, blue}, {0.75f, 0.25f, white}, {1.25f, 0.25f, blue}, {0.25f, 0.75f, red}, {1.75f, 2.75f, green}};
    for (const auto& c : texels) EXPECT_TRUE(near(at(c.s, c.t), c.colour)) << c.s << ", " << c.t;
    GLint wrap = 0;
    glBindTexture(GL_TEXTURE_2D, quadrants);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap);
    EXPECT_EQ(wrap, GL_REPEAT);
    glDisable(GL_DEPTH_TEST);
}

TEST_F(Draw, BillboardTurnsWithTheCamera)
{
    glDisable(GL_CULL_FACE);
    camera.setCamMode(camModeFirstPerson);
    // Seen edge-on (yaw 90) it covers next to nothing.
    const struct { float yaw; rgb topLeft; } views[] = {{0.0f, red}, {180.0f, green}, {90.0f, black}};
    for (const auto& view : views) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        camera.SetRot(0.0f, view.yaw);
        orthoView(1.0f);
        glColor4f(1, 1, 1, 1);
        ASSERT_TRUE(displayBillboardTexture(0, 0, 0, 0.5f, 0.5f, quadrants, false, 0.3f, pickNone));
        EXPECT_TRUE(near(pixel(210, 160), view.topLeft)) << view.yaw;
        EXPECT_EQ(pixel(190, 140), black);
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        expectWhiteUntextured();
        glDisable(GL_LIGHTING);
    }
    // The editor camera sees it lying flat, face up.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    camera.setCamMode(camModeEditor);
    orthoView(1.0f);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);  // look straight down
    EXPECT_TRUE(displayBillboardTexture(0, 0, 0, 0.5f, 0.5f, quadrants, false, 1, pickNone));
    EXPECT_NE(pixel(400, 300), black);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
}

class Terrain : public Draw {
protected:
    void SetUp() override
    {
        Draw::SetUp();
        world.allocateMaps(1);
        world.worldSetMap(4, 5, "terrain", 0);
        world.setCurrentMap(0);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 4; ++x) world.worldSetTileHeight(static_cast<float>(x + 10 * y) / 10.0f, x, y, 0);
    }
    void TearDown() override
    {
        world.allocateMaps(0);
        Draw::TearDown();
    }

    // The heights of the four corners of a tile, in the order (-w, -h),
    // (-w, +h), (+w, +h), (+w, -h), read back through the feedback buffer.
    std::array<float, 4> cornerHeights(int tilex, int tiley)
    {
        GLfloat feedback[128] = {};
        glFeedbackBuffer(128, GL_3D, feedback);
        glRenderMode(GL_FEEDBACK);
        orthoView(10.0f);
        EXPECT_TRUE(displayTerrainTexture(0, 0, 0, 3, 3, 1, 1, 1, quadrants, false, false, 1, pickNone, tilex, tiley));
        std::array<float, 4> heights{-100.0f, -100.0f, -100.0f, -100.0f};
        eachPolygonVertex(feedback, glRenderMode(GL_RENDER), [&](const float* p, int, int) {
            const bool plusX = p[0] > screenW / 2.0f, plusZ = p[2] < 0.5f;  // depth grows away (-z)
            heights[plusX ? (plusZ ? 2 : 3) : (plusZ ? 1 : 0)] = p[1] / screenH * 20.0f - 10.0f;
        });
        return heights;
    }
};

TEST_F(Terrain, CornersStandAtTheHeightsOfTheTileAndItsNeighbours)
{
    glDisable(GL_CULL_FACE);
    // Corner order (-w, -h), (-w, +h), (+w, +h), (+w, -h): tiles (2,3), (2,4), (3,4), (3,3);
    // the last column borrows height 0 for its two corners at +x.
    const struct { int x, y; std::array<float, 4> heights; } tiles[] = {{2, 3, {3.2f, 4.2f, 4.3f, 3.3f}},
                                                                         {3, 1, {1.3f, 2.3f, 0.0f, 0.0f}}};
    for (const auto& t : tiles) {
        const std::array<float, 4> h = cornerHeights(t.x, t.y);
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(h[k], t.heights[k], 0.05f) << t.x << ", " << t.y << " corner " << k;
    }
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    glDisable(GL_LIGHTING);
}

TEST_F(Terrain, ImageRunsMirroredAlongXSeenFromAbove)
{
    glDisable(GL_CULL_FACE);
    world.worldSetTileHeight(0.0f, 0, 0, 0);
    orthoView(3.0f);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);  // look straight down: world z grows down the screen
    ASSERT_TRUE(displayTerrainTexture(0, -5, 0, 3, 3, 1, 1, 1, quadrants, false, true, 1, pickNone, 0, 0));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));  // `al` draws without depth testing
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    glDisable(GL_LIGHTING);
    // Corner (-w, -h) is at the top left of the screen and samples s 0.99, t 0.01.
    expectCorners(40, 40, 760, 560, {white, blue, green, red});
    GLint env = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    EXPECT_EQ(env, GL_MODULATE);
}


// Pixels of one colour family: the glyph's pixels tinted by `c`.
box glyphPixels(const textColour& c)
{
    return findPixels([&](const rgb& p) {
        if (std::max({p[0], p[1], p[2]}) < 100) return false;  // faint edges say nothing of the colour
        const float scale = static_cast<float>(std::max({p[0], p[1], p[2]})) /
                            (255.0f * std::max({c.r, c.g, c.b, 0.01f}));
        return std::abs(p[0] - c.r * 255 * scale) < 40 && std::abs(p[1] - c.g * 255 * scale) < 40 &&
               std::abs(p[2] - c.b * 255 * scale) < 40;
    });
}

TEST_F(Draw, TextGlyphsSitAtTheirPositionAndSize)
{
    // An H at size 1 and at size 4 (twice as large): the glyph stays inside
    // its cell about the position and spans at least the stem-to-stem width.
    const struct { int x; const char* text; char colour; int halfW, halfH, minW, minH; } glyphs[] = {
        {100, "^rH", 'r', 4, 7, 4, 7}, {200, "^4^gH", 'g', 8, 14, 9, 14}};
    for (const auto& g : glyphs) {
        glClear(GL_COLOR_BUFFER_BIT);
        displayTextString(g.x, 100, g.text);
        const box b = glyphPixels(colourOfCode(g.colour));
        ASSERT_FALSE(b.empty()) << g.text;
        EXPECT_GE(b.x0, g.x - g.halfW) << g.text;
        EXPECT_LE(b.x1, g.x + g.halfW) << g.text;
        EXPECT_GE(b.y0, 100 - g.halfH) << g.text;
        EXPECT_LE(b.y1, 100 + g.halfH) << g.text;
        EXPECT_GE(b.x1 - b.x0, g.minW) << g.text;
        EXPECT_GE(b.y1 - b.y0, g.minH) << g.text;
    }

    // A size code changes only what follows: the first I at half-width 4,
    // then after the blank (9 more) the second at 8.
    glClear(GL_COLOR_BUFFER_BIT);
    displayTextString(300, 300, "I ^4^yI");
    const box first = glyphPixels(colourOfCode('w')), second = glyphPixels(colourOfCode('y'));
    ASSERT_FALSE(first.empty() || second.empty());
    EXPECT_NEAR((first.x0 + first.x1) / 2.0, 300, 1.5);
    EXPECT_NEAR((second.x0 + second.x1) / 2.0, 318, 1.5);
    EXPECT_GT(second.y1 - second.y0, 1.6 * (first.y1 - first.y0));
    expectWhiteUntextured();
}

TEST_F(Draw, EachColourCodeTintsTheGlyphs)
{
    for (char code : std::string("abcdfgkmnoprstwyzQ5")) {
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);  // so that black glyphs show
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        displayTextString(400, 300, std::string("^4^") + code + "M");
        const textColour c = colourOfCode(code);
        const rgb want{int(std::lround(c.r * 255)), int(std::lround(c.g * 255)), int(std::lround(c.b * 255))};
        // The most distant pixel from the grey background is a full-alpha texel.
        rgb best{128, 128, 128};
        auto distance = [](const rgb& p) { return std::abs(p[0] - 128) + std::abs(p[1] - 128) + std::abs(p[2] - 128); };
        for (int y = 286; y <= 314; ++y)
            for (int x = 392; x <= 408; ++x) {
                const rgb p = pixel(x, y);
                if (distance(p) > distance(best)) best = p;
            }
        EXPECT_TRUE(near(best, want, 6)) << "code " << code;
    }
}

TEST_F(Draw, BlanksAdvanceAndCodesDrawNothing)
{
    displayTextString(100, 200, "^^A A^");
    const box b = litPixels();
    ASSERT_FALSE(b.empty());
    EXPECT_GE(b.x0, 96);
    EXPECT_LE(b.x1, 100 + 18 + 4);  // the second A is centred two advances on
    EXPECT_GE(b.x1, 100 + 18);
    // The next call starts in white at size 1 again.
    glClear(GL_COLOR_BUFFER_BIT);
    displayTextString(100, 200, "^r^4");
    displayTextString(100, 200, "H");
    const box white = glyphPixels(colourOfCode('w'));
    EXPECT_FALSE(white.empty());
    EXPECT_LE(white.x1 - white.x0, 8);
}

TEST_F(Draw, NothingOfTextDuringTheColourPickPass)
{
    glColor4f(0.2f, 0.3f, 0.4f, 1.0f);
    gameSys.setColorPick(true);
    displayTextString(100, 100, "^rHello");
    displayTextStringIngame(0, 0, 0, "Hello");
    gameSys.setColorPick(false);
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    for (int k = 0; k < 3; ++k) EXPECT_FLOAT_EQ(colour[k], 0.2f + 0.1f * k) << k;
    EXPECT_TRUE(litPixels().empty());
    glColor4f(1, 1, 1, 1);
}

TEST_F(Draw, WorldTextStepsHalfAUnitAlongTheYaw)
{
    glDisable(GL_CULL_FACE);
    camera.setCamMode(camModeFirstPerson);
    camera.SetRot(0.0f, 0.0f);
    GLfloat feedback[512] = {};
    glFeedbackBuffer(512, GL_3D, feedback);
    glRenderMode(GL_FEEDBACK);
    orthoView(10.0f);
    displayTextStringIngame(1.0f, 2.0f, 0.0f, "AB^4C");
    std::vector<float> centres, widths;
    float lo = 1e9f, hi = -1e9f;
    eachPolygonVertex(feedback, glRenderMode(GL_RENDER), [&](const float* p, int v, int n) {
        const float wx = p[0] / screenW * 20.0f - 10.0f;
        lo = std::min(v == 0 ? 1e9f : lo, wx);
        hi = std::max(v == 0 ? -1e9f : hi, wx);
        if (v < n - 1) return;
        centres.push_back((lo + hi) / 2.0f);
        widths.push_back(hi - lo);
    });
    // Each glyph quad comes back as one polygon or as two triangles, each
    // spanning the glyph's width; the centres are 1.5, 2.0, 2.5.
    std::vector<float> distinct;
    for (float c : centres)
        if (distinct.empty() || std::abs(distinct.back() - c) > 0.1f) distinct.push_back(c);
    ASSERT_EQ(distinct.size(), 3u);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(distinct[k], 1.5f + 0.5f * k, 0.05f) << k;
    EXPECT_NEAR(widths.front(), 0.3f, 0.05f);
    EXPECT_NEAR(widths.back(), 0.6f, 0.05f);
}


TEST_F(Draw, LoadingBarAtZeroHalfAndFull)
{
    const rgb frame{0, 0, 153}, fill{0, 0, 255};
    // fillEnd: the first x past the fill.
    const struct { float percent; int fillEnd; } cases[] = {{0.0f, 120}, {0.5f, 70}, {1.0f, 120}, {-2.0f, 120}};
    for (const auto& c : cases) {
        glClear(GL_COLOR_BUFFER_BIT);
        ASSERT_TRUE(drawLoadScreen("^gLoading maps", c.percent));
        EXPECT_TRUE(near(pixel(21, 575), fill)) << c.percent;
        EXPECT_TRUE(near(pixel(c.fillEnd - 1, 575), fill)) << c.percent;
        EXPECT_TRUE(near(pixel(c.fillEnd + 1, 575), frame)) << c.percent;
        EXPECT_TRUE(near(pixel(18, 575), frame));
        EXPECT_TRUE(near(pixel(60, 569), frame));   // above the fill, inside the frame
        EXPECT_TRUE(near(pixel(121, 575), frame));
        EXPECT_FALSE(near(pixel(60, 566), frame));  // above the frame: the background
        EXPECT_FALSE(near(pixel(125, 575), frame));
    }
    // The message is drawn in its colour over the background.
    const box message = findPixels([](const rgb& p) { return p[1] > 150 && p[0] < 60 && p[2] < 60; });
    ASSERT_FALSE(message.empty());
    EXPECT_GE(message.x0, 16);
    EXPECT_LE(message.y1, 557);
    EXPECT_GE(message.y0, 543);
    // The background covers whatever was there.
    EXPECT_NE(pixel(400, 100), black);
    gameSys.setColorPick(true);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_FALSE(drawLoadScreen("x", 1.0f));
    gameSys.setColorPick(false);
    EXPECT_TRUE(litPixels().empty());
    drawLoadScreen("", 1.5f);  // above one the fill runs past the frame
    EXPECT_TRUE(near(pixel(168, 575), fill));
    EXPECT_FALSE(near(pixel(172, 575), fill));
}


// Yellow text pixels inside a band of rows.
box yellowIn(int y0, int y1)
{
    box b = findPixels([](const rgb& p) { return p[0] > 180 && p[1] > 180 && p[2] < 90; });
    if (b.empty() || b.y0 < y0 || b.y1 > y1) return box{};
    return b;
}

TEST_F(Draw, DebugOverlayAtTheTopOrMovedDown)
{
    glClearColor(1, 1, 1, 1);
    gameSys.setGameState(gameStateSplash);  // the seven common lines only
    console.setConsoleState(false);
    const auto overlayWithPointerAt = [](int x, int y) {
        gameSys.setOrthoPos(x, y);
        glClear(GL_COLOR_BUFFER_BIT);
        debugRender();
    };
    overlayWithPointerAt(100, 300);
    EXPECT_LT(pixel(700, 150)[0], 200);   // the half-transparent panel darkens the white
    EXPECT_EQ(pixel(700, 450), white);
    box text = yellowIn(10, 110);
    ASSERT_FALSE(text.empty());
    EXPECT_GE(text.x0, 616);
    EXPECT_LE(text.y0, 26);

    overlayWithPointerAt(700, 86);  // the pointer over the panel moves it down
    EXPECT_EQ(pixel(700, 150), white);
    EXPECT_LT(pixel(700, 560)[0], 200);
    text = yellowIn(420, 530);
    ASSERT_FALSE(text.empty());
    EXPECT_LE(text.y0, 440);

    console.setConsoleState(true);  // under the console it goes down too...
    overlayWithPointerAt(100, 100);
    EXPECT_EQ(pixel(700, 150), white);
    EXPECT_LT(pixel(700, 560)[0], 200);
    overlayWithPointerAt(700, 500);  // ...and with the pointer there too, it is gone
    EXPECT_TRUE(findPixels([](const rgb& p) { return p != rgb{255, 255, 255}; }).empty());
    console.setConsoleState(false);
    glClearColor(0, 0, 0, 1);
}

TEST_F(Draw, VolumeDisplayCountsDownInDrawnFrames)
{
    gameSys.setSoundVolume(0.5f);
    gameSys.setVolTimer(10);
    renderVolume();
    EXPECT_EQ(gameSys.getVolTimer(), -10);
    EXPECT_NE(pixel(400, 520), black);  // the box spans y 475 to 525
    EXPECT_EQ(pixel(400, 530), black);
    EXPECT_FALSE(yellowIn(480, 520).empty());
    glClear(GL_COLOR_BUFFER_BIT);
    renderVolume();
    EXPECT_EQ(gameSys.getVolTimer(), -10);
    EXPECT_TRUE(litPixels().empty());
}


TEST_F(Draw, ChoiceWidgetsInThePickPass)
{
    gameSys.setColorPick(true);
    displayChoice(100, 100, "", 10, 144, 1, 11, 144, 2);
    displayChoice(100, 300, "^yFog", 12, 144, 3, 13, 144, 4);
    displaySingleChoice(600, 400, 30, 20, sysImageOk, 37, 144, 9);
    gameSys.setColorPick(false);
    // Empty label: plus at 115, minus 40 further, both 3 above the line; labelled, the
    // buttons follow the label's width (27 for "Fog"); no text in the pass (100, 300).
    const std::pair<std::array<int, 2>, rgb> spots[] = {
        {{115, 97}, {10, 144, 1}}, {{100, 97}, {10, 144, 1}}, {{155, 82}, {11, 144, 2}}, {{170, 111}, {11, 144, 2}},
        {{98, 97}, black},         {{142, 297}, {12, 144, 3}}, {{182, 297}, {13, 144, 4}}, {{600, 400}, {37, 144, 9}},
        {{631, 400}, black},       {{100, 300}, black}};
    for (const auto& s : spots) EXPECT_EQ(pixel(s.first[0], s.first[1]), s.second) << s.first[0] << ", " << s.first[1];
}

TEST_F(Draw, SingleChoiceShowsTheCurrentFrameOfAnAnimatedImage)
{
    const img saved = sysImage[sysImageNone];
    sysImage[sysImageNone].SetTex(static_cast<int>(strip));
    sysImage[sysImageNone].setAnimState(true);
    sysImage[sysImageNone].setCurrentFrame(4);
    displaySingleChoice(400, 300, 50, 50, sysImageNone, 1, 2, 3);
    EXPECT_TRUE(near(pixel(400, 270), {90, 120, 100}));
    sysImage[sysImageNone] = saved;
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);
    glutInitWindowSize(screenW, screenH);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("quorvane-draw-test");
    ilInit();
    iluInit();
    ilutInit();
    ilutRenderer(ILUT_OPENGL);
    boost::filesystem::current_path(QV_DATA_DIR);  // the program's own images, read only
    loadSysImages();
    return RUN_ALL_TESTS();
}
