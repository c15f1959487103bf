// The menu editor's keys.
#include "editor/menu_editor_input.h"

#include <GL/freeglut.h>

#include <string>

#include "core/input.h"
#include "core/system.h"
#include "editor/editor.h"
#include "menus/ui.h"

namespace {

constexpr float elementMoveStep = 5.0f;

// The arrows as a step on the 800 x 600 screen.
struct arrowStep {
    int key;
    float dx, dy;
};
const arrowStep arrowSteps[] = {
    {GLUT_KEY_UP, 0, -elementMoveStep},
    {GLUT_KEY_DOWN, 0, elementMoveStep},
    {GLUT_KEY_LEFT, -elementMoveStep, 0},
    {GLUT_KEY_RIGHT, elementMoveStep, 0},
};

const arrowStep* findArrow(int key)
{
    for (const arrowStep& a : arrowSteps)
        if (a.key == key) return &a;
    return nullptr;
}

void moveMenuElement(const arrowStep& arrow)
{
    const int m = gameUI.getCurrentMenu();
    float x = 0, y = 0, w = 0, h = 0, r = 0, g = 0, b = 0;
    int tex = 0, func = 0, func2 = 0, text = 0;
    std::string line;
    switch (worldEditor.getEditorMode()) {
    case editorModeMenuButton:
        gameUI.uiGetButton(x, y, w, h, tex, func, func2, m, worldEditor.getCurrentButton());
        gameUI.uiModifyButton(x + arrow.dx, y + arrow.dy, w, h, tex, func, func2, m, worldEditor.getCurrentButton());
        break;
    case editorModeMenuTextbox:
        gameUI.uiGetTextbox(x, y, w, h, text, m, worldEditor.getCurrentTextbox());
        gameUI.uiModifyTextbox(x + arrow.dx, y + arrow.dy, w, h, text, m, worldEditor.getCurrentTextbox());
        break;
    case editorModeMenuTextline:
        gameUI.uiGetText(x, y, r, g, b, line, m, worldEditor.getCurrentTextline());
        gameUI.uiModifyText(x + arrow.dx, y + arrow.dy, r, g, b, line, m, worldEditor.getCurrentTextline());
        break;
    default:
        break;
    }
}

}  // namespace

void menuEditorKeyboard(unsigned char key)
{
    if (key != keyCodeEnter) return;
    gameSys.setInputState(inputStateNormal);
    worldEditor.setEditorMode(editorModeMenuScreen);
}

void menuEditorSpecialKeys(int key)
{
    if (const arrowStep* arrow = findArrow(key)) moveMenuElement(*arrow);
}

void menuEditorTextlineKeyboard(unsigned char key)
{
    const int m = gameUI.getCurrentMenu(), l = worldEditor.getCurrentTextline();
    float x = 0, y = 0, r = 0, g = 0, b = 0;
    std::string text;
    gameUI.uiGetText(x, y, r, g, b, text, m, l);
    if (!editTextLine(text, key)) {
        gameSys.setInputState(inputStateNormal);
        worldEditor.setEditorMode(editorModeMenuScreen);
        return;
    }
    gameUI.uiModifyText(x, y, r, g, b, text, m, l);
}
