// The editors' panels in the colour-pick pass, read back where a click would
// land: image pickers, macro, skybox and model panels, tips, the welcome
// panel, the world editor over a missing menu and the logic editor.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/init.h"
#include "core/pick.h"
#include "core/pick_codes.h"
#include "core/pick_internal.h"
#include "core/system.h"
#include "editor/editor.h"
#include "editor/image_pickers.h"
#include "editor/panels.h"
#include "editor/tips.h"
#include "editor/welcome.h"
#include "logic/logic_editor_screen.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/ui_render.h"
#include "world/world.h"

namespace {

using code = std::array<int, 3>;
const code nothing{0, 0, 0}, blocker{144, 144, 144};

code at(int x, int y) { const pickCode c = readPickPixel(x, y); return {c.r, c.g, c.b}; }
code control(int r, int b = 144) { return {r, 144, b}; }
code cell(int image) { return {pickImageCell, image / 256, image % 256}; }

// The codes expected at window points.
struct spot { int x, y; code want; };
void expectCodes(const std::vector<spot>& spots)
{
    for (const spot& s : spots) EXPECT_EQ(at(s.x, s.y), s.want) << s.x << ", " << s.y;
}

// Centre of cell k (0 to 59) of a page.
int cellX(int k) { return 150 + 60 * (k % 10); }
int cellY(int k) { return 60 + 60 * (k / 10); }

class EditorPanels : public ::testing::Test {
protected:
    std::vector<img> savedGame = gameImg, savedMenu = uiImage;

    void SetUp() override
    {
        changeSize(800, 600);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);  // as the 2D layers draw
        world = gameWorld();
        world.allocateMaps(1);
        world.worldSetMap(4, 4, "Map", 0);
        worldEditor = editor();
        gameUI = UI();
        notice.leaveNotice();
        // Built-in images 0 to 89, empty slots 90 to 199, own images 200 to 319.
        gameImg.assign(320, img());
        for (int i = 0; i < 320; ++i) gameImg[i].SetPointer(i >= 90 && i < 200 ? identNumEmpty : i);
        world.setGameImageCount(320);
        uiImage.assign(25, img());
        gameUI.setUIImageCount(25);
        gameSys.setGameState(gameStateWorldEditor);
        gameSys.setDebugState(false, true);
        gameSys.setHoverCheck(false);
        gameSys.setDragState(false);
    }
    void TearDown() override
    {
        gameImg = savedGame;
        uiImage = savedMenu;
        world = gameWorld();
        worldEditor = editor();
        gameUI = UI();
        notice.leaveNotice();
        gameSys.setGameState(gameStateMenu);
        gameSys.setLeftMouse(mouseButtonIdle);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    template <typename drawer>
    static void pickPass(drawer draw)
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        gameSys.setColorPick(true);
        draw();
        gameSys.setColorPick(false);
    }

    // Opens a picker at `row` and reads its page.
    static void pickerPage(int row, void (*picker)())
    {
        worldEditor.setImageMenuRow(row);
        worldEditor.setImageMenuTimer(1);
        pickPass(picker);
    }
};

TEST_F(EditorPanels, ImagePickerPagesCarryTheirImagesAndArrows)
{
    // lastCell: the last cell drawn, lastImage its image.
    struct pageCase { int row, firstImage, lastCell, lastImage; bool rowUp, rowDown; };
    const pageCase cases[] = {
        {0, 0, 59, 59, false, true},
        {8, 80, 59, 249, true, true},     // built-in 80 to 89, then the own images from 200
        {14, 250, 59, 309, true, true},
        {15, 260, 59, 319, true, true},   // the last full page: a row counts ten present images
        {16, 270, 49, 319, true, false},  // a last partial page
        {40, -1, -1, -1, true, false},    // past the end of the table: an empty page
    };
    for (const pageCase& c : cases) {
        SCOPED_TRACE(c.row);
        pickerPage(c.row, renderEditorImageMenu);
        std::vector<spot> spots = {{cellX(0), cellY(0), c.firstImage < 0 ? blocker : cell(c.firstImage)},
                                   {630, 410, c.rowUp ? control(pickImageRowUp) : blocker},
                                   {690, 410, c.rowDown ? control(pickImageRowDown) : blocker},
                                   {740, 410, control(pickImageMenuClose)},
                                   {60, 30, nothing}};  // outside the panel
        if (c.lastCell >= 0) spots.push_back({cellX(c.lastCell), cellY(c.lastCell), cell(c.lastImage)});
        if (c.lastCell >= 0 && c.lastCell < 59)
            spots.push_back({cellX(c.lastCell + 1), cellY(c.lastCell + 1), blocker});
        expectCodes(spots);
    }
    pickerPage(8, renderEditorImageMenu);
    EXPECT_EQ(at(cellX(10), cellY(10)), (code{85, 0, 200}));

    // The menu editor's picker pages through the 25 menu images; opening
    // it brings a row carried over from the world editor back to its last page.
    gameSys.setGameState(gameStateUIEditor);
    worldEditor.setEditorMode(editorModeMenuScreen);
    worldEditor.setImageMenuRow(27);
    openImageMenu();
    EXPECT_EQ(worldEditor.getImageMenuRow(), 0);
    pickPass(renderUIEditorImageMenu);
    expectCodes({{cellX(24), cellY(24), cell(24)}, {cellX(25), cellY(25), blocker}, {690, 410, blocker}});
    gameSys.setGameState(gameStateWorldEditor);
    worldEditor.setImageMenuRow(40);
    openImageMenu();
    EXPECT_EQ(worldEditor.getImageMenuRow(), 16);

    // Outside its own game state, in a mode that does not keep it, a picker closes.
    pickPass(renderUIEditorImageMenu);
    EXPECT_EQ(worldEditor.getImageMenuTimer(), 0);
    EXPECT_EQ(at(740, 410), nothing);
}

TEST_F(EditorPanels, MacroSkyboxModelPanelsAndTipBarCodes)
{
    worldEditor.setEditorMode(editorModeObject);
    worldEditor.setTemplateSelect(1);
    pickPass(renderTemplateMenu);
    expectCodes({{110, 70, control(pickApplyMacro, 0)}, {110, 105, control(pickApplyMacro, 1)},
                 {740, 410, control(pickMacroMenuClose)}});
    worldEditor.setEditorMode(editorModeTile);
    pickPass(renderTemplateMenu);
    EXPECT_EQ(at(740, 410), nothing);  // the macro picker serves the object mode only

    worldEditor.setSkyboxMenu(1);
    pickPass(renderSkyboxMenu);
    const int faceX[] = {200, 400, 600, 200, 400, 600}, faceY[] = {120, 120, 120, 320, 320, 320};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(at(faceX[k] + 60, faceY[k] - 60), control(pickSkyboxFace, k)) << k;
    EXPECT_EQ(at(740, 410), control(pickSkyboxMenu));

    worldEditor.setModelMenu(0);
    pickPass(renderModelMenu);
    expectCodes({{740, 410, control(pickModelMenu, 255)}, {270, 350, control(pickNextModel, 255)},
                 {190, 350, control(pickPreviousModel, 255)}, {400, 250, blocker}});  // the preview carries no code
    gameSys.setGameState(gameStateUIEditor);
    pickPass(renderModelMenu);
    EXPECT_EQ(at(740, 410), nothing);

    // The bar ends 50 pixels past the measured width of its text.
    gameSys.setGameState(gameStateWorldEditor);
    worldEditor.setCurrentTip(1);
    const int width = static_cast<int>(getDisplayTextSize("^y(1/18)^w ^yLeft click^w to select tiles."));
    pickPass(renderTips);
    expectCodes({{10, 8, control(pickPreviousTip)}, {30, 8, control(pickNextTip)}, {width + 48, 10, blocker},
                 {width + 53, 10, nothing}, {width, 22, nothing}});
}

// Shown over a menu system without its menu, so that the editor can be left.
TEST_F(EditorPanels, TheWorldEditorIsDrawnWhenItsMenuIdNamesNoMenu)
{
    gameUI.setEditorMenu(3);
    gameUI.setCurrentMenu(3);
    ASSERT_FALSE(gameUI.validMenu(3));
    pickPass(uiRender);
    EXPECT_EQ(at(30, 50), control(pickEditorMainMenu));
}

TEST_F(EditorPanels, LogicEditorRowChoiceListAndPhraseSelectorCodes)
{
    for (int o = 0; o < 5; ++o) world.worldSetObject(6, 6, 1, 1, 1, 1, 200, 0, o, 0);
    world.mapGlobalAddSentence(0);
    const int rule[8] = {128, 0, 300, 400, 0, 600, 713, 9};  // "Do once then kill object 9": no such object
    for (int k = 0; k < 8; ++k) world.mapGlobalChangeSentence(0, 0, k, rule[k]);
    worldEditor.setEditorMode(editorModeMapLogic);
    pickPass(renderLogicEditor);
    const code word[] = {{62, 0, 0}, {62, 0, 5}, {62, 0, 6}, {62, 0, 7}, {62, 0, 7}};
    // "Do once", "then", "kill object", 9 and its empty thumbnail
    expectCodes({{90, 80, word[0]}, {165, 80, word[1]}, {250, 80, word[2]}, {328, 80, word[3]}, {360, 80, word[4]}});
    expectCodes({{31, 80, control(pickDeleteSentence, 0)}, {51, 80, control(pickCopySentence, 0)},
                 {40, 110, control(pickAddSentence)}, {775, 575, control(pickLogicBack, 0)},
                 {45, 575, control(pickPhraseEditor, 0)}});

    // A list opened right of x 580 stands at 580 and covers the rest.
    gameSys.setOrthoPos(700, 80);
    worldEditor.setGLTimer(1000, 0, 6);
    pickPass(renderLogicEditor);
    int timer = 0, s = 0, slot = 0;
    worldEditor.getGLTimer(timer, s, slot);
    EXPECT_EQ(timer, 999);
    expectCodes({{570, 300, word[2]}, {540, 300, blocker}, {250, 80, blocker}});

    worldEditor.setPhraseSelectorMenu(1);  // over everything else
    pickPass(renderLogicEditor);
    expectCodes({{668, 464, control(pickPhraseSelector, 255)}, {150, 380, control(pickPhraseChoicePrevious)},
                 {660, 380, control(pickApplyPhrase)}, {570, 300, blocker}});
}

TEST_F(EditorPanels, TheWelcomePanelSwallowsEveryClickButItsCheckmark)
{
    gameSys.setGameState(gameStateMenu);
    notice.setNotice("Note", "A notice under the panel");
    const noticeLayout layout = layoutNotice("A notice under the panel");
    const noticeBox box = placeNotice(layout.footerLine, getDisplayTextSize(layout.lines[layout.widestLine]));
    worldEditor.setWelcome(1000, welcomeMenuIntro);
    auto clickAt = [](int x, int y, int leftState, bool hover = false) {
        gameSys.setMousePos(x, y);
        gameSys.setLeftMouse(leftState);
        gameSys.setHoverCheck(hover);
        const bool taken = colorPickRender();
        gameSys.setHoverCheck(false);
        return taken;
    };
    const auto welcomeTimer = [] { int timer = 0, menu = 0; worldEditor.getWelcome(timer, menu); return timer; };
    const std::array<int, 2> points[] = {{box.centreX, box.centreY}, {400, 45}, {5, 590}, {795, 300}};
    for (const std::array<int, 2>& p : points) {
        EXPECT_TRUE(clickAt(p[0], p[1], mouseButtonPressed)) << p[0] << ", " << p[1];
        EXPECT_EQ(at(p[0], p[1]), blocker);
    }
    EXPECT_TRUE(notice.isShown());
    EXPECT_EQ(at(700, 523), control(pickWelcomeClose));
    EXPECT_FALSE(clickAt(700, 523, mouseButtonPressed, true));   // a hover pass
    EXPECT_FALSE(clickAt(700, 523, mouseButtonReleased));        // the front end closes it on a press
    EXPECT_EQ(welcomeTimer(), 1000);
    EXPECT_TRUE(clickAt(700, 523, mouseButtonPressed));
    EXPECT_EQ(welcomeTimer(), 0);
    EXPECT_TRUE(clickAt(box.centreX, box.centreY, mouseButtonPressed));  // the notice is reached again
    EXPECT_FALSE(notice.isShown());

    // In the editors a release closes it too; with the debug flag on it never shows.
    gameSys.setGameState(gameStateUIEditor);
    worldEditor.setWelcome(1, welcomeMenuMenuEditor);
    EXPECT_TRUE(clickAt(700, 523, mouseButtonReleased));
    EXPECT_EQ(welcomeTimer(), 0);
    worldEditor.setWelcome(1, welcomeMenuMenuEditor);
    gameSys.setDebugState(true, true);
    EXPECT_FALSE(clickAt(400, 300, mouseButtonPressed));
    EXPECT_EQ(welcomeTimer(), 0);
    gameSys.setDebugState(false, true);
}

}  // namespace
