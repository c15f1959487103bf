// The menus and the dialog box on a real window, each in the frame and in the
// colour-pick pass, read back at the centres and edges of the controls of a
// small hand-made menu system.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#define ILUT_USE_OPENGL
#include <IL/il.h>
#include <IL/ilut.h>

#include <array>
#include <string>
#include <vector>

#include "core/init.h"
#include "core/pick_codes.h"
#include "core/pick_internal.h"
#include "core/script.h"
#include "core/system.h"
#include "editor/editor.h"
#include "media/image_loading.h"
#include "media/quad.h"
#include "media/texture.h"
#include "menus/dialog.h"
#include "menus/ui.h"
#include "menus/ui_render.h"
#include "tests/unit/test_util.h"

namespace {

using rgb = std::array<int, 3>;
const rgb green{0, 255, 0}, background{254, 254, 254}, blocker{144, 144, 144};

rgb at(int x, int y) { const pickCode c = readPickPixel(x, y); return {c.r, c.g, c.b}; }
rgb code(int r, int b) { return {r, pickControlMark, b}; }
int fixture(const char* name)
{
    return static_cast<int>(ilutGLLoadImage((std::string(QV_FIXTURES_DIR) + "/images/" + name).data()));
}

// The colours expected at window points.
struct spot { int x, y; rgb want; };
void expectColours(const std::vector<spot>& spots)
{
    for (const spot& s : spots) EXPECT_EQ(at(s.x, s.y), s.want) << s.x << ", " << s.y;
}

// Whether a pixel of row y between x0 and x1 passes `lit`.
template <typename predicate>
bool anyInRow(int x0, int x1, int y, predicate lit)
{
    for (int x = x0; x < x1; ++x)
        if (lit(at(x, y))) return true;
    return false;
}

// Menu 0: a red-topped background; button 0 hovered, 1 pressed, 2 with an
// image the table lacks; textbox 0; a text line; a script string without "end".
class MenuRender : public ::testing::Test {
protected:
    testutil::TempDir dir;
    void SetUp() override
    {
        changeSize(800, 600);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);  // as the frame draws the 2D layers
        uiImage.assign(2, img());
        uiImage[0].SetTex(fixture("quadrants.png"));
        uiImage[1].SetTex(fixture("font_green.png"));
        gameUI = UI();
        gameUI.allocateMenu(1);
        gameUI.setUIImageCount(2);
        gameUI.setMenuBackgroundTex(0, 0);
        gameUI.uiModifyButton(200, 300, 50, 20, 1, 0, 0, 0, 0);
        gameUI.uiModifyButton(500, 300, 50, 20, 1, 0, 0, 0, 1);
        gameUI.uiModifyButton(650, 100, 30, 30, 99, 0, 0, 0, 2);
        gameUI.uiModifyTextbox(100, 450, 200, 20, 5, 0, 0);
        gameUI.uiModifyText(100, 520, 1, 1, 1, "^wTEXT", 0, 0);
        gameUI.setHoverButton(0);
        gameUI.setPressedButton(1);
        uiScriptString.setString("WORDS", 5);
        scriptUI.clear();
        scriptUI.readFile(dir.write("ui.cfg", "s menu0string0 x\nf menu0string0x 100\nf menu0string0y 560\n"
                                              "f menu0string0string 5\n"));
        gameSys.setGameState(gameStateMenu);
        gameSys.setInputState(inputStateNormal);
        worldEditor = editor();
    }
    void TearDown() override
    {
        gameSys.setColorPick(false);
        gameSys.setGameState(gameStateMenu);
        gameUI = UI();
        uiImage.clear();
        scriptUI.clear();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    static void draw(bool pick)
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        gameSys.setColorPick(pick);
        if (gameSys.getGameState() == gameStateDialog) dialogRender();
        else uiRender();
        gameSys.setColorPick(false);
    }
};

TEST_F(MenuRender, FrameAndPickPassShowTheBackgroundButtonsTextboxAndTexts)
{
    draw(false);
    // The background's top left quarter; hovered button 0 at full brightness and
    // a tenth wider than its 50; pressed button 1 at 60 %.
    expectColours({{20, 20, {255, 0, 0}}, {200, 300, green}, {253, 300, green}, {500, 300, {0, 153, 0}}});
    EXPECT_EQ(at(553, 300), at(600, 300));              // ... at its own size
    EXPECT_EQ(at(650, 100), at(600, 100));              // button 2's missing image draws nothing
    EXPECT_NE(at(200, 447), at(200, 470));              // textbox face: x 100..300, y 437..457
    const auto whitish = [](const rgb& p) { return p[0] > 200 && p[2] > 200; };
    EXPECT_TRUE(anyInRow(96, 140, 520, whitish));
    EXPECT_TRUE(anyInRow(96, 140, 560, whitish));  // the script string, whose list has no "end"

    draw(true);
    // The hover growth is clickable, button 2 without its image too; text is
    // never pickable outside the menu editor.
    expectColours({{20, 20, background}, {200, 300, code(pickMenuButton, 0)}, {253, 300, code(pickMenuButton, 0)},
                   {258, 300, background}, {500, 300, code(pickMenuButton, 1)}, {650, 100, code(pickMenuButton, 2)},
                   {200, 447, code(pickMenuTextbox, 0)}, {102, 447, code(pickMenuTextbox, 0)}, {200, 460, background},
                   {110, 520, background}});

    // In the menu editor the same controls carry the editor's codes; a
    // dragged button covers the whole screen (the editor's bar and tips give
    // way to it), and a text line gets its row.
    gameSys.setGameState(gameStateUIEditor);
    worldEditor.setEditorMode(1);
    worldEditor.setCurrentButton(0);
    gameSys.setLeftMouse(mouseButtonPressed);
    gameSys.setDragState(true);
    draw(true);
    gameSys.setDragState(false);
    gameSys.setLeftMouse(mouseButtonIdle);
    expectColours({{20, 20, code(pickEditMenuButton, 0)}, {500, 300, code(pickEditMenuButton, 1)},
                   {200, 447, code(pickEditMenuTextbox, 0)}, {110, 520, code(pickEditMenuText, 0)}});
}

// The dialog's box and buttons, with fixture images in place of the program's
// own dialog background (quadrants), checkmark (green) and cross (red).
TEST_F(MenuRender, DialogOverTheMenusAndBackToTheirState)
{
    const std::vector<img> saved = sysImage;
    sysImage[sysImageDialogBackground].SetTex(fixture("quadrants.png"));
    sysImage[sysImageOk].SetTex(fixture("font_green.png"));
    sysImage[sysImageCancel].SetTex(fixture("font_red.jpg"));
    scriptSys.readFile(dir.write("dialog.cfg",
                                 "f dialog7background 5\nf dialog7button0 6\nf dialog7button1 7\n"
                                 "s dialog7text0 ^wFIRST\ns dialog7text1 ^wSECOND\ns dialog7text2 end\n"
                                 "s dialog7text3 ^wHIDDEN\n"));
    gameSys.setGameState(gameStateWorldEditor);
    enableDialog(3);
    enableDialog(7);
    EXPECT_EQ(gameSys.getGameState(), gameStateDialog);
    gameUI.setHoverButton(1);
    gameUI.setPressedButton(pressedButtonNone);
    draw(true);
    expectColours({{300, 370, code(pickDialogButton0, pickNoIndex)},
                   {546, 370, code(pickDialogButton1, pickNoIndex)},  // hovered: 47.3 wide
                   {345, 370, blocker}, {20, 20, blocker}});
    draw(false);
    const auto rowLit = [](int y) {
        return anyInRow(246, 300, y, [](const rgb& p) { return p[0] > 220 && p[1] > 220 && p[2] > 220; });
    };
    EXPECT_TRUE(rowLit(200));
    EXPECT_TRUE(rowLit(215));
    EXPECT_FALSE(rowLit(245));  // after "end"
    const auto red = [](const rgb& p) { return p[0] > 250 && p[1] < 5 && p[2] < 5; };  // a JPEG's red
    EXPECT_EQ(at(300, 370), green);              // the checkmark
    EXPECT_TRUE(red(at(546, 370)));              // the hovered cross, a tenth wider
    EXPECT_EQ(at(185, 155), (rgb{255, 0, 0}));  // the box, 440 x 300 about the centre
    EXPECT_EQ(at(615, 445), (rgb{255, 255, 255}));
    EXPECT_NE(at(175, 155), (rgb{255, 0, 0}));  // and no wider

    // A dialog without keys: an empty box whose buttons can still be clicked.
    enableDialog(42);
    draw(false);
    EXPECT_FALSE(rowLit(200));
    draw(true);
    expectColours({{300, 370, code(pickDialogButton0, pickNoIndex)}, {500, 370, code(pickDialogButton1, pickNoIndex)}});

    disableDialog();
    EXPECT_EQ(gameSys.getGameState(), gameStateWorldEditor);
    EXPECT_EQ(gameUI.getCurrentDialogBox(), 0);
    sysImage = saved;
}

// An opaque background is kept and copied back on later frames.
TEST_F(MenuRender, KeptBackgroundMatchesAFreshDrawUntilItsTextureOrViewChanges)
{
    // Images without an alpha channel, as the bundled backgrounds are.
    const std::array<std::array<int, 2>, 4> spots{{{20, 20}, {780, 20}, {20, 580}, {400, 150}}};
    const auto shown = [&](int scale) {
        std::array<rgb, 4> seen{};
        for (size_t i = 0; i < spots.size(); ++i) seen[i] = at(spots[i][0] / scale, spots[i][1] / scale);
        return seen;
    };
    const auto fresh = [&](int tex, int scale) {
        glClear(GL_COLOR_BUFFER_BIT);
        EXPECT_TRUE(displayTexture(400, 300, menuBackgroundDepth, 400, 300, 1, 1, 1, tex, true, true, 1, pickNone));
        return shown(scale);
    };
    uiImage[0].SetTex(fixture("quadrants_rgb.png"));
    const std::array<rgb, 4> first = fresh(uiImage[0].GetTex(), 1);
    for (int frame = 0; frame < 2; ++frame) {
        draw(false);
        EXPECT_EQ(shown(1), first) << "frame " << frame;
    }

    deleteUIImageTextures(1);
    uiImage[0].SetTex(fixture("font_red.jpg"));
    const std::array<rgb, 4> second = fresh(uiImage[0].GetTex(), 1);
    EXPECT_NE(second, first);
    draw(false);
    EXPECT_EQ(shown(1), second);

    changeSize(400, 300);
    const std::array<rgb, 4> small = fresh(uiImage[0].GetTex(), 2);
    draw(false);
    EXPECT_EQ(shown(2), small);
    deleteUIImageTextures(1);
}

}  // namespace
