// The image picker panels: the guard that closes a picker outside its
// editor, the framed current image, and the walk over the image table that
// lays out one page of cells.
#include "editor/image_pickers.h"

#include <algorithm>
#include <vector>

#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/editor.h"
#include "media/quad.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/widgets.h"
#include "world/world.h"

namespace {

constexpr int cellsPerRow = 10;
constexpr int rowsPerPage = 6;
constexpr int cellsPerPage = cellsPerRow * rowsPerPage;
// A page ends early once the empty slots it passed over, plus this, reach the image count.
constexpr int skippedSlotAllowance = 66;

constexpr int panelX = 420, panelY = 230, panelHalfW = 350, panelHalfH = 220;
constexpr int buttonY = 410, buttonHalf = 24;
constexpr int rowUpX = 645, rowDownX = 680, closeX = 730;
constexpr int firstCellX = 150, firstCellY = 60, cellPitch = 60;
constexpr int cellFrameHalf = 29, cellHalf = 26;
constexpr int indexByte = 256;

// The editor modes in which a picker stays open outside its own game state.
bool keepsPickerOpen(int mode)
{
    switch (mode) {
    case editorModeTile:
    case editorModeObject:
    case editorModeAnimation:
    case editorModeMapLogic:
    case editorModeObjectLogic:
        return true;
    default:
        return false;
    }
}

// True when the picker of game state `ownState` is to be drawn; a picker
// open outside its state in another mode is closed.
bool pickerShown(int ownState)
{
    if (worldEditor.getImageMenuTimer() <= 0) return false;
    if (gameSys.getGameState() != ownState && !keepsPickerOpen(worldEditor.getEditorMode())) {
        worldEditor.setImageMenuTimer(0);
        return false;
    }
    return true;
}

int worldPickerCurrentImage()
{
    const int m = world.getCurrentMap();
    int image = 0;
    switch (worldEditor.getEditorMode()) {
    case editorModeTile: {
        int x = 0, y = 0;
        worldEditor.getCurrentTile(x, y);
        world.worldGetTile(image, x, y, m);
        return image;
    }
    case editorModeObject: {
        float px, py, pz, w, h, d;
        int layer = 0;
        world.worldGetObject(px, py, pz, w, h, d, image, layer, worldEditor.getCurrentObject(), m);
        return image;
    }
    case editorModeAnimation:
        return worldEditor.getCurrentAnimImage();
    default:
        return 0;
    }
}

int menuPickerCurrentImage()
{
    const int m = gameUI.getCurrentMenu();
    switch (worldEditor.getEditorMode()) {
    case editorModeMenuScreen:
        return gameUI.getMenuBackgroundTex(m);
    case editorModeMenuButton: {
        const int b = worldEditor.getCurrentButton();
        if (b < 0 || b >= gameUI.menuGetButtonCount(m)) return 0;
        float x, y, w, h;
        int image = 0, func, func2;
        gameUI.uiGetButton(x, y, w, h, image, func, func2, m, b);
        return image;
    }
    case editorModeMenuAnimation:
        return worldEditor.getCurrentAnimImage();
    default:
        return 0;
    }
}

void drawControl(int x, int y, int half, int image, int code)
{
    displaySingleChoice(x, y, half, half, image, code, pickControlMark, pickNoIndex);
}

// One cell: the frame of the current image, the image itself and its pick square.
void drawCell(const img& image, int index, bool current, int x, int y)
{
    if (current)
        displaySingleChoice(x, y, cellFrameHalf, cellFrameHalf, sysImageBlur, pickBlocker, pickBlocker, pickBlocker);
    const float fx = static_cast<float>(x), fy = static_cast<float>(y), half = static_cast<float>(cellHalf);
    noticeIfRefused(displayImage(image, fx, fy, 0.0f, half, half, pickNone));
    displaySingleChoice(x, y, cellHalf, cellHalf, sysImageNone, pickImageCell, index / indexByte, index % indexByte);
}

// The cells of the page at the editor's row; returns how many were drawn.
// The walk ends at the image count (and at the table's end), so a row past
// the end draws an empty page.
int drawCells(const std::vector<img>& table, int count, int current)
{
    const int end = std::min(count, static_cast<int>(table.size()));
    const int first = worldEditor.getImageMenuRow() * cellsPerRow;
    int skipped = 0, drawn = 0;
    for (int i = std::max(first, 0); i < first + skipped + cellsPerPage && i < end; ++i) {
        const img& image = table[static_cast<size_t>(i)];
        if (image.GetPointer() == identNumEmpty) {
            ++skipped;
            if (skipped + skippedSlotAllowance >= count) break;
            continue;
        }
        const int column = drawn % cellsPerRow, row = drawn / cellsPerRow;
        drawCell(image, i, i == current, firstCellX + cellPitch * column, firstCellY + cellPitch * row);
        ++drawn;
    }
    return drawn;
}

void renderImagePicker(const std::vector<img>& table, int count, int current)
{
    displaySingleChoice(panelX, panelY, panelHalfW, panelHalfH, sysImageDialogBackground, pickBlocker, pickBlocker,
                        pickBlocker);
    if (worldEditor.getImageMenuRow() != 0) drawControl(rowUpX, buttonY, buttonHalf, sysImageArrowUp, pickImageRowUp);
    drawControl(closeX, buttonY, buttonHalf, sysImageOk, pickImageMenuClose);
    if (drawCells(table, count, current) == cellsPerPage)
        drawControl(rowDownX, buttonY, buttonHalf, sysImageArrowDown, pickImageRowDown);
}

}  // namespace

void renderEditorImageMenu()
{
    if (!pickerShown(gameStateWorldEditor)) return;
    renderImagePicker(gameImg, world.getGameImageCount(), worldPickerCurrentImage());
}

void renderUIEditorImageMenu()
{
    if (!pickerShown(gameStateUIEditor)) return;
    renderImagePicker(uiImage, gameUI.getUIImageCount(), menuPickerCurrentImage());
}

int imageMenuLastRow(int count)
{
    const int rows = (count + cellsPerRow - 1) / cellsPerRow;
    return std::max(rows - rowsPerPage, 0);
}

void openImageMenu()
{
    const bool menuEditor = gameSys.getGameState() == gameStateUIEditor;
    const int count = menuEditor ? gameUI.getUIImageCount() : world.getGameImageCount();
    worldEditor.setImageMenuRow(std::clamp(worldEditor.getImageMenuRow(), 0, imageMenuLastRow(count)));
    worldEditor.setImageMenuTimer(1);
}
