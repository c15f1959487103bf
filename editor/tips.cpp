// The tip bar: the two tip tables and the bar's layout.
#include "editor/tips.h"

#include <string>

#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/editor.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/widgets.h"

namespace {

const char* const worldEditorTips[] = {
    "Welcome to the Game World Editor. Press the ^yarrows^w to cycle through tips.",
    "^yLeft click^w to select tiles.",
    "^yLeft Click^w to select an object. ^yRight click^w to select multiple objects.",
    "^yClick and Drag^w your mouse when selecting objects to move them.",
    "Maps are ^yresizable^w. Click on the Change Map button on the left toolbar.",
    "Create new maps by selecting the ^yCreate Map icon^w on the left toolbar.",
    "Give your map fog effects by clicking the ^yFog icon^w on the left toolbar.",
    "Maps contain ^yGlobal Logic^w. Objects contain their individual ^yLocal Logic^w.",
    "Add your own images by placing them into your game's ^y/ui/^w and ^y/map/^w folders.",
    "Add your own sounds by placing .wav files into your game's ^y/sound/^w folder.",
    "Game logic sentences are executed in top-to-down linear order.",
    "Use your ^yarrow keys^w to move objects.",
    "Use the ^yStretch Tile^w option while selecting a tile to make it a map.",
    "Your game folder is in the ^ygames^w directory of the Quorvane folder.",
    "Use ^yPhrases^w from the game logic menu to display text ingame.",
    "QV supplies a few ^yobject logic macros^w for beginners.",
    "Use ^yF10^w to highlight all objects. Good for seeing invisible ones.",
    "Press ^y1^w-^y7^w to toggle layers in the editor. States shown below map name.",
    "Press ^yF9^w to toggle the on-screen map grid.",
};

const char* const menuEditorTips[] = {
    "Welcome to the Menu System Editor. Press the arrows to cycle through tips.",
    "Left click on menu objects to select them. Press ^yENTER^w to reset selection.",
    "Your menu system consists of two types of objects: buttons and textlines.",
    "Change menu backgrounds by pressing ^yENTER^w and using the lower controls.",
    "When a menu object is selected, drag your mouse/use the arrow keys to move.",
    "You may change the image, size and position of buttons.",
    "You may add or delete as many textlines as you desire.",
    "To use text effects, add a caret (Shift+6) and a letter or number.",
    "Typing a caret (Shift+6) and a number from 1-4 will change text size.",
    "Typing a caret (Shift+6) and a letter (r,w,y,g,etc...) will change color.",
    "Add your own images by placing them in the ^yyour game/ui^w folder.",
    "Use the animation button in the lower-right corner to use animations.",
    "Animations may have up to 10 frames, and may cycle from 100msec to 1 second.",
    "Make sure to save your project option using the disk button.",
    "All of your game data is stored in your game folder in the QV directory.",
    "Quorvane supports most major image formats.",
    "Quickly change button sizes by right clicking on the change controls.",
};

template <size_t N>
constexpr int countOf(const char* const (&)[N])
{
    return static_cast<int>(N);
}
static_assert(countOf(worldEditorTips) == worldEditorLastTip + 1, "the world editor's tips end at its last tip");
static_assert(countOf(menuEditorTips) == menuEditorLastTip + 1, "the menu editor's tips end at its last tip");

// One editor's tips and what it shows for an index outside them.
struct tipTable {
    const char* const* tips;
    int last;
    const char* noTip;
};

const tipTable worldEditorTable{worldEditorTips, worldEditorLastTip, "No tip"};
const tipTable menuEditorTable{menuEditorTips, menuEditorLastTip, "No tip."};

constexpr int barY = 10, barHalfH = 10, barOverhang = 50;
constexpr int arrowY = 8, arrowHalf = 12;
constexpr int previousArrowX = 12, nextArrowX = 31;
constexpr float textX = 55.0f, textY = 8.0f;

const tipTable& shownTable()
{
    return gameSys.getGameState() == gameStateUIEditor ? menuEditorTable : worldEditorTable;
}

std::string barText(const tipTable& table, int n)
{
    const char* tip = n >= 0 && n <= table.last ? table.tips[n] : table.noTip;
    return "^y(" + std::to_string(n) + "/" + std::to_string(table.last) + ")^w " + tip;
}

}  // namespace

void renderTips()
{
    const std::string text = barText(shownTable(), worldEditor.getCurrentTip());
    const float width = getDisplayTextSize(text);
    const int centre = static_cast<int>(width / 2.0f);
    const int halfWidth = static_cast<int>(width / 2.0f + barOverhang);
    displaySingleChoice(centre, barY, halfWidth, barHalfH, sysImageGameEditorBackground, pickBlocker, pickBlocker,
                        pickBlocker);
    displaySingleChoice(previousArrowX, arrowY, arrowHalf, arrowHalf, sysImageArrowLeft, pickPreviousTip,
                        pickControlMark, pickNoIndex);
    displaySingleChoice(nextArrowX, arrowY, arrowHalf, arrowHalf, sysImageArrowRight, pickNextTip, pickControlMark,
                        pickNoIndex);
    displayTextString(textX, textY, text);
}
