// The menu editor's screen: the collapsed corner, the bar, its icons, the
// stepper, one panel per editor mode and the tip bar.
#include "editor/menu_editor_screen.h"

#include <GL/gl.h>

#include <string>

#include "core/pick_codes.h"
#include "core/script.h"
#include "core/system.h"
#include "editor/editor.h"
#include "editor/menu_editor_picking.h"
#include "editor/tips.h"
#include "media/quad.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/widgets.h"
#include "world/game_files.h"
#include "world/world.h"

namespace {

// The collapsed overlay: a corner box and the arrow that shows the bar again.
constexpr int cornerX = 780, cornerY = 580, cornerHalf = 20, showArrowHalf = 15;
// The bar: short in the element modes, tall for the animation panel.
constexpr int barX = 400, barHalfW = 400;
constexpr int barY = 560, barHalfH = 40;
constexpr int tallBarY = 510, tallBarHalfH = 90;
constexpr int hideArrowX = 782, hideArrowY = 534, hideArrowHalf = 11;
// The three icons at the bar's right end.
constexpr int iconY = 560, iconHalf = 16;
constexpr int animIconX = 720, saveIconX = 750, quitIconX = 780;

// Rows of the bar: the status line, the first row of controls, the hint line.
constexpr int leftColumn = 13;
constexpr int statusY = 539, controlsY = 563, hintY = 585;
constexpr int secondColumn = 213;
constexpr int addTextX = 473, deleteTextX = 385, sizeColumn = 453;

// The help lines of the menu editor's help set.
constexpr int helpLineY[] = {535, 550, 563, 576, 589};

// The animation panel.
constexpr int animHeaderY = 445, animImageY = 475, animFramesY = 510, animSpeedY = 545, animStateY = 580;
constexpr float previewX = 400.0f, previewY = 510.0f, previewHalf = 50.0f;
constexpr float previewImageDepth = -1.99f;

// The selection marks: blue over a button, white over a textbox or a text line.
struct markTint {
    float r, g, b, a;
};
constexpr markTint buttonMark{0.0f, 0.0f, 1.0f, 0.5f};
constexpr markTint textMark{1.0f, 1.0f, 1.0f, 0.35f};

// A textbox's face stands this far above its anchor; a text line's mark is
// this much wider than the text on each side, and this half high.
constexpr float textboxFaceRaise = 13.0f;
constexpr float textlineMarkMargin = 6.0f, textlineMarkHalfH = 10.0f;

bool pickPass()
{
    return gameSys.getColorPick();
}

// A control of the bar: system image `image` carrying code R `code`.
void drawControl(int x, int y, int half, int image, int code)
{
    displaySingleChoice(x, y, half, half, image, code, pickControlMark, pickNoIndex);
}

void drawBlocker(int x, int y, int w, int h, int image)
{
    displaySingleChoice(x, y, w, h, image, pickBlocker, pickBlocker, pickBlocker);
}

// A label with one button of code R `code` and an invisible blocker beside it.
void drawSingleButtonChoice(int x, int y, const std::string& label, int image, int code)
{
    displayCustomChoice(x, y, label, image, code, pickControlMark, pickNoIndex, sysImageNone, pickBlocker,
                        pickBlocker, pickBlocker);
}

// A label with a plus button of code R `plus` and a minus button of code R `minus`.
void drawStepChoice(int x, int y, const std::string& label, int plus, int minus)
{
    displayChoice(x, y, label, plus, pickControlMark, pickNoIndex, minus, pickControlMark, pickNoIndex);
}

std::string menuStatus()
{
    return "^yMenu^w: " + std::to_string(gameUI.getCurrentMenu());
}

void drawText(int x, int y, const std::string& text)
{
    displayTextString(static_cast<float>(x), static_cast<float>(y), text);
}

// The mark over the selected element: the shader image tinted and blended by
// the tint's alpha, so that the element and its text show through whatever
// alpha the image itself has; not in the pick pass.
void drawSelectionMark(float x, float y, float w, float h, const markTint& tint)
{
    if (pickPass()) return;
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    noticeIfRefused(displayTexture(x, y, widgetDepth, w, h, tint.r, tint.g, tint.b, sysTexture(sysImageShader), true,
                                   false, tint.a, pickNone));
    glDisable(GL_BLEND);
}

// --- The panels by editor mode -------------------------------------------------

void renderHelpPanel()
{
    const std::string set = "uehelp" + std::to_string(worldEditor.getHelpMenu()) + "line";
    int line = 0;
    for (int y : helpLineY) drawText(leftColumn, y, uiInfo.findLineS(set + std::to_string(line++)));
}

void renderScreenPanel()
{
    drawText(leftColumn, statusY, menuStatus());
    drawSingleButtonChoice(secondColumn, controlsY, "Change Background:", sysImagePlus, pickMenuBackgroundImage);
    drawSingleButtonChoice(addTextX, controlsY, "Add Textline:", sysImagePlus, pickAddText);
}

void renderButtonPanel()
{
    const int m = gameUI.getCurrentMenu(), b = worldEditor.getCurrentButton();
    drawText(leftColumn, statusY, menuStatus() + " ^b|^y Button^w: " + std::to_string(b));
    drawSingleButtonChoice(secondColumn, controlsY, "Change Image:", sysImagePlus, pickButtonImage);
    drawStepChoice(sizeColumn, controlsY, "Change Width:", pickButtonWidthUp, pickButtonWidthDown);
    drawStepChoice(sizeColumn, hintY, "Change Height:", pickButtonHeightUp, pickButtonHeightDown);
    drawText(leftColumn, hintY, "^yButton:^w Left click: Select. Arrow keys: Move.");
    if (b < 0 || b >= gameUI.menuGetButtonCount(m)) return;
    float x = 0, y = 0, w = 0, h = 0;
    int tex = 0, func = 0, func2 = 0;
    gameUI.uiGetButton(x, y, w, h, tex, func, func2, m, b);
    drawSelectionMark(x, y, w, h, buttonMark);
}

void renderTextboxPanel()
{
    const int m = gameUI.getCurrentMenu(), t = worldEditor.getCurrentTextbox();
    drawText(leftColumn, statusY, menuStatus() + " ^b|^y Textbox^w: " + std::to_string(t));
    drawText(leftColumn, hintY, "^yTextbox:^w Left click to Select. Arrow keys to move.");
    if (t < 0 || t >= gameUI.menuGetTextboxCount(m)) return;
    float x = 0, y = 0, w = 0, h = 0;
    int text = 0;
    gameUI.uiGetTextbox(x, y, w, h, text, m, t);
    drawSelectionMark(x + w / 2.0f, y + h / 2.0f - textboxFaceRaise, w / 2.0f, h / 2.0f, textMark);
}

void renderTextlinePanel()
{
    const int m = gameUI.getCurrentMenu(), l = worldEditor.getCurrentTextline();
    drawSingleButtonChoice(secondColumn, controlsY, "Add Textline:", sysImagePlus, pickAddText);
    drawSingleButtonChoice(deleteTextX, controlsY, "Delete This Textline:", sysImageCancel, pickDeleteText);
    drawText(leftColumn, statusY, menuStatus() + " ^b|^y Text^w: " + std::to_string(l));
    drawText(leftColumn, hintY, "^yText:^w Left click to Select. Keyboard to enter text.");
    if (l < 0 || l >= gameUI.menuGetTextlineCount(m)) return;
    float x = 0, y = 0, r = 0, g = 0, b = 0;
    std::string text;
    gameUI.uiGetText(x, y, r, g, b, text, m, l);
    const float half = getDisplayTextSize(text) / 2.0f;
    drawSelectionMark(x + half, y, half + textlineMarkMargin, textlineMarkHalfH, textMark);
}

// The preview has no pick code; it is left out of the pick pass, where the
// bar's blocker under it answers instead of the image's own pixels.
void drawAnimationPreview(const img& image)
{
    if (pickPass()) return;
    noticeIfRefused(displayImage(image, previewX, previewY, previewImageDepth, previewHalf, previewHalf, pickNone));
}

void renderAnimationPanel()
{
    std::string header = "^yAnimation Editing ^b| ^yImage^w: " + std::to_string(worldEditor.getCurrentAnimImage());
    if (const img* image = menuAnimationImage()) {
        header += " ^b|^y Frames^w: " + std::to_string(image->getFrameCount()) + " ^b|^y Speed (MS)^w: " +
                  std::to_string(image->getAnimSpeed());
        drawAnimationPreview(*image);
    }
    drawText(leftColumn, animHeaderY, header);
    drawSingleButtonChoice(leftColumn, animImageY, "Change Image: ", sysImagePlus, pickAnimImageMenu);
    drawStepChoice(leftColumn, animFramesY, "Change Frames:", pickAnimFramesUp, pickAnimFramesDown);
    drawStepChoice(leftColumn, animSpeedY, "Speed:        ", pickAnimSpeedUp, pickAnimSpeedDown);
    displayCustomChoice(leftColumn, animStateY, "Animation:    ", sysImageOn, pickAnimOn, pickControlMark, pickNoIndex,
                        sysImageOff, pickAnimOff, pickControlMark, pickNoIndex);
}

// By editor mode, from editorModeMenuNone (-1) to editorModeMenuAnimation (4).
using panelFunc = void (*)();
constexpr panelFunc modePanels[] = {renderHelpPanel,     renderScreenPanel,   renderButtonPanel,
                                    renderTextboxPanel,  renderTextlinePanel, renderAnimationPanel};
constexpr int firstPanelMode = editorModeMenuNone;
static_assert(sizeof(modePanels) / sizeof(modePanels[0]) == editorModeMenuAnimation - firstPanelMode + 1,
              "one panel per menu editor mode");

void renderModePanel(int mode)
{
    if (mode < firstPanelMode || mode > editorModeMenuAnimation) return;
    modePanels[mode - firstPanelMode]();
}

// --- The frame of the panels ---------------------------------------------------

void renderCollapsed()
{
    drawBlocker(cornerX, cornerY, cornerHalf, cornerHalf, sysImageGameEditorBackground);
    drawControl(cornerX, cornerY, showArrowHalf, sysImagePlus, pickToggleSidePanel);
}

void renderBar(int mode)
{
    if (mode == editorModeMenuAnimation) {
        drawBlocker(barX, tallBarY, barHalfW, tallBarHalfH, sysImageGameEditorBackground);
        return;
    }
    drawBlocker(barX, barY, barHalfW, barHalfH, sysImageGameEditorBackground);
    drawControl(hideArrowX, hideArrowY, hideArrowHalf, sysImageMinus, pickToggleSidePanel);
}

// A game's own menus lead back to the world editor; the program's own menu
// projects are left for the front end.
void renderIcons()
{
    drawControl(animIconX, iconY, iconHalf, sysImageIconAnim, pickAnimationPanel);
    drawControl(saveIconX, iconY, iconHalf, sysImageIconSave, pickSaveProject);
    const int quit = checkGameName(world.getGameName()) ? pickLeaveProject : pickEditorMainMenu;
    drawControl(quitIconX, iconY, iconHalf, sysImageIconQuit, quit);
}

bool hasMenuStepper(int mode)
{
    return mode >= editorModeMenuScreen && mode <= editorModeMenuTextline;
}

}  // namespace

void renderUIGameEditor()
{
    const int mode = worldEditor.getEditorMode();
    // While an element is dragged the pick pass shows only the element, so
    // that it follows the pointer across the bar.
    if (mode == editorModeMenuHidden || (mode != editorModeMenuScreen && gameSys.getDragState())) {
        if (mode == editorModeMenuHidden) renderCollapsed();
        return;
    }
    renderBar(mode);
    renderIcons();
    if (hasMenuStepper(mode)) drawStepChoice(leftColumn, controlsY, "Change menu:", pickNextMenu, pickPreviousMenu);
    renderModePanel(mode);
    renderTips();
}
