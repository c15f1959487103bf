// Tool tips: the texts by tip id, the descriptions of menu buttons and
// textboxes, the placement of the box and its drawing.
#include "menus/tooltip.h"

#include <string>

#include "core/clock.h"
#include "core/frame.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "media/quad.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/button_actions.h"
#include "menus/notice.h"
#include "menus/ui.h"

namespace {

struct tipText {
    int id;
    const char* text;
};

// The fixed texts. Menu buttons and textboxes (22, 23, 37) are described from
// the menu; the menu and system textboxes (38, 48) show no tip.
const tipText tipTexts[] = {
    {pickNextMap, "Go to the next map."},
    {pickPreviousMap, "Go to the previous map."},
    {pickToggleSidePanel, "Toggle whether menus are hidden."},
    {pickEditorMainMenu, "Return to the World Editor Main Menu. ^yNo Data will be ^ylost."},
    {pickAnimImageMenu, "Select an image to change animation settings."},
    {pickAnimPrevImage, "Selects the previous image."},
    {pickAnimFramesUp, "Increase the number of frames in the animation."},
    {pickAnimFramesDown, "Decrease the number of frames in the animation."},
    {pickAnimOn, "Enable animation for this image."},
    {pickAnimOff, "Disable animation for this image."},
    {pickAnimSpeedUp, "Increase the rate in which frames change in the animation."},
    {pickAnimSpeedDown, "Decrease the rate in which frames change in the animation."},
    {pickNextMenu, "Select the next menu."},
    {pickPreviousMenu, "Select the previous menu."},
    {pickMenuBackgroundImage, "Change the menu background to the next image."},
    {pickMenuBackgroundPrevious, "Change the menu background to the previous image."},
    {pickButtonImage, "Change the button background to the next image."},
    {pickButtonImagePrevious, "Change the button background to the previous image."},
    {pickButtonWidthUp, "Increase the button width."},
    {pickButtonWidthDown, "Decrease the button width."},
    {pickButtonHeightUp, "Increase the button height."},
    {pickButtonHeightDown, "Decrease the button height."},
    {pickEditMenuText, "Click to select this line of text. While clicking, drag your mouse to move the text."},
    {pickTileImage, "Change the tile image."},
    {pickTilePrevImage, "Change the tile image to the previous image."},
    {pickObjectImage, "Change the object(s) image."},
    {pickObjectPrevImage, "Change the object image to the previous image."},
    {pickObjectLayerUp, "Increase the layer level that the object is drawn at."},
    {pickObjectLayerDown, "Decrease the layer level that the object is drawn at."},
    {pickObjectWidthUp, "Increase the object's width."},
    {pickObjectWidthDown, "Decrease the object's width."},
    {pickObjectHeightUp, "Increase the object's height."},
    {pickObjectHeightDown, "Decrease the object's height."},
    {pickMenuTextbox, toolTipHidden},
    {pickHelpTopic, "Click a topic title to read more information."},
    {pickSaveProject, "Save project"},
    {pickAnimationPanel, "Animation"},
    {pickQuitProgram, "Return to Windows"},
    {pickToggleFullscreen, "Toggle Fullscreen Mode"},
    {pickToggleDebug, "Toggle Debug Mode"},
    {pickToggleConsole, "Toggle Developer Console"},
    {pickSysTextbox, toolTipHidden},
    {pickNewMapPanel, "Create a new map"},
    {pickCreateMap, "Create the new map"},
    {pickConsoleUp, "Scroll the console window upward"},
    {pickConsoleDown, "Scroll the console window downward"},
    {pickMapPanel, "Map attributes"},
    {pickResizeMap, "Apply your size changes to the map"},
    {pickOpenHelp, "Help"},
    {pickCloseHelp, "Leave Help"},
    {pickLeaveGame, "Leave the Game"},
    {pickLeaveProject, "Leave the current project"},
    {pickLocalLogic, "Edit Local Game Logic"},
    {pickGlobalLogic, "Edit Global Game Logic"},
    {pickAddSentence, "Add a new sentence to your game logic window"},
    {pickDeleteSentence, "Delete this sentence"},
    {pickObjectLabelUp, "Increase the label grouping that this object belongs to."},
    {pickObjectLabelDown, "Decrease the label grouping that this object belongs to."},
    {pickAddObject, "Add object"},
    {pickDeleteObjects, "Delete the current object(s) that you have selected"},
    {pickDeleteMapNow, "Delete the current map"},
    {pickDeleteMap, "Delete the current map"},
    {pickFogPanel, "Modify fog"},
    {pickFogToggle, "Toggle whether fog is used or not in this map"},
    {pickFogDensityUp, "Increase the thickness of the fog"},
    {pickFogDensityDown, "Decrease the thickness of the fog"},
    {pickFogRedUp, "Increase the intensity of red"},
    {pickFogRedDown, "Decrease the intensity of red"},
    {pickFogGreenUp, "Increase the intensity of green"},
    {pickFogGreenDown, "Decrease the intensity of green"},
    {pickFogBlueUp, "Increase the intensity of blue"},
    {pickFogBlueDown, "Decrease the intensity of blue"},
    {pickCopyObjects, "Create a copy of the current object(s) selected."},
    {pickObjectSolid, "Toggles whether the object is solid or not"},
    {pickImageRowDown, "Scroll the above image list downward"},
    {pickImageRowUp, "Scroll the above image list upward"},
    {pickImageCell, "Click this image to select it for your current tile/object."},
    {pickImageMenuClose, "Leave this menu."},
    {pickRenameMap, "Apply your name change to this map"},
    {pickWelcomeClose, "Dismiss the welcome screen"},
    {pickAddText, "Add a line of text"},
    {pickDeleteText, "Delete the current line of text"},
    {pickSolidWidthUp, "Increase the object's solid width"},
    {pickSolidHeightUp, "Increase the object's solid height"},
    {pickSolidWidthDown, "Decrease the object's solid width"},
    {pickSolidHeightDown, "Decrease the object's solid height"},
    {pickRenameObject, "Change the name of this object"},
    {pickTileStretchOn, "Enable tile stretching for this map"},
    {pickTileStretchOff, "Disable tile stretching for this map"},
    {pickCopyMap, "Make a new map that is a copy of this map"},
    {pickNextTip, "Next tip"},
    {pickPreviousTip, "Previous tip"},
    {pickMacroMenu, "Select a game logic macro for this object"},
    {pickMacroMenuClose, "Leave the macro selection menu"},
    {pickPhraseEditor, "Toggle the phrase editor"},
    {pickNextPhrase, "Proceed to the next phrase"},
    {pickPreviousPhrase, "Go back to the previous phrase"},
    {pickApplyPhrase, "Apply changes to this phrase"},
    {pickPhraseChoiceNext, "Go to the next phrase"},
    {pickPhraseChoicePrevious, "Go to the previous phrase"},
    {pickPhraseSelector, "Toggle the phrase selector menu"},
    {pickPlaytest, "Play Game"},
    {pickCopySentence, "Make a copy of this sentence"},
    {pickSentenceScrollDown, "Scroll down to the next sentence"},
    {pickSentenceScrollUp, "Scroll up to the previous sentence"},
    {pickTileHeightUp, "Increase the tile height"},
    {pickTileHeightDown, "Decrease the tile height"},
    {pickSkyboxMenu, "Open the skybox editing menu"},
    {pickObjectDepthUp, "Increase the object's depth"},
    {pickObjectDepthDown, "Decrease the object's depth"},
    {pickSolidDepthUp, "Increase the object's solid depth"},
    {pickSolidDepthDown, "Decrease the object's solid depth"},
    {pickObjectTypeUp, "Increase the object's type"},
    {pickObjectTypeDown, "Decrease the object's type"},
    {pickRotateX, "Rotate the object on the x axis"},
    {pickRotateY, "Rotate the object on the y axis"},
    {pickRotateZ, "Rotate the object on the z axis"},
};

const char* const editButtonPrefix =
    "Click to select this button. While clicking, Drag your mouse to move the button. Effect: ";
const char* const editTextboxPrefix =
    "Click to select this textbox. While clicking, drag your mouse to move the textbox. Use: ";

// How a button function is described: a fixed text, the text followed by the
// argument or by the program name, or one of two texts by an argument 0 or 1.
enum descriptionForm { describePlain, describeArgument, describeProgramName, describeOnOff };

struct functionDescription {
    int func;
    descriptionForm form;
    const char* text;        // describeOnOff: the text for argument 0
    const char* textOn = ""; // describeOnOff: the text for argument 1
};

// In the menu editor.
const functionDescription editorDescriptions[] = {
    {buttonFuncQuit, describeProgramName, "Quit "},
    {buttonFuncLoadMenu, describeArgument, "Load Menu ^y"},
    {buttonFuncSetGameState, describeArgument, "Game State ^y"},
    {buttonFuncSetInputState, describeArgument, "Input State ^y"},
    {buttonFuncOpenDialog, describeArgument, "Open Dialogbox ^y"},
    {buttonFuncCloseDialog, describePlain, "Back"},
    {buttonFuncDebugMode, describeOnOff, "^yDisable^w Debug Mode", "^yEnable^w Debug Mode"},
    {buttonFuncLeaveGame, describePlain, "Leave Game"},
    {buttonFuncLoadIngameMenu, describePlain, "Pause Game"},
    {buttonFuncLeaveIngameMenu, describePlain, "Return to Game"},
    {buttonFuncLoadUIEditor, describePlain, "Enter User Interface Editor"},
    {buttonFuncReturnToMainMenu, describePlain, "Return to the Main Menu"},
    {buttonFuncFullscreenOn, describePlain, "^yEnable^w Fullscreen"},
    {buttonFuncFullscreenOff, describePlain, "^yEnable^w Windows Mode"},
    {buttonFuncReenterGame, describePlain, "Return to Game"},
    {buttonFuncSoundOn, describePlain, "^yEnable^w Sound"},
    {buttonFuncSoundOff, describePlain, "^yDisable^w Sound"},
    {buttonFuncVolumeUp, describePlain, "^yIncrease^w Volume"},
    {buttonFuncVolumeDown, describePlain, "^yDecrease^w Volume"},
};

// On a shown menu.
const functionDescription menuDescriptions[] = {
    {buttonFuncQuit, describeProgramName, "Quit "},
    {buttonFuncDebugMode, describeOnOff, "Disable Debug Mode", "Enable Debug Mode"},
    {buttonFuncLeaveGame, describePlain, "Leave Game"},
    {buttonFuncFullscreenOn, describePlain, "Fullscreen Mode"},
    {buttonFuncFullscreenOff, describePlain, "Window Mode"},
    {buttonFuncSoundOn, describePlain, "Enable Sound"},
    {buttonFuncSoundOff, describePlain, "Disable Sound"},
    {buttonFuncVolumeUp, describePlain, "Increase Volume"},
    {buttonFuncVolumeDown, describePlain, "Decrease Volume"},
};

// The texts of the textbox text slots in the menu editor.
const char* const textSlotDescriptions[] = {
    "Name of Playable Game to Load",
    "Name of Game to Load in Game Editor",
    "Name of Game to Create",
    "Width of first map in Tiles of Created Game",
    "Height of first map in Tiles of Created Game",
};

template <size_t n>
std::string describeFunction(const functionDescription (&table)[n], int func, int func2)
{
    for (const functionDescription& d : table) {
        if (d.func != func) continue;
        switch (d.form) {
        case describePlain: return d.text;
        case describeArgument: return d.text + std::to_string(func2);
        case describeProgramName: return d.text + std::string(gameSys.getName());
        case describeOnOff: return func2 == 0 ? d.text : func2 == 1 ? d.textOn : "";
        }
    }
    return toolTipHidden;
}

std::string describeButton(int identifier, int b)
{
    const int m = gameUI.getCurrentMenu();
    if (b < 0 || b >= gameUI.menuGetButtonCount(m)) return toolTipHidden;
    float x, y, w, h;
    int tex, func, func2;
    gameUI.uiGetButton(x, y, w, h, tex, func, func2, m, b);
    if (identifier == pickEditMenuButton) return describeFunction(editorDescriptions, func, func2);
    return describeFunction(menuDescriptions, func, func2);
}

std::string describeTextbox(int t)
{
    const int m = gameUI.getCurrentMenu();
    if (t < 0 || t >= gameUI.menuGetTextboxCount(m)) return toolTipHidden;
    float x, y, w, h;
    int slot = 0;
    gameUI.uiGetTextbox(x, y, w, h, slot, m, t);
    constexpr int slots = sizeof(textSlotDescriptions) / sizeof(textSlotDescriptions[0]);
    return slot >= 0 && slot < slots ? textSlotDescriptions[slot] : "Description missing";
}

constexpr int tipBaseHalfHeight = 12;
constexpr int tipLineRaise = 6;     // the box grows this much per line past the first
constexpr int tipPointerGap = 20;   // between the pointer and the tip
constexpr int tipAboveGap = 5;      // between a tip above the pointer and the pointer
constexpr int tipBoxDrop = 25;      // the box centre below the tip's top
constexpr int tipMargin = 10;       // box beyond the text on either side
constexpr int tipTextIndent = 4;

}  // namespace

std::string getEditorObjectInfo(int identifier, int identifier2)
{
    if (identifier == pickEditMenuButton || identifier == pickMenuButton) return describeButton(identifier, identifier2);
    if (identifier == pickEditMenuTextbox) return describeTextbox(identifier2);
    return "";
}

std::string toolTipText(int id, int sub)
{
    switch (id) {
    case pickEditMenuButton: return editButtonPrefix + getEditorObjectInfo(id, sub);
    case pickEditMenuTextbox: return editTextboxPrefix + getEditorObjectInfo(id, sub);
    case pickMenuButton: return getEditorObjectInfo(id, sub);
    default: break;
    }
    for (const tipText& tip : tipTexts)
        if (tip.id == id) return tip.text;
    return toolTipHidden;
}

toolTipLayout placeToolTip(const std::string& text, int mx, int my, toolTipMeasureFunc measure)
{
    toolTipLayout layout{};
    layout.wrapped = wrapText(text);
    const int last = layout.wrapped.lastLine;
    int widest = 0;
    for (int i = 1; i <= last; ++i)
        if (layout.wrapped.lines[i].size() > layout.wrapped.lines[widest].size()) widest = i;
    const int w = static_cast<int>(measure(layout.wrapped.lines[widest]));
    const int halfW = w / 2;
    const int h = tipBaseHalfHeight + tipLineRaise * last;

    int x = mx + halfW / 2;
    x = x > screenSpaceWidth - w ? x - w : x + tipPointerGap;
    const int y = my > screenSpaceCentreY ? my - 2 * h - tipAboveGap : my + tipPointerGap;

    layout.boxX = x + halfW / 2;
    layout.boxY = y + tipBoxDrop;
    layout.halfWidth = halfW + tipMargin;
    layout.halfHeight = h;
    layout.textX = x + tipTextIndent - halfW / 2;
    layout.firstLineY = y - tipLineRaise * last + tipBoxDrop;
    return layout;
}

void toolTipRender()
{
    if (gameSys.getGameState() == gameStateSplash) return;
    int id = toolTipNone, sub = toolTipNone, since = 0;
    gameUI.getCurrentTT(id, sub, since);
    if (id == toolTipNone) return;
    if (since + toolTipDelayMs > elapsedMs()) return;
    const std::string text = toolTipText(id, sub);
    if (text == toolTipHidden) return;

    int mx = 0, my = 0;
    gameSys.getOrthoPos(mx, my);
    const toolTipLayout tip = placeToolTip(text, mx, my, getDisplayTextSize);
    noticeIfRefused(displayTexture(tip.boxX, tip.boxY, 0.0f, tip.halfWidth, tip.halfHeight, 1.0f, 1.0f, 1.0f,
                                   sysTexture(sysImageGameEditorBackground), true, true, 1.0f, pickNone));
    for (int i = 0; i <= tip.wrapped.lastLine; ++i)
        displayTextString(tip.textX, tip.firstLineY + toolTipLinePitch * i, tip.wrapped.lines[i]);
}
