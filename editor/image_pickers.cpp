// The image picker panels: the guard that closes a picker outside its
// editor, the framed current image, the page of present images a row shows,
// and the row steps of both editors.
#include "editor/image_pickers.h"

#include <algorithm>
#include <vector>

#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/editor.h"
#include "media/quad.h"
#include "media/sound.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/widgets.h"
#include "world/world.h"

namespace {

constexpr int cellsPerRow = 10;
constexpr int rowsPerPage = 6;
constexpr int cellsPerPage = cellsPerRow * rowsPerPage;

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

void drawCells(const std::vector<img>& table, const imagePage& page, int current)
{
    for (size_t k = 0; k < page.images.size(); ++k) {
        const int i = page.images[k];
        const int column = static_cast<int>(k) % cellsPerRow, row = static_cast<int>(k) / cellsPerRow;
        drawCell(table[static_cast<size_t>(i)], i, i == current, firstCellX + cellPitch * column,
                 firstCellY + cellPitch * row);
    }
}

bool isPresent(const img& image)
{
    return image.GetPointer() != identNumEmpty;
}

// The image table of the current editor's picker and how many of its slots count.
struct pickerTable {
    const std::vector<img>& images;
    int count;
};

pickerTable currentPickerTable()
{
    if (gameSys.getGameState() == gameStateUIEditor) return {uiImage, gameUI.getUIImageCount()};
    return {gameImg, world.getGameImageCount()};
}

int presentImageCount(const std::vector<img>& table, int count)
{
    const int end = std::min(count, static_cast<int>(table.size()));
    return static_cast<int>(std::count_if(table.begin(), table.begin() + std::max(end, 0), isPresent));
}

void renderImagePicker(const std::vector<img>& table, int count, int current)
{
    displaySingleChoice(panelX, panelY, panelHalfW, panelHalfH, sysImageDialogBackground, pickBlocker, pickBlocker,
                        pickBlocker);
    const int row = worldEditor.getImageMenuRow();
    if (row != 0) drawControl(rowUpX, buttonY, buttonHalf, sysImageArrowUp, pickImageRowUp);
    drawControl(closeX, buttonY, buttonHalf, sysImageOk, pickImageMenuClose);
    const imagePage page = imagePickerPage(table, count, row);
    drawCells(table, page, current);
    if (page.full) drawControl(rowDownX, buttonY, buttonHalf, sysImageArrowDown, pickImageRowDown);
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

imagePage imagePickerPage(const std::vector<img>& table, int count, int row)
{
    imagePage page;
    const int end = std::min(count, static_cast<int>(table.size()));
    const int first = std::max(row, 0) * cellsPerRow;
    int seen = 0;  // present images before slot i
    for (int i = 0; i < end && seen < first + cellsPerPage; ++i) {
        if (!isPresent(table[static_cast<size_t>(i)])) continue;
        if (seen >= first) page.images.push_back(i);
        ++seen;
    }
    page.full = static_cast<int>(page.images.size()) == cellsPerPage;
    return page;
}

int imageMenuLastRow()
{
    const pickerTable table = currentPickerTable();
    const int present = presentImageCount(table.images, table.count);
    return present < cellsPerPage ? 0 : (present - cellsPerPage) / cellsPerRow + 1;
}

void stepImageMenuRow(int delta)
{
    const int row = worldEditor.getImageMenuRow() + delta;
    if (row < 0 || row > imageMenuLastRow()) return;
    playSystemSound(sysSoundSelect, 0);
    worldEditor.setImageMenuRow(row);
}

void openImageMenu()
{
    worldEditor.setImageMenuRow(std::clamp(worldEditor.getImageMenuRow(), 0, imageMenuLastRow()));
    worldEditor.setImageMenuTimer(1);
}
