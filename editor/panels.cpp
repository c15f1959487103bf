// The macro, skybox and model panels.
#include "editor/panels.h"

#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/editor.h"
#include "logic/sentence.h"
#include "media/model.h"
#include "media/quad.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/widgets.h"
#include "world/world.h"

namespace {

constexpr int panelX = 420, panelY = 230, panelHalfW = 350, panelHalfH = 220;
constexpr int closeX = 730, closeY = 410, closeHalf = 24;
constexpr float headingX = 100.0f, headingY = 30.0f;

constexpr int macroIconX = 110, macroIconHalf = 16;
constexpr float macroTextX = 140.0f;
constexpr int macroRpg = 0, macroPlatformer = 1;

constexpr int faceHalf = 64;

constexpr int modelArrowY = 350, modelArrowHalf = 24;
constexpr int nextModelX = 260, previousModelX = 200;
constexpr int previewX = 400, previewY = 250, previewScale = 10;
constexpr float previewRotX = 0.0f, previewRotY = 90.0f, previewRotZ = 90.0f;
constexpr int noModel = -1;

// The frame every panel starts with: the blocking panel and its close button.
void drawFrame(int closeCode, int closeIndex)
{
    displaySingleChoice(panelX, panelY, panelHalfW, panelHalfH, sysImageDialogBackground, pickBlocker, pickBlocker,
                        pickBlocker);
    displaySingleChoice(closeX, closeY, closeHalf, closeHalf, sysImageOk, closeCode, pickControlMark, closeIndex);
}

void drawHeading(const char* text)
{
    displayTextString(headingX, headingY, text);
}

bool inWorldEditor()
{
    return gameSys.getGameState() == gameStateWorldEditor;
}

struct macroChoice {
    int y;
    int icon;
    int macro;
    const char* text;
};
const macroChoice macroChoices[] = {
    {70, sysImageRpg, macroRpg, "^yRPG Player: ^wTraditional RPG Player Character"},
    {105, sysImagePlatform, macroPlatformer, "^yPlatformer Player: ^wTraditional 2D Platformer Player Character"},
};

struct skyboxFace {
    int x, y;
    float labelX, labelY;
    const char* label;
};
// Faces 0 to 5: front, left, back, right, top, bottom.
const skyboxFace skyboxFacePlaces[skyboxFaces] = {
    {200, 120, 150.0f, 200.0f, "Front Texture"}, {400, 120, 350.0f, 200.0f, "Left Texture"},
    {600, 120, 550.0f, 200.0f, "Back Texture"},  {200, 320, 150.0f, 400.0f, "Right Texture"},
    {400, 320, 350.0f, 400.0f, "Top Texture"},   {600, 320, 550.0f, 400.0f, "Bottom Texture"},
};

bool validGameImage(int i)
{
    return i >= 0 && i < world.getGameImageCount() && i < static_cast<int>(gameImg.size());
}

int currentObjectImage()
{
    float x, y, z, w, h, d;
    int image = noModel, layer = 0;
    world.worldGetObject(x, y, z, w, h, d, image, layer, worldEditor.getCurrentObject(), world.getCurrentMap());
    return image;
}

int modelShown()
{
    switch (worldEditor.getEditorMode()) {
    case editorModeObject:
        return currentObjectImage();  // a model object's image number is its model number
    case editorModeObjectLogic:
        return world
            .mapLocalGetWholeSentence(worldEditor.getCurrentSentence(), worldEditor.getCurrentObject(),
                                      world.getCurrentMap())
            .getSentenceStep(sentenceStepActionValue);
    default:
        return noModel;
    }
}

}  // namespace

void renderTemplateMenu()
{
    if (worldEditor.getEditorMode() != editorModeObject || !inWorldEditor() ||
        worldEditor.getTemplateSelectState() == 0)
        return;
    drawFrame(pickMacroMenuClose, pickNoIndex);
    drawHeading("Click on an icon below to apply a logic macro to this object.");
    for (const macroChoice& choice : macroChoices) {
        displaySingleChoice(macroIconX, choice.y, macroIconHalf, macroIconHalf, choice.icon, pickApplyMacro,
                            pickControlMark, choice.macro);
        displayTextString(macroTextX, static_cast<float>(choice.y), choice.text);
    }
}

void renderSkyboxMenu()
{
    if (!inWorldEditor() || worldEditor.getSkyboxMenu() == 0) return;
    int faces[skyboxFaces] = {};
    world.worldGetSkybox(faces[0], faces[1], faces[2], faces[3], faces[4], faces[5], world.getCurrentMap());
    drawFrame(pickSkyboxMenu, pickNoIndex);
    drawHeading("Click on a choice below to design your skybox.");
    for (int k = 0; k < skyboxFaces; ++k) {
        const skyboxFace& face = skyboxFacePlaces[k];
        const float half = static_cast<float>(faceHalf);
        if (validGameImage(faces[k]))
            noticeIfRefused(displayTexture(static_cast<float>(face.x), static_cast<float>(face.y), 0.0f, half, half,
                                           1.0f, 1.0f, 1.0f, gameImg[static_cast<size_t>(faces[k])].GetTex(), true,
                                           true, 1.0f, pickNone));
        displaySingleChoice(face.x, face.y, faceHalf, faceHalf, sysImageNone, pickSkyboxFace, pickControlMark, k);
        displayTextString(face.labelX, face.labelY, face.label);
    }
}

void renderModelMenu()
{
    if (!inWorldEditor() || worldEditor.getModelMenu() < 0) return;
    drawFrame(pickModelMenu, pickModelMenuFromMenu);
    displaySingleChoice(nextModelX, modelArrowY, modelArrowHalf, modelArrowHalf, sysImageArrowRight, pickNextModel,
                        pickControlMark, pickModelMenuFromMenu);
    displaySingleChoice(previousModelX, modelArrowY, modelArrowHalf, modelArrowHalf, sysImageArrowLeft,
                        pickPreviousModel, pickControlMark, pickModelMenuFromMenu);
    drawHeading("Click on a choice below to select the model for this object.");
    // The preview is a textured model: in the colour-pick pass its pixels
    // would read as codes, so there the panel's blocker stays uncovered.
    const int model = modelShown();
    if (model != noModel && !gameSys.getColorPick())
        renderModelOrtho(previewX, previewY, previewScale, previewScale, previewRotX, previewRotY, previewRotZ, model);
}
