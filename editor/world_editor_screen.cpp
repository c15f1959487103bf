// The world editor's screen: layout tables and the drawing of each part.
#include "editor/world_editor_screen.h"

#include <cstddef>
#include <sstream>
#include <string>

#include "core/camera.h"
#include "core/pick_codes.h"
#include "core/script.h"
#include "core/system.h"
#include "editor/editor.h"
#include "editor/image_pickers.h"
#include "editor/panels.h"
#include "editor/tips.h"
#include "editor/welcome.h"
#include "logic/logic_editor_screen.h"
#include "media/quad.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/widgets.h"
#include "world/object.h"
#include "world/world.h"

namespace {

// A pick colour R, G, B.
struct pickColour {
    int r, g, b;
};
constexpr pickColour control(int r)
{
    return {r, pickControlMark, pickNoIndex};
}
constexpr pickColour blocker{pickBlocker, pickBlocker, pickBlocker};

// A label with two buttons after it (displayCustomChoice); a plus-minus row
// when the images are sysImagePlus and sysImageMinus.
struct choiceRow {
    int x, y;
    const char* label;
    int imageA;
    pickColour a;
    int imageB;
    pickColour b;
};
struct textRow {
    int x, y;
    const char* text;
};
// A system textbox spanning x - width .. x.
struct fieldRow {
    int x, y, width, textbox;
};
// A square button of half size `half`.
struct boxRow {
    int x, y, half, image;
    pickColour code;
};

constexpr int fieldHeight = 12;  // passed to displayTextbox, which does not use it
constexpr int applyHalf = 16;

template <typename row, size_t N>
constexpr size_t countOf(const row (&)[N])
{
    return N;
}

void drawBox(int x, int y, int w, int h, int image, const pickColour& c)
{
    displaySingleChoice(x, y, w, h, image, c.r, c.g, c.b);
}

void drawRow(const choiceRow& r)
{
    displayCustomChoice(r.x, r.y, r.label, r.imageA, r.a.r, r.a.g, r.a.b, r.imageB, r.b.r, r.b.g, r.b.b);
}

void drawRow(const textRow& r)
{
    displayTextString(static_cast<float>(r.x), static_cast<float>(r.y), r.text);
}

void drawRow(const fieldRow& r)
{
    displayTextbox(r.x, r.y, r.width, fieldHeight, r.textbox);
}

void drawRow(const boxRow& r)
{
    drawBox(r.x, r.y, r.half, r.half, r.image, r.code);
}

template <typename row, size_t N>
void drawRows(const row (&rows)[N])
{
    for (const row& r : rows) drawRow(r);
}

void drawText(int x, int y, const std::string& text)
{
    displayTextString(static_cast<float>(x), static_cast<float>(y), text);
}

// --- Frame of the screen ----------------------------------------------------------

constexpr int panelX = 400, panelY = 550, animationPanelY = 510, panelHalfW = 400, panelHalfH = 90;
constexpr int collapseX = 762, collapseY = 478, collapseHalf = 11;
constexpr int cornerX = 780, cornerY = 580, cornerHalf = 20, expandHalf = 15;
constexpr int changeMapX = 700, changeMapY = 505;
constexpr int nextMapX = 715, previousMapX = 755, mapButtonY = 530, mapButtonHalf = 16;
constexpr int mapLineX = 700, mapLineY = 558;
constexpr int playtestX = 85, playtestY = 50, playtestHalfW = 30, playtestHalfH = 15;
constexpr float arrowHalf = 8.0f;

struct edgeArrow {
    float x, y;
    int image;
};
const edgeArrow edgeArrows[] = {
    {400, 10, sysImageArrowUp},
    {400, 590, sysImageArrowDown},
    {7, 300, sysImageArrowLeft},
    {790, 300, sysImageArrowRight},
};

bool freeCamera()
{
    const int mode = camera.getCamMode();
    return mode == camModeFirstPerson || mode == camModeThirdPerson || mode == camModeOverhead;
}

void drawCollapsedPanel()
{
    drawBox(cornerX, cornerY, cornerHalf, cornerHalf, sysImageGameEditorBackground, blocker);
    drawBox(cornerX, cornerY, expandHalf, expandHalf, sysImagePlus, control(pickToggleSidePanel));
}

void drawMapSwitcher()
{
    const int maps = world.getMapCount(), current = world.getCurrentMap();
    if (maps != 1) {
        drawText(changeMapX, changeMapY, "Change Map");
        if (current != maps - 1)
            drawBox(nextMapX, mapButtonY, mapButtonHalf, mapButtonHalf, sysImagePlus, control(pickNextMap));
        if (current != 0)
            drawBox(previousMapX, mapButtonY, mapButtonHalf, mapButtonHalf, sysImageMinus, control(pickPreviousMap));
    }
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, current);
    drawText(mapLineX, mapLineY, "^y" + std::to_string(current) + "^w " + name);
}

void drawBottomPanel(int mode)
{
    if (mode == editorModeMapLogic || mode == editorModeObjectLogic) return;
    if (mode == editorModeAnimation) {
        drawBox(panelX, animationPanelY, panelHalfW, panelHalfH, sysImageGameEditorBackground, blocker);
        return;
    }
    drawBox(panelX, panelY, panelHalfW, panelHalfH, sysImageGameEditorBackground, blocker);
    drawBox(collapseX, collapseY, collapseHalf, collapseHalf, sysImageMinus, control(pickToggleSidePanel));
    drawMapSwitcher();
}

void drawEdgeArrows()
{
    for (const edgeArrow& a : edgeArrows)
        noticeIfRefused(displayTexture(a.x, a.y, 0.0f, arrowHalf, arrowHalf, 1.0f, 1.0f, 1.0f, sysTexture(a.image),
                                       true, true, 1.0f, pickNone));
}

// --- Toolbar ---------------------------------------------------------------------

constexpr int toolbarX = 30, firstIconY = 50, iconPitch = 30, iconHalf = 15, groupGap = 15;
constexpr int toolbarY = 200, toolbarHalfW = 18, toolbarHalfH = 170;
constexpr int objectToolbarY = 247, objectToolbarHalfH = 217;

// When an icon is shown: always, in the object tool, or in the object tool
// with no multi-selection.
enum iconShown { shownAlways, shownObjectTool, shownOneObject };

struct toolIcon {
    int image;
    int code;
    iconShown shown;
    bool groupEnds;  // a gap follows
};
const toolIcon toolIcons[] = {
    {sysImageIconQuit, pickEditorMainMenu, shownAlways, false},
    {sysImageIconSave, pickSaveProject, shownAlways, false},
    {sysImageIconHelp, pickOpenHelp, shownAlways, false},
    {sysImageIconAnim, pickAnimationPanel, shownAlways, true},
    {sysImageIconMapSize, pickMapPanel, shownAlways, false},
    {sysImageIconNewMap, pickNewMapPanel, shownAlways, false},
    {sysImageIconDeleteMap, pickDeleteMap, shownAlways, false},
    {sysImageIconFog, pickFogPanel, shownAlways, false},
    {sysImageIconGlobalLogic, pickGlobalLogic, shownAlways, true},
    {sysImageIconAddObject, pickAddObject, shownAlways, false},
    {sysImageIconCopyObject, pickCopyObjects, shownObjectTool, false},
    {sysImageIconDeleteObject, pickDeleteObjects, shownObjectTool, false},
    {sysImageIconLocalLogic, pickLocalLogic, shownOneObject, false},
};

bool iconVisible(iconShown shown, int mode)
{
    switch (shown) {
    case shownObjectTool: return mode == editorModeObject;
    case shownOneObject: return mode == editorModeObject && worldEditor.getObjectListAmount() == 0;
    default: return true;
    }
}

void drawToolbar(int mode)
{
    if (mode == editorModeObject)
        drawBox(toolbarX, objectToolbarY, toolbarHalfW, objectToolbarHalfH, sysImageDialogBackground, blocker);
    else
        drawBox(toolbarX, toolbarY, toolbarHalfW, toolbarHalfH, sysImageDialogBackground, blocker);
    int y = firstIconY;
    for (const toolIcon& icon : toolIcons) {
        if (iconVisible(icon.shown, mode)) drawBox(toolbarX, y, iconHalf, iconHalf, icon.image, control(icon.code));
        y += iconPitch + (icon.groupEnds ? groupGap : 0);
    }
}

// --- Mode panels -------------------------------------------------------------------

constexpr int headerX = 13, headerY = 485;

// Help lines: the editor's help set from system/uiinfo.cfg.
constexpr int helpLineCount = 7;
constexpr int helpLineY[helpLineCount] = {485, 511, 524, 537, 550, 563, 576};

void drawHelpLines()
{
    const std::string set = "gehelp" + std::to_string(worldEditor.getHelpMenu()) + "line";
    for (int k = 0; k < helpLineCount; ++k) drawText(headerX, helpLineY[k], uiInfo.findLineS(set + std::to_string(k)));
}

const choiceRow tileRows[] = {
    {13, 515, "Change Tile Image:", sysImagePlus, control(pickTileImage), sysImageNone, blocker},
    {13, 550, "Tile Stretch:", sysImageOk, control(pickTileStretchOn), sysImageCancel, control(pickTileStretchOff)},
    {13, 585, "Change Tile Height:", sysImagePlus, control(pickTileHeightUp), sysImageMinus,
     control(pickTileHeightDown)},
    {280, 515, "Change Skybox:", sysImagePlus, control(pickSkyboxMenu), sysImageNone, blocker},
    {280, 550, "Reset Terrain:", sysImagePlus, control(pickTerrainReset), sysImageNone, blocker},
    {280, 585, "Random Terrain:", sysImagePlus, control(pickTerrainRandomUp), sysImageMinus,
     control(pickTerrainRandomDown)},
    {470, 515, "Border Terrain:", sysImagePlus, control(pickTerrainBorderUp), sysImageMinus,
     control(pickTerrainBorderDown)},
};

void drawTilePanel()
{
    int x = 0, y = 0, tex = 0;
    worldEditor.getCurrentTile(x, y);
    world.worldGetTile(tex, x, y, world.getCurrentMap());
    drawText(headerX, headerY, "^yTile^w: (" + std::to_string(x) + ", " + std::to_string(y) +
                                   ") ^b|^y Texture^w: " + std::to_string(tex));
    drawRows(tileRows);
}

// Object panel.
constexpr pickColour modelMenuFromPanel{pickModelMenu, pickControlMark, pickModelMenuFromPanel};
const choiceRow objectImageRow = {13, 515, "Image: ", sysImagePlus, control(pickObjectImage), sysImageNone, blocker};
const choiceRow objectModelRow = {13, 515, "Model: ", sysImagePlus, modelMenuFromPanel, sysImageNone, blocker};

constexpr pickColour rotatePlus(int r)
{
    return {r, pickControlMark, pickRotatePlus};
}
constexpr pickColour rotateMinus(int r)
{
    return {r, pickControlMark, pickRotateMinus};
}

const choiceRow objectSolidRow = {13, 550, "Solid: ", sysImagePlus, control(pickObjectSolid), sysImageNone, blocker};
const textRow objectNameLabel = {13, 585, "Name:"};
const fieldRow objectNameField = {163, 585, 100, sysTextboxObjectName};
const boxRow objectNameApply = {187, 585, applyHalf, sysImageOk, control(pickRenameObject)};
// Opens the logic-macro menu for the object; no other control leads to it.
const boxRow objectMacroButton = {740, 584, 12, sysImageRpg, control(pickMacroMenu)};

constexpr choiceRow plusMinus(int x, int y, const char* label, pickColour up, pickColour down)
{
    return {x, y, label, sysImagePlus, up, sysImageMinus, down};
}

const choiceRow objectSizeRows[] = {
    plusMinus(220, 515, "Width: ", control(pickObjectWidthUp), control(pickObjectWidthDown)),
    plusMinus(220, 550, "Height:", control(pickObjectHeightUp), control(pickObjectHeightDown)),
    plusMinus(220, 585, "Depth: ", control(pickObjectDepthUp), control(pickObjectDepthDown)),
    plusMinus(370, 515, "S. Width: ", control(pickSolidWidthUp), control(pickSolidWidthDown)),
    plusMinus(370, 550, "S. Height:", control(pickSolidHeightUp), control(pickSolidHeightDown)),
    plusMinus(370, 585, "S. Depth: ", control(pickSolidDepthUp), control(pickSolidDepthDown)),
    plusMinus(550, 515, "Rot. X:", rotatePlus(pickRotateX), rotateMinus(pickRotateX)),
    plusMinus(550, 550, "Rot. Y:", rotatePlus(pickRotateY), rotateMinus(pickRotateY)),
    plusMinus(550, 585, "Rot. Z:", rotatePlus(pickRotateZ), rotateMinus(pickRotateZ)),
    {130, 515, "Type:", sysImageNone, blocker, sysImageNone, blocker},
    plusMinus(120, 550, "", control(pickObjectTypeUp), control(pickObjectTypeDown)),
};

const char* const objectTypeWords[] = {"Cube", "Square", "Model", "Billboard"};

const char* objectTypeWord(int type)
{
    return type >= 0 && type < static_cast<int>(countOf(objectTypeWords)) ? objectTypeWords[type] : "NULL";
}

std::string objectHeader(int o, int m)
{
    float x = 0, y = 0, z = 0, w = 0, h = 0, d = 0;
    int tex = 0, layer = 0;
    world.worldGetObject(x, y, z, w, h, d, tex, layer, o, m);
    std::ostringstream line;
    const int listed = worldEditor.getObjectListAmount();
    if (listed > 0) line << "^yObjects:^w (^y" << listed << "^w/^y" << objectListSize << "^w)";
    line << "^y" << world.worldGetObjectName(o, m) << "^1^w (" << o << ") ^b|^y Layer^w: " << layer + 1 << "/"
         << world.worldGetMapLayerCount(m) << " ^b|^y Texture^w: " << tex
         << " ^b|^y Solid^w: " << (world.worldGetObjectObstructionState(o, m) ? "Yes" : "No")
         << " ^b|^y Type^w: " << objectTypeWord(world.worldGetObjectType(o, m));
    return line.str();
}

// The panel names the current object: without one on the map it is not drawn.
void drawObjectPanel()
{
    const int m = world.getCurrentMap(), o = worldEditor.getCurrentObject();
    if (o < 0 || o >= world.worldGetObjectCount(m)) return;
    drawText(headerX, headerY, objectHeader(o, m));
    drawRow(world.worldGetObjectType(o, m) == objectTypeModel ? objectModelRow : objectImageRow);
    if (worldEditor.getObjectListAmount() > 0) return;
    drawRow(objectSolidRow);
    drawRow(objectNameLabel);
    drawRow(objectNameField);
    drawRow(objectNameApply);
    drawRows(objectSizeRows);
    drawRow(objectMacroButton);
}

// Animation panel.
constexpr int animationHeaderY = 445;
constexpr int previewX = 400, previewY = 510, previewHalf = 50;
constexpr float previewFrameDepth = -1.0f, previewImageDepth = -1.99f;

const choiceRow animationRows[] = {
    {14, 475, "Change Image: ", sysImagePlus, control(pickAnimImageMenu), sysImageNone, blocker},
    {13, 510, "Change Frames:", sysImagePlus, control(pickAnimFramesUp), sysImageMinus, control(pickAnimFramesDown)},
    {13, 545, "Speed:        ", sysImagePlus, control(pickAnimSpeedUp), sysImageMinus, control(pickAnimSpeedDown)},
    {13, 580, "Animation:    ", sysImageOn, control(pickAnimOn), sysImageOff, control(pickAnimOff)},
};

// The image being animated, or null when the index names no loaded image.
const img* animationImage(int i)
{
    if (i < 0 || i >= world.getGameImageCount() || i >= static_cast<int>(gameImg.size())) return nullptr;
    const img& image = gameImg[static_cast<size_t>(i)];
    return image.GetPointer() == identNumEmpty ? nullptr : &image;
}

void drawAnimationPreview(const img& image)
{
    const float x = previewX, y = previewY, half = previewHalf;
    if (image.getAnimState())
        noticeIfRefused(displayFrame(x, y, previewFrameDepth, half, half, image.GetTex(),
                                     static_cast<float>(image.getCurrentFrame()), true, true, pickNone));
    noticeIfRefused(displayTexture(x, y, previewImageDepth, half, half, 1.0f, 1.0f, 1.0f, image.GetTex(), true, true,
                                   1.0f, pickNone));
}

void drawAnimationPanel()
{
    const int i = worldEditor.getCurrentAnimImage();
    const img* image = animationImage(i);
    drawText(headerX, animationHeaderY,
             "^yAnimation Editing ^b| ^yImage^w: " + std::to_string(i) + " ^b|^y Frames^w: " +
                 std::to_string(image ? image->getFrameCount() : 0) + " ^b|^y Speed (MS)^w: " +
                 std::to_string(image ? image->getAnimSpeed() : 0));
    if (image) drawAnimationPreview(*image);
    drawBox(previewX, previewY, previewHalf, previewHalf, sysImageNone, blocker);
    drawRows(animationRows);
}

// New-map and edit-map panels.
const char* const sizeRequest = "Please enter the ^ywidth ^wand ^yheight ^w(in tiles) below and click the checkmark.";

const textRow newMapTexts[] = {
    {13, 485, "^y^2Create a New Map"},
    {13, 510, sizeRequest},
    {13, 535, "Map Dimensions:"},
    {13, 570, "Copy this Map:"},
};
const fieldRow newMapFields[] = {
    {200, 535, 50, sysTextboxNewMapWidth},
    {270, 535, 50, sysTextboxNewMapHeight},
};
const boxRow newMapButtons[] = {
    {305, 535, applyHalf, sysImageOk, control(pickCreateMap)},
    {160, 570, applyHalf, sysImageOk, control(pickCopyMap)},
};

void drawNewMapPanel()
{
    drawRows(newMapTexts);
    drawRows(newMapFields);
    drawRows(newMapButtons);
}

const textRow editMapTexts[] = {
    {13, 485, "^y^2Edit Map"},
    {13, 510, "Please enter a name for the map:"},
    {13, 535, sizeRequest},
    {13, 560, "Map Dimensions:"},
};
const fieldRow editMapFields[] = {
    {400, 510, 100, sysTextboxMapName},
    {200, 560, 50, sysTextboxMapWidth},
    {270, 560, 50, sysTextboxMapHeight},
};
const boxRow editMapButtons[] = {
    {430, 510, applyHalf, sysImageOk, control(pickRenameMap)},
    {305, 560, applyHalf, sysImageOk, control(pickResizeMap)},
};
constexpr int mapSizeY = 585;

void drawEditMapPanel()
{
    drawRows(editMapTexts);
    drawRows(editMapFields);
    drawRows(editMapButtons);
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, world.getCurrentMap());
    drawText(headerX, mapSizeY,
             "Current Map Size:^y " + std::to_string(w) + " ^wx^y " + std::to_string(h) + "^w.");
}

// Fog panel.
const choiceRow fogRows[] = {
    {13, 515, "Fog (ON/OFF):", sysImagePlus, control(pickFogToggle), sysImageNone, blocker},
    {13, 550, "Thickness:", sysImagePlus, control(pickFogDensityUp), sysImageMinus, control(pickFogDensityDown)},
    {250, 515, "Red:  ", sysImagePlus, control(pickFogRedUp), sysImageMinus, control(pickFogRedDown)},
    {250, 550, "Green:", sysImagePlus, control(pickFogGreenUp), sysImageMinus, control(pickFogGreenDown)},
    {250, 585, "Blue: ", sysImagePlus, control(pickFogBlueUp), sysImageMinus, control(pickFogBlueDown)},
};

void drawFogPanel()
{
    bool on = false;
    float density = 0, r = 0, g = 0, b = 0;
    world.worldGetFog(on, density, r, g, b, world.getCurrentMap());
    std::ostringstream line;  // six significant digits, no trailing zeros
    line << "^yFog^w: " << (on ? "On" : "Off") << " ^b|^y Fog Thickness^w: " << density << " ^b|^y Red^w: " << r
         << " ^b|^y Green^w: " << g << " ^b|^y Blue^w: " << b;
    drawText(headerX, headerY, line.str());
    drawRows(fogRows);
}

struct modePanel {
    int mode;
    void (*draw)();
};
const modePanel modePanels[] = {
    {editorModeNone, drawHelpLines},      {editorModeTile, drawTilePanel},      {editorModeObject, drawObjectPanel},
    {editorModeAnimation, drawAnimationPanel}, {editorModeNewMap, drawNewMapPanel},
    {editorModeEditMap, drawEditMapPanel}, {editorModeFog, drawFogPanel},
    {editorModeMapLogic, renderLogicEditor}, {editorModeObjectLogic, renderLogicEditor},
};

void drawModePanel(int mode)
{
    for (const modePanel& p : modePanels)
        if (p.mode == mode) p.draw();
}

}  // namespace

void renderGameEditor()
{
    if (freeCamera()) return;
    displayBackdrop();
    const int mode = worldEditor.getEditorMode();
    if (mode == editorModePanelHidden) {
        drawCollapsedPanel();
        return;
    }
    drawBottomPanel(mode);
    drawToolbar(mode);
    drawEdgeArrows();
    renderTips();
    drawBox(playtestX, playtestY, playtestHalfW, playtestHalfH, sysImageTest, control(pickPlaytest));
    drawModePanel(mode);
    renderSkyboxMenu();
    renderEditorImageMenu();
    renderModelMenu();
    renderTemplateMenu();
    renderEditorWelcome();
}

bool isToolbarCode(int code)
{
    for (const toolIcon& icon : toolIcons)
        if (icon.code == code) return true;
    return false;
}
