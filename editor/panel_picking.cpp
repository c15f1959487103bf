// The clicks of the image picker, the animation panel and the tile panel:
// paging the picker and giving the chosen image to what the editor mode
// edits, stepping an image's animation, and the tile images, heights,
// terrain tools, tile stretching and skybox faces of the tile panel.
#include "editor/panel_picking.h"

#include <cstdlib>
#include <string>

#include "core/clock.h"
#include "editor/editor.h"
#include "editor/image_pickers.h"
#include "editor/object_panel_picking.h"
#include "editor/world_editor_selection.h"
#include "logic/sentence.h"
#include "media/sound.h"
#include "media/texture.h"
#include "world/world.h"

namespace {

constexpr int doubleClickWindowMs = 500;

constexpr int animLastFrameMax = 9;
constexpr int animSpeedStep = 100;  // ms a frame
constexpr int animSpeedLimit = 1100;

constexpr float heightStep = 0.3f;
constexpr float borderStep = 0.25f;
constexpr int borderLowBand = 3;   // x or y at most this on the low sides
constexpr int borderHighBand = 3;  // x or y at least size minus this on the high sides
constexpr int randomStepChoices = 3;
constexpr float randomStepUnit = 0.1f;

// The last press on a picker cell: its time and its image, for the double click.
int imageClickCheck = 0;
int tmpoldtex = 0;

int currentMap()
{
    return world.getCurrentMap();
}

// --- Image picker ------------------------------------------------------------

void imageRowDown(const pickCode&)
{
    stepImageMenuRow(1);
}

void imageRowUp(const pickCode&)
{
    stepImageMenuRow(-1);
}

void giveImageToTiles(int image)
{
    if (image >= world.getGameImageCount()) return;
    selectedTiles().forEachTile([image](int x, int y) { world.worldSetTile(image, x, y, currentMap()); });
}

void giveImageToObjects(int image)
{
    const int amount = worldEditor.getObjectListAmount();
    if (amount == 0) {
        setObjectImage(worldEditor.getCurrentObject(), image);
        return;
    }
    for (int i = 0; i < amount; ++i) setObjectImage(worldEditor.getObjectList(i), image);
}

void giveImageToSkyboxFace(int face, int image)
{
    int faces[skyboxFaces] = {};
    const int m = currentMap();
    world.worldGetSkybox(faces[0], faces[1], faces[2], faces[3], faces[4], faces[5], m);
    faces[face] = image;
    world.worldSetSkybox(faces[0], faces[1], faces[2], faces[3], faces[4], faces[5], m);
    worldEditor.setEditorMode(editorModeTile);
    worldEditor.setImageMenuTimer(0);
    worldEditor.setSkyboxMenu(1);
}

// Gives the chosen image to what the editor mode edits.
void applyChosenImage(int image)
{
    const int mode = worldEditor.getEditorMode();
    switch (mode) {
    case editorModeTile: giveImageToTiles(image); return;
    case editorModeObject: giveImageToObjects(image); return;
    case editorModeAnimation: worldEditor.setCurrentAnimImage(image); return;
    case editorModeMapLogic:
        world.mapGlobalChangeSentence(currentMap(), worldEditor.getCurrentSentence(), sentenceStepActionValue, image);
        worldEditor.setImageMenuTimer(0);
        return;
    case editorModeObjectLogic:
        world.mapLocalChangeSentence(worldEditor.getCurrentSentence(), sentenceStepActionValue, image,
                                     worldEditor.getCurrentObject(), currentMap());
        worldEditor.setImageMenuTimer(0);
        return;
    default:
        if (mode >= editorModeSkyboxFace && mode <= editorModeSkyboxFaceLast)
            giveImageToSkyboxFace(mode - editorModeSkyboxFace, image);
        return;
    }
}

// A cell press gives its image; a second press on the same image within the
// double-click window also closes the picker.
void chooseImageCell(const pickCode& pixel)
{
    const int image = pickImageCellIndex(pixel.g, pixel.b);
    playSystemSound(sysSoundSelect, 0);
    applyChosenImage(image);
    const int now = elapsedMs();
    if (now < imageClickCheck + doubleClickWindowMs && image == tmpoldtex) worldEditor.setImageMenuTimer(-1);
    tmpoldtex = image;
    imageClickCheck = now;
}

void closeImageMenu(const pickCode&)
{
    playSystemSound(sysSoundClose, 0);
    worldEditor.setImageMenuTimer(0);
}

const panelCode imagePickerCodes[] = {
    {pickImageRowDown, imageRowDown},
    {pickImageRowUp, imageRowUp},
    {pickImageCell, chooseImageCell},
    {pickImageMenuClose, closeImageMenu},
};

// --- Animation panel ---------------------------------------------------------

// The game image whose animation is edited; null when the index names none.
img* animatedImage()
{
    const int i = worldEditor.getCurrentAnimImage();
    if (i < 0 || i >= world.getGameImageCount() || i >= static_cast<int>(gameImg.size())) return nullptr;
    return &gameImg[static_cast<size_t>(i)];
}

template <class Edit>
void editAnimation(Edit edit)
{
    if (img* image = animatedImage()) edit(*image);
}

void openPicker(const pickCode&)
{
    openImageMenu();
}

const panelCode animationCodes[] = {
    {pickAnimImageMenu, openPicker},
    {pickAnimPrevImage,
     [](const pickCode&) {
         const int i = worldEditor.getCurrentAnimImage();
         if (i - 1 >= 0) worldEditor.setCurrentAnimImage(i - 1);
     }},
    {pickAnimFramesUp,
     [](const pickCode&) {
         editAnimation([](img& image) {
             if (image.getFrameCount() + 1 <= animLastFrameMax) image.setFrameCount(image.getFrameCount() + 1);
         });
     }},
    {pickAnimFramesDown,
     [](const pickCode&) {
         editAnimation([](img& image) {
             if (image.getFrameCount() - 1 >= 0) image.setFrameCount(image.getFrameCount() - 1);
         });
     }},
    {pickAnimOn, [](const pickCode&) { editAnimation([](img& image) { image.setAnimState(true); }); }},
    {pickAnimOff, [](const pickCode&) { editAnimation([](img& image) { image.setAnimState(false); }); }},
    // The plus button shortens the frame time, the minus button lengthens it.
    {pickAnimSpeedUp,
     [](const pickCode&) {
         editAnimation([](img& image) {
             if (image.getAnimSpeed() - animSpeedStep > 0) image.setAnimSpeed(image.getAnimSpeed() - animSpeedStep);
         });
     }},
    {pickAnimSpeedDown,
     [](const pickCode&) {
         editAnimation([](img& image) {
             if (image.getAnimSpeed() + animSpeedStep < animSpeedLimit)
                 image.setAnimSpeed(image.getAnimSpeed() + animSpeedStep);
         });
     }},
};

// --- Tile panel ----------------------------------------------------------------

// 0.1, 0.2 or 0.3, drawn anew for each tile.
float randomTerrainStep()
{
    const int r = 1 + static_cast<int>(std::rand() * static_cast<double>(randomStepChoices) / (RAND_MAX + 1.0));
    return static_cast<float>(r) * randomStepUnit;
}

void raiseSelectedTilesAtRandom(float sign)
{
    selectedTiles().forEachTile([sign](int x, int y) { raiseTile(x, y, sign * randomTerrainStep()); });
}

// Every tile of the current map in the band along its edges.
void raiseBorder(float by)
{
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, currentMap());
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            const bool border =
                x <= borderLowBand || y <= borderLowBand || x >= w - borderHighBand || y >= h - borderHighBand;
            if (border) raiseTile(x, y, by);
        }
}

void chooseSkyboxFace(const pickCode& pixel)
{
    if (pixel.b >= skyboxFaces) return;
    worldEditor.setEditorMode(editorModeSkyboxFace + pixel.b);
    openImageMenu();
}

const panelCode tileCodes[] = {
    {pickTileStretchOn,
     [](const pickCode&) {
         worldEditor.setCurrentTile(0, 0);
         world.worldSetTileStretch(true, currentMap());
     }},
    {pickTileStretchOff, [](const pickCode&) { world.worldSetTileStretch(false, currentMap()); }},
    {pickTileImage,
     [](const pickCode&) {
         playSystemSound(sysSoundOpen, 0);
         openImageMenu();
     }},
    {pickTilePrevImage, openPicker},
    {pickTileHeightUp, [](const pickCode&) { raiseSelectedTiles(heightStep); }},
    {pickTileHeightDown, [](const pickCode&) { raiseSelectedTiles(-heightStep); }},
    {pickTerrainReset,
     [](const pickCode&) {
         selectedTiles().forEachTile([](int x, int y) { world.worldSetTileHeight(0.0f, x, y, currentMap()); });
     }},
    {pickTerrainRandomUp, [](const pickCode&) { raiseSelectedTilesAtRandom(1.0f); }},
    {pickTerrainRandomDown, [](const pickCode&) { raiseSelectedTilesAtRandom(-1.0f); }},
    {pickTerrainBorderUp, [](const pickCode&) { raiseBorder(borderStep); }},
    {pickTerrainBorderDown, [](const pickCode&) { raiseBorder(-borderStep); }},
    {pickSkyboxMenu, [](const pickCode&) { worldEditor.setSkyboxMenu(worldEditor.getSkyboxMenu() == 0 ? 1 : 0); }},
    {pickSkyboxFace, chooseSkyboxFace},
};

}  // namespace

bool gameEditorPanelPicking(const unsigned char* pixel)
{
    const pickCode code{pixel[0], pixel[1], pixel[2]};
    if (runPanelCode(imagePickerCodes, code)) return true;
    const int mode = worldEditor.getEditorMode();
    if (mode == editorModeAnimation && runPanelCode(animationCodes, code)) return true;
    return mode == editorModeTile && runPanelCode(tileCodes, code);
}
