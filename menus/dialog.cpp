// Dialog boxes: opening, closing and drawing.
#include "menus/dialog.h"

#include <GL/gl.h>

#include <string>

#include "core/frame.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "media/quad.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/ui_loader.h"
#include "menus/widgets.h"

namespace {

constexpr int boxHalfWidth = 220, boxHalfHeight = 150;
constexpr int buttonY = 370;
constexpr int buttonHalf = 43;
constexpr float pressedTint = 0.7f;
constexpr float hoverGrowth = 0.1f;
constexpr int textX = 250, textTopY = 200, textPitch = 15;

// One of the dialog's two buttons.
struct dialogButton {
    int x;
    const char* imageKey;
    int pickCode;
    int hoverIndex;
    int pressedState;
};
const dialogButton dialogButtons[] = {
    {300, "button0", pickDialogButton0, 0, pressedButtonDialog0},
    {500, "button1", pickDialogButton1, 1, pressedButtonDialog1},
};

std::string dialogKey(const char* field)
{
    return "dialog" + std::to_string(gameUI.getCurrentDialogBox()) + field;
}

// The system image a key names, or -1 when it names none.
int dialogImage(const char* field)
{
    const int image = truncateNumber(scriptSys.findLineF(dialogKey(field)));
    return image >= 0 && image < static_cast<int>(sysImage.size()) ? image : -1;
}

// A quad of system image `image` (nothing for -1), grey `tint`.
void drawDialogImage(int image, float x, float y, float w, float h, float tint)
{
    if (image < 0) return;
    noticeIfRefused(
        displayTexture(x, y, widgetDepth, w, h, tint, tint, tint, sysTexture(image), true, true, 1.0f, pickNone));
}

void drawButton(const dialogButton& button)
{
    float half = static_cast<float>(buttonHalf), tint = 1.0f;
    if (gameUI.getPressedButton() == button.pressedState) tint = pressedTint;
    else if (gameUI.getHoverButton() == button.hoverIndex) half += half * hoverGrowth;
    const float x = static_cast<float>(button.x), y = static_cast<float>(buttonY);
    if (gameSys.getColorPick()) {
        glColor3ub(static_cast<GLubyte>(button.pickCode), pickControlMark, pickNoIndex);
        noticeIfRefused(
            displayTexture(x, y, widgetDepth, half, half, 1.0f, 1.0f, 1.0f, 0, true, true, 1.0f, pickFlatColor));
        return;
    }
    drawDialogImage(dialogImage(button.imageKey), x, y, half, half, tint);
}

// Line 0 is drawn whatever it holds; the lines after it until "end". A line
// whose key is absent ends the list, so a dialog without texts shows none.
void drawTextLines()
{
    for (int j = 0; j < uiListLimit; ++j) {
        const std::string key = dialogKey(("text" + std::to_string(j)).c_str());
        if (!scriptSys.hasKey(key)) return;
        const std::string line = scriptSys.findLineS(key);
        if (j > 0 && line == "end") return;
        displayTextString(static_cast<float>(textX), static_cast<float>(textTopY + textPitch * j), line);
    }
}

void coverScreen(int image)
{
    displaySingleChoice(screenSpaceCentreX, screenSpaceCentreY, screenSpaceCentreX, screenSpaceCentreY, image,
                        pickBlocker, pickBlocker, pickBlocker);
}

}  // namespace

void enableDialog(int id)
{
    if (gameSys.getGameState() != gameStateDialog) gameUI.setLastGS(gameSys.getGameState());
    gameSys.setGameState(gameStateDialog);
    gameUI.setCurrentDialogBox(id);
}

void disableDialog()
{
    gameSys.setGameState(gameUI.getLastGS());
    gameUI.setCurrentDialogBox(0);
}

void dialogRender()
{
    coverScreen(sysImageBlur);
    if (!gameSys.getColorPick())
        drawDialogImage(dialogImage("background"), screenSpaceCentreX, screenSpaceCentreY, boxHalfWidth,
                        boxHalfHeight, 1.0f);
    coverScreen(sysImageNone);
    for (const dialogButton& button : dialogButtons) drawButton(button);
    if (!gameSys.getColorPick()) drawTextLines();
}
