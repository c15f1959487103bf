// Menu rendering in the frame and in the colour-pick pass.
#include "menus/ui_render.h"

#include <GL/gl.h>

#include <string>

#include "core/clock.h"
#include "core/frame.h"
#include "core/mouse.h"
#include "core/pick_codes.h"
#include "core/script.h"
#include "core/system.h"
#include "editor/editor.h"
#include "editor/image_pickers.h"
#include "editor/menu_editor_screen.h"
#include "editor/world_editor_screen.h"
#include "media/quad.h"
#include "media/screen_layer.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/ui_loader.h"
#include "menus/widgets.h"

namespace {

constexpr float pressedTint = 0.6f;
constexpr float buttonHoverGrowth = 0.1f;
constexpr float textboxHoverGrowthX = 1.0f / 30.0f;
constexpr float textboxHoverGrowthY = 0.1f;
// A textbox's face starts this far above its anchor; its text stands right
// of and above the anchor by these offsets.
constexpr float textboxFaceRaise = 13.0f;
constexpr float textboxTextDx = 4.0f, textboxTextDy = -3.0f;
// The menu editor's selection quad of a text line: this much wider than the
// text on each side, and this half-height.
constexpr float textlineQuadMargin = 6.0f;
constexpr float textlineQuadHalfHeight = 10.0f;

constexpr int cursorBlinkMs = 750;
const char* const cursorBlank = " ";
const char* const textboxCursor = "|";
const char* const textlineCursor = "_";

// The cursor blink, shared by a menu textbox and the menu editor's text line.
std::string lineAppend = cursorBlank;
int lastCursorFlip = 0;

bool pickPass()
{
    return gameSys.getColorPick();
}

int drawPickArgument()
{
    return pickPass() ? pickFlatColor : pickNone;
}

void setPickColour(int r, int g, int b)
{
    glColor3ub(static_cast<GLubyte>(r), static_cast<GLubyte>(g), static_cast<GLubyte>(b));
}

// Advances the blink and tells whether `mark` follows the text now.
bool cursorShown(const char* mark)
{
    const int now = elapsedMs();
    if (now - lastCursorFlip > cursorBlinkMs) {
        lineAppend = lineAppend == cursorBlank ? mark : cursorBlank;
        lastCursorFlip = now;
    }
    return lineAppend == mark;
}

bool validMenuImage(int index)
{
    return index >= 0 && index < gameUI.getUIImageCount() && index < static_cast<int>(uiImage.size());
}

// Menu image `index` at (x, y, z) with half extents (w, h): its current frame
// when animated, else tinted grey `tint`; the flat quad in the pick pass. An
// index outside the table draws nothing but keeps its pick quad.
void drawMenuImage(int index, float x, float y, float z, float w, float h, float tint)
{
    if (!validMenuImage(index)) {
        if (pickPass())
            noticeIfRefused(displayTexture(x, y, z, w, h, 1.0f, 1.0f, 1.0f, 0, true, true, 1.0f, pickFlatColor));
        return;
    }
    const img& image = uiImage[static_cast<size_t>(index)];
    noticeIfRefused(displayImage(image, x, y, z, w, h, drawPickArgument(), tint, tint, tint));
}

// A full-screen quad of a dragged element's code, so that the drag keeps
// reporting the element wherever the pointer goes.
void drawDragCover(int code, int index)
{
    displaySingleChoice(screenSpaceCentreX, screenSpaceCentreY, screenSpaceCentreX, screenSpaceCentreY, sysImageNone,
                        code, pickControlMark, index);
}

bool editorDrags(int mode, int selected, int index)
{
    return worldEditor.getEditorMode() == mode && selected == index && leftPressed();
}

void renderBackground(int m)
{
    const int tex = gameUI.getMenuBackgroundTex(m);
    if (pickPass() || !validMenuImage(tex)) return;
    const img& image = uiImage[static_cast<size_t>(tex)];
    const screenLayer layer{image.GetTex(), image.getAnimState() ? image.getCurrentFrame() : -1};
    if (restoreScreenLayer(layer)) return;
    drawMenuImage(tex, screenSpaceCentreX, screenSpaceCentreY, menuBackgroundDepth, screenSpaceCentreX,
                  screenSpaceCentreY, 1.0f);
    storeScreenLayer(layer);
}

void renderButtons(int m, bool menuEditor)
{
    for (int b = 0; b < gameUI.menuGetButtonCount(m); ++b) {
        float x = 0, y = 0, w = 0, h = 0;
        int tex = 0, func = 0, func2 = 0;
        gameUI.uiGetButton(x, y, w, h, tex, func, func2, m, b);
        float tint = 1.0f;
        if (b == gameUI.getPressedButton()) {
            tint = pressedTint;
        } else if (b == gameUI.getHoverButton()) {
            w += w * buttonHoverGrowth;
            h += h * buttonHoverGrowth;
        }
        if (pickPass()) {
            if (!menuEditor) {
                setPickColour(pickMenuButton, pickControlMark, b);
            } else {
                if (editorDrags(editorModeMenuButton, worldEditor.getCurrentButton(), b))
                    drawDragCover(pickEditMenuButton, b);
                setPickColour(pickEditMenuButton, pickControlMark, b);
            }
        }
        drawMenuImage(tex, x, y, menuButtonDepth, w, h, tint);
    }
}

void renderTextboxFaces(int m, bool menuEditor)
{
    for (int t = 0; t < gameUI.menuGetTextboxCount(m); ++t) {
        float x = 0, y = 0, w = 0, h = 0;
        int text = 0;
        gameUI.uiGetTextbox(x, y, w, h, text, m, t);
        const float cx = x + w / 2.0f, cy = y - textboxFaceRaise + h / 2.0f;
        float hw = w / 2.0f, hh = h / 2.0f;
        if (t == gameUI.getHoverTextbox()) {
            hw += hw * textboxHoverGrowthX;
            hh += hh * textboxHoverGrowthY;
        }
        int code = pickMenuTextbox;
        if (menuEditor) {
            if (editorDrags(editorModeMenuTextbox, worldEditor.getCurrentTextbox(), t))
                drawDragCover(pickEditMenuTextbox, t);
            code = pickEditMenuTextbox;
        }
        displaySingleChoice(static_cast<int>(cx), static_cast<int>(cy), static_cast<int>(hw), static_cast<int>(hh),
                            sysImageBlur, code, pickControlMark, t);
    }
}

void renderTextboxTexts(int m)
{
    if (pickPass()) return;
    for (int t = 0; t < gameUI.menuGetTextboxCount(m); ++t) {
        float x = 0, y = 0, w = 0, h = 0;
        int text = 0;
        gameUI.uiGetTextbox(x, y, w, h, text, m, t);
        std::string s = uiScriptString.getString(text);  // "" outside the table
        if (t == gameUI.getTextboxEdit() && gameSys.getInputState() == inputStateMenuTextbox &&
            cursorShown(textboxCursor))
            s += textboxCursor;
        displayTextString(x + textboxTextDx, y + textboxTextDy, s);
    }
}

void renderTextLines(int m, bool menuEditor)
{
    const int count = gameUI.menuGetTextlineCount(m);
    for (int l = 0; l < count; ++l) {
        float x = 0, y = 0, r = 0, g = 0, b = 0;
        std::string s;
        gameUI.uiGetText(x, y, r, g, b, s, m, l);
        if (gameSys.getInputState() == inputStateTextLine && l == worldEditor.getCurrentTextline() &&
            cursorShown(textlineCursor))
            s += textlineCursor;
        displayTextString(x, y, menuEditor && s.empty() ? textlineCursor : s);
        if (!pickPass() || !menuEditor) continue;
        if (editorDrags(editorModeMenuTextline, worldEditor.getCurrentTextline(), l))
            drawDragCover(pickEditMenuText, l);
        const float half = getDisplayTextSize(s) / 2.0f;
        setPickColour(pickEditMenuText, pickControlMark, l);
        noticeIfRefused(displayTexture(x + half, y, widgetDepth, half + textlineQuadMargin, textlineQuadHalfHeight,
                                       1.0f, 1.0f, 1.0f, sysTexture(sysImageShader), true, true, 1.0f, pickFlatColor));
    }
}

// The texts the menu file places by keys "menu<m>string<i>...". The list ends
// at "end", at the first index that has neither its text nor its string key,
// and after the loader's list limit.
void renderScriptStrings(int m)
{
    if (pickPass()) return;
    const std::string menu = "menu" + std::to_string(m) + "string";
    for (int i = 0; i < uiListLimit; ++i) {
        const std::string key = menu + std::to_string(i);
        if (!scriptUI.hasKey(key) && !scriptUI.hasKey(key + "string")) return;
        if (scriptUI.findLineS(key) == "end") return;
        if (i > uiScriptString.getStringCount()) continue;
        const int entry = truncateNumber(scriptUI.findLineF(key + "string"));
        displayTextString(scriptUI.findLineF(key + "x"), scriptUI.findLineF(key + "y"),
                          uiScriptString.getString(entry));
    }
}

}  // namespace

void uiRender()
{
    const int m = gameUI.getCurrentMenu();
    const bool menu = gameUI.validMenu(m);
    const bool menuEditor = gameSys.getGameState() == gameStateUIEditor;
    if (menu) renderBackground(m);
    displayBackdrop();
    // Drawn even when the editor menu names no menu, so that the world editor can still be used and left.
    if (gameSys.getGameState() == gameStateWorldEditor && m == gameUI.getEditorMenu()) renderGameEditor();
    if (menu) {
        renderButtons(m, menuEditor);
        renderTextboxFaces(m, menuEditor);
        renderTextboxTexts(m);
        renderTextLines(m, menuEditor);
        renderScriptStrings(m);
    }
    // The editor's bar stays, so that a menu system without a valid menu can still be left.
    if (!menuEditor) return;
    renderUIGameEditor();
    renderUIEditorImageMenu();
}
