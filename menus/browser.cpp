// Drawing the game browser: the shade and panel, the confirm and cancel
// buttons, the scroll arrows, the title and hint, and one row per game.
#include "menus/browser.h"

#include <string>

#include "core/clock.h"
#include "core/frame.h"
#include "core/mouse.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "media/sound.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/widgets.h"

namespace {

constexpr int panelHalfWidth = 350, panelHalfHeight = 250;
constexpr int buttonHalf = 16;
constexpr int confirmX = 660, cancelX = 705, buttonsY = 500;
constexpr int arrowX = 90, arrowUpY = 170, arrowDownY = 470;
constexpr int titleX = 90, titleY = 90, hintY = 115;
constexpr int rowTextX = 110, firstRowY = 150, rowPitch = 25;
constexpr int rowMargin = 5, rowHalfHeight = 12;

const char* const browserTitle = "^4^yQuorvane Game Browser";
const char* const browserHint = "Select a game below and click on the green checkmark to confirm.";

void drawFrame(int first)
{
    displaySingleChoice(screenSpaceCentreX, screenSpaceCentreY, screenSpaceCentreX, screenSpaceCentreY,
                        sysImageBlur, pickBlocker, pickBlocker, pickBlocker);
    displaySingleChoice(screenSpaceCentreX, screenSpaceCentreY, panelHalfWidth, panelHalfHeight,
                        sysImageDialogBackground, pickBlocker, pickBlocker, pickBlocker);
    displaySingleChoice(confirmX, buttonsY, buttonHalf, buttonHalf, sysImageOk, pickBrowserConfirm, pickControlMark,
                        pickBrowserOk);
    displaySingleChoice(cancelX, buttonsY, buttonHalf, buttonHalf, sysImageCancel, pickBrowserConfirm,
                        pickControlMark, pickBrowserCancel);
    if (first > 0)
        displaySingleChoice(arrowX, arrowUpY, buttonHalf, buttonHalf, sysImageArrowUp, pickBrowserScrollUp,
                            pickControlMark, pickNoIndex);
    displayTextString(titleX, titleY, browserTitle);
    displayTextString(titleX, hintY, browserHint);
}

// The time of the last press on a row, for the double click.
int lastRowPress = 0;

void closeBrowser()
{
    gameSys.setDirTextbox(dirTextboxNone);
}

void pressConfirm(int button)
{
    playSystemSound(sysSoundSelect, 0);
    if (button == pickBrowserOk) confirmBrowserChoice();
    else closeBrowser();
}

void pressRow(int row)
{
    const int now = elapsedMs();
    playSystemSound(sysSoundSelect, 0);
    const bool again = now < lastRowPress + doubleClickMs && row == gameSys.getSelectedDir();
    gameSys.setSelectedDir(row);
    if (again) confirmBrowserChoice();
    lastRowPress = now;
}

// The first row shown may pass the last game slot by one, where rows read empty.
void scrollDown()
{
    if (gameSys.getLastDir() >= gameListSize) return;
    playSystemSound(sysSoundSelect, 0);
    gameSys.setLastDir(gameSys.getLastDir() + 1);
}

void scrollUp()
{
    if (gameSys.getLastDir() <= 0) return;
    playSystemSound(sysSoundSelect, 0);
    gameSys.setLastDir(gameSys.getLastDir() - 1);
}

// The rows from `first` on; returns how many were drawn.
int drawRows(int first)
{
    const int selected = gameSys.getSelectedDir();
    int rows = 0;
    int y = firstRowY;
    for (int i = first; i < first + browserVisibleRows && i < gameListSize; ++i) {
        const std::string name = gameSys.getDirName(i);
        if (name.empty()) break;
        const int halfWidth = static_cast<int>(getDisplayTextSize(name)) / 2;
        const bool chosen = i == selected;
        displaySingleChoice(halfWidth + rowTextX, y, halfWidth + rowMargin, rowHalfHeight,
                            chosen ? sysImageLine : sysImageNone, pickBrowserEntry, pickControlMark, i);
        displayTextString(rowTextX, y, chosen ? "^y" + name : name);
        ++rows;
        y += rowPitch;
    }
    return rows;
}

}  // namespace

void renderFileBrowser()
{
    if (gameSys.getDirTextbox() < 0) return;
    const int first = gameSys.getLastDir() < 0 ? 0 : gameSys.getLastDir();
    drawFrame(first);
    if (drawRows(first) > browserScrollRows)
        displaySingleChoice(arrowX, arrowDownY, buttonHalf, buttonHalf, sysImageArrowDown, pickBrowserScrollDown,
                            pickControlMark, pickNoIndex);
}

void confirmBrowserChoice()
{
    uiScriptString.setString(gameSys.getDirName(gameSys.getSelectedDir()), gameSys.getDirTextbox());
    closeBrowser();
}

bool browserPicking(const unsigned char* pixel)
{
    if (gameSys.getHoverState() || gameSys.getLeftMouse() != mouseButtonPressed) return false;
    switch (pixel[0]) {
    case pickBrowserConfirm: pressConfirm(pixel[2]); return true;
    case pickBrowserEntry: pressRow(pixel[2]); return true;
    case pickBrowserScrollDown: scrollDown(); return true;
    case pickBrowserScrollUp: scrollUp(); return true;
    default: return false;
    }
}
