// The menu editor's clicks: the item table of selection and dragging, the
// animation codes, the menu image picker and the tools of the bar.
#include "editor/menu_editor_picking.h"

#include <string>

#include "core/clock.h"
#include "core/mouse.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/editor.h"
#include "editor/image_pickers.h"
#include "media/sound.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "world/game_leave.h"

namespace {

// Motion events a drag swallows after a selection, so that a click does not
// nudge what it selects.
constexpr int selectionDragDelay = 5;
// A second release on the same picker cell within this time closes the picker.
constexpr int imageDoubleClickMs = 500;
constexpr int imageMenuClosedByDoubleClick = -1;

// A new text line: white, in the middle of the screen.
constexpr float newTextX = 400.0f, newTextY = 300.0f;
const char* const newTextString = "New Text";

// Button size steps: a left click and a right click.
constexpr float smallSizeStep = 2.0f, largeSizeStep = 10.0f;

// Animation bounds: the last frame of a ten-frame strip, the speed step and
// the slowest speed reached from a multiple of the step.
constexpr int lastAnimationFrame = 9;
constexpr int animSpeedStepMs = 100;
constexpr int slowestAnimSpeedMs = 1099;

bool hoverPass()
{
    return gameSys.getHoverState();
}

int currentMenu()
{
    return gameUI.getCurrentMenu();
}

// --- The items of the edited menu ------------------------------------------------

void pointer(float& x, float& y)
{
    int ox = 0, oy = 0;
    gameSys.getOrthoPos(ox, oy);
    x = static_cast<float>(ox);
    y = static_cast<float>(oy);
}

// A dragged button's centre follows the pointer.
void dragButton(int m, int b)
{
    float x, y, w, h, px, py;
    int tex, func, func2;
    gameUI.uiGetButton(x, y, w, h, tex, func, func2, m, b);
    pointer(px, py);
    gameUI.uiModifyButton(px, py, w, h, tex, func, func2, m, b);
}

// A dragged textbox is centred on the pointer, with the select sound at every step.
void dragTextbox(int m, int t)
{
    float x, y, w, h, px, py;
    int text;
    playSystemSound(sysSoundSelect, 0);
    gameUI.uiGetTextbox(x, y, w, h, text, m, t);
    pointer(px, py);
    gameUI.uiModifyTextbox(px - w / 2.0f, py, w, h, text, m, t);
}

// A dragged text line is centred horizontally on the pointer.
void dragTextline(int m, int l)
{
    float x, y, r, g, b, px, py;
    std::string text;
    gameUI.uiGetText(x, y, r, g, b, text, m, l);
    pointer(px, py);
    gameUI.uiModifyText(px - getDisplayTextSize(text) / 2.0f, py, r, g, b, text, m, l);
}

// One kind of item: its pick code, the editor mode that selects it, how many
// the menu holds, the editor's selection of it, and where typed keys go once
// it is selected.
struct itemKind {
    int code;
    int mode;
    int (UI::*count)(int) const;
    int (editor::*selected)() const;
    void (editor::*select)(int);
    void (*drag)(int m, int index);
    int inputState;
};

const itemKind itemKinds[] = {
    {pickEditMenuButton, editorModeMenuButton, &UI::menuGetButtonCount, &editor::getCurrentButton,
     &editor::setCurrentButton, dragButton, inputStateNormal},
    {pickEditMenuTextbox, editorModeMenuTextbox, &UI::menuGetTextboxCount, &editor::getCurrentTextbox,
     &editor::setCurrentTextbox, dragTextbox, inputStateNormal},
    {pickEditMenuText, editorModeMenuTextline, &UI::menuGetTextlineCount, &editor::getCurrentTextline,
     &editor::setCurrentTextline, dragTextline, inputStateTextLine},
};

const itemKind* findItemKind(int code)
{
    for (const itemKind& kind : itemKinds)
        if (kind.code == code) return &kind;
    return nullptr;
}

// --- The animation of a menu image -------------------------------------------------

void previousAnimImage()
{
    if (worldEditor.getCurrentAnimImage() - 1 >= 0)
        worldEditor.setCurrentAnimImage(worldEditor.getCurrentAnimImage() - 1);
}

void stepFrames(int delta)
{
    img* image = menuAnimationImage();
    if (!image) return;
    const int frames = image->getFrameCount() + delta;
    if (frames >= 0 && frames <= lastAnimationFrame) image->setFrameCount(frames);
}

// A shorter time per frame runs the animation faster.
void stepSpeed(int deltaMs)
{
    img* image = menuAnimationImage();
    if (!image) return;
    const int speed = image->getAnimSpeed() + deltaMs;
    if (speed > 0 && speed <= slowestAnimSpeedMs) image->setAnimSpeed(speed);
}

void switchAnimation(bool on)
{
    if (img* image = menuAnimationImage()) image->setAnimState(on);
}

struct animationCode {
    int code;
    void (*apply)();
};

const animationCode animationCodes[] = {
    {pickAnimImageMenu, openImageMenu},
    {pickAnimPrevImage, previousAnimImage},
    {pickAnimFramesUp, [] { stepFrames(1); }},
    {pickAnimFramesDown, [] { stepFrames(-1); }},
    {pickAnimOn, [] { switchAnimation(true); }},
    {pickAnimOff, [] { switchAnimation(false); }},
    {pickAnimSpeedUp, [] { stepSpeed(-animSpeedStepMs); }},
    {pickAnimSpeedDown, [] { stepSpeed(animSpeedStepMs); }},
};

// A left press on the animation panel's controls; false for other codes.
bool animationPicking(int code)
{
    if (worldEditor.getEditorMode() != editorModeMenuAnimation || !leftPressed()) return false;
    for (const animationCode& entry : animationCodes) {
        if (entry.code != code) continue;
        entry.apply();
        return true;
    }
    return false;
}

// --- The menu image picker ----------------------------------------------------------

// The picker steps one row a click, on the press: the release of the same
// click moves nothing more.
void stepImageRow(int delta)
{
    if (leftPressed()) stepImageMenuRow(delta);
}

void setSelectedButtonImage(int image);

void assignPickedImage(int image)
{
    switch (worldEditor.getEditorMode()) {
    case editorModeMenuScreen: gameUI.setMenuBackgroundTex(currentMenu(), image); break;
    case editorModeMenuButton: setSelectedButtonImage(image); break;
    case editorModeMenuAnimation: worldEditor.setCurrentAnimImage(image); break;
    default: break;
    }
}

// A release on a cell gives its image to what the mode edits; a second
// release on the same cell soon after closes the picker.
void pickImageCellAt(int image)
{
    static int tmpoldtex = 0;
    static int imageClickCheck = 0;
    const int now = elapsedMs();
    playSystemSound(sysSoundSelect, 0);
    assignPickedImage(image);
    if (now < imageClickCheck + imageDoubleClickMs && tmpoldtex == image)
        worldEditor.setImageMenuTimer(imageMenuClosedByDoubleClick);
    tmpoldtex = image;
    imageClickCheck = now;
}

// The picker's codes in the menu editor; false for other codes.
bool imagePickerPicking(const unsigned char* pixel)
{
    switch (pixel[0]) {
    case pickImageRowDown: stepImageRow(1); return true;
    case pickImageRowUp: stepImageRow(-1); return true;
    case pickImageCell:
        if (!leftReleased()) return false;
        pickImageCellAt(pickImageCellIndex(pixel[1], pixel[2]));
        return true;
    case pickImageMenuClose:
        playSystemSound(sysSoundClose, 0);
        worldEditor.setImageMenuTimer(0);
        return true;
    default: return false;
    }
}

// --- The tools of the bar -----------------------------------------------------------

// The next or previous menu, stepping over the world editor's screen menu;
// the current menu is set directly, so hover and edit states stay.
void stepMenu(int direction)
{
    const int count = gameUI.getMenuCount();
    const int next = currentMenu() + direction;
    if (next < 0 || next >= count) return;
    worldEditor.setEditorMode(editorModeMenuScreen);
    if (next != gameUI.getEditorMenu()) {
        gameUI.setCurrentMenu(next);
        return;
    }
    const int beyond = next + direction;
    if (beyond >= 0 && beyond < count) gameUI.setCurrentMenu(beyond);
}

void previousBackground()
{
    const int m = currentMenu();
    if (gameUI.getMenuBackgroundTex(m) - 1 >= menuBackgroundNone)
        gameUI.setMenuBackgroundTex(m, gameUI.getMenuBackgroundTex(m) - 1);
}

// A saved menu must load back, so a menu holds no more lines than the loader reads.
void addTextline()
{
    const int m = currentMenu();
    const int count = gameUI.menuGetTextlineCount(m);
    if (count >= menuTextlineLimit) {
        playSystemSound(sysSoundError, 0);
        notice.setNotice("Add Textline",
                         "A menu holds at most " + std::to_string(menuTextlineLimit) + " text lines.");
        return;
    }
    playSystemSound(sysSoundCreate, 0);
    gameUI.uiModifyText(newTextX, newTextY, 1.0f, 1.0f, 1.0f, newTextString, m, count);
}

void deleteTextline()
{
    playSystemSound(sysSoundDelete, 0);
    worldEditor.setEditorMode(editorModeMenuScreen);
    gameUI.uiDeleteTextline(worldEditor.getCurrentTextline(), currentMenu());
}

// The selected button's fields, written back whole with one of them changed.
struct buttonFields {
    float x = 0, y = 0, w = 0, h = 0;
    int tex = 0, func = 0, func2 = 0;
};

bool readSelectedButton(buttonFields& f)
{
    const int m = currentMenu(), b = worldEditor.getCurrentButton();
    if (b < 0 || b >= gameUI.menuGetButtonCount(m)) return false;
    return gameUI.uiGetButton(f.x, f.y, f.w, f.h, f.tex, f.func, f.func2, m, b);
}

void writeSelectedButton(const buttonFields& f)
{
    gameUI.uiModifyButton(f.x, f.y, f.w, f.h, f.tex, f.func, f.func2, currentMenu(), worldEditor.getCurrentButton());
}

void setSelectedButtonImage(int image)
{
    buttonFields f;
    if (!readSelectedButton(f)) return;
    f.tex = image;
    writeSelectedButton(f);
}

void previousButtonImage()
{
    buttonFields f;
    if (!readSelectedButton(f) || f.tex - 1 < 0) return;
    --f.tex;
    writeSelectedButton(f);
}

// A left release steps a button's half size by the small step, a right
// release by the large one; a size below the minimum is refused.
void stepButtonSize(float buttonFields::*field, float sign)
{
    const float step = leftReleased() ? smallSizeStep : rightReleased() ? largeSizeStep : 0.0f;
    buttonFields f;
    if (step == 0.0f || !readSelectedButton(f)) return;
    const float size = f.*field + sign * step;
    if (size < menuButtonMinSize) return;
    f.*field = size;
    writeSelectedButton(f);
}

// When a tool acts: on a left release, or on a left press or release.
enum toolEvent { onLeftRelease, onLeftClick, onSizeRelease };

struct toolCode {
    int code;
    toolEvent event;
    void (*apply)();
};

const toolCode toolCodes[] = {
    {pickNextMenu, onLeftRelease, [] { stepMenu(1); }},
    {pickPreviousMenu, onLeftRelease, [] { stepMenu(-1); }},
    {pickMenuBackgroundImage, onLeftClick, openImageMenu},
    {pickMenuBackgroundPrevious, onLeftRelease, previousBackground},
    {pickAddText, onLeftRelease, addTextline},
    {pickDeleteText, onLeftRelease, deleteTextline},
    {pickButtonImage, onLeftRelease, openImageMenu},
    {pickButtonImagePrevious, onLeftRelease, previousButtonImage},
    {pickButtonWidthUp, onSizeRelease, [] { stepButtonSize(&buttonFields::w, 1.0f); }},
    {pickButtonWidthDown, onSizeRelease, [] { stepButtonSize(&buttonFields::w, -1.0f); }},
    {pickButtonHeightUp, onSizeRelease, [] { stepButtonSize(&buttonFields::h, 1.0f); }},
    {pickButtonHeightDown, onSizeRelease, [] { stepButtonSize(&buttonFields::h, -1.0f); }},
};

bool toolEventHappened(toolEvent event)
{
    switch (event) {
    case onLeftRelease: return leftReleased();
    case onLeftClick: return leftPressed() || leftReleased();
    case onSizeRelease: return leftReleased() || rightReleased();
    }
    return false;
}

// The tools take their code on every event and act on their own one.
bool toolPicking(int code)
{
    for (const toolCode& tool : toolCodes) {
        if (tool.code != code) continue;
        if (toolEventHappened(tool.event)) tool.apply();
        return true;
    }
    return false;
}

// Back from a game's menus to the world editor's main menu.
bool editorMainMenuPicking(int code)
{
    if (code != pickEditorMainMenu) return false;
    if (leftPressed() || leftReleased()) {
        loadMenu(gameUI.getEditorMainMenu());
        gameSys.setGameState(gameStateWorldEditor);
    }
    return true;
}

}  // namespace

img* menuAnimationImage()
{
    const int i = worldEditor.getCurrentAnimImage();
    if (i < 0 || i >= gameUI.getUIImageCount() || i >= static_cast<int>(uiImage.size())) return nullptr;
    return &uiImage[static_cast<size_t>(i)];
}

void menuEditorPrePicking(const unsigned char* pixel)
{
    // In the world editor mode 3 is the animation panel: only the menu
    // editor sends typed keys to a text line.
    if (gameSys.getGameState() == gameStateUIEditor && worldEditor.getEditorMode() == editorModeMenuTextline)
        gameSys.setInputState(inputStateTextLine);
    if (!hoverPass() && pixel[0] == pickLeaveProject && (leftPressed() || leftReleased())) leaveGame();
}

bool menuEditorItemPicking(const unsigned char* pixel)
{
    if (hoverPass()) return false;
    const itemKind* kind = findItemKind(pixel[0]);
    const int m = currentMenu(), index = pixel[2];
    if (!kind || index >= (gameUI.*kind->count)(m)) return false;
    if (gameSys.getDragState()) {
        if (worldEditor.getEditorMode() == kind->mode && (worldEditor.*kind->selected)() == index) kind->drag(m, index);
        return true;
    }
    if (!leftPressed()) playSystemSound(sysSoundSelect, 0);
    (worldEditor.*kind->select)(index);
    worldEditor.setEditorMode(kind->mode);
    gameSys.setInputState(kind->inputState);
    gameSys.setDragDelay(selectionDragDelay);
    return true;
}

bool menuEditorToolPicking(const unsigned char* pixel)
{
    if (hoverPass() || gameSys.getDragState()) return false;
    const int code = pixel[0];
    if (editorMainMenuPicking(code)) return true;
    if (animationPicking(code)) return true;
    if (gameSys.getGameState() == gameStateUIEditor && imagePickerPicking(pixel)) return true;
    return toolPicking(code);
}
