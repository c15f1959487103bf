// The welcome panels: their texts, layout and checkmark.
#include "editor/welcome.h"

#include <cstddef>

#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/editor.h"
#include "media/sound.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/widgets.h"

namespace {

// One page of text: its lines in order, "" standing for a blank line.
struct lineTable {
    const char* const* lines = nullptr;
    size_t count = 0;
};

template <size_t N>
constexpr lineTable tableOf(const char* const (&lines)[N])
{
    return {lines, N};
}

const char* const newGameOpening[] = {
    "^3^yWelcome to the Game World Editor!",
    "",
    "You have just successfully created your game. So let's go over some",
    "basics. If you just want to skip ahead and begin editing, just press",
    "the checkmark icon in the lower right hand corner of this menu.",
    "",
};

const char* const worldEditorOpening[] = {
    "^3^yWelcome back to the Game World Editor!",
    "",
    "The game has been successfully loaded. Let's go over the basics",
    "again. If you just want to skip ahead and begin editing, just press",
    "the checkmark icon in the lower right hand corner of this menu.",
    "",
};

// Shared by the two world editor panels, after their opening lines.
const char* const worldEditorBody[] = {
    "The first thing you will see past this welcome screen is the game",
    "world editor interface. On the left side you will find a vertical",
    "list of icons. Each of these provide some resource for editing",
    "your game world. Hover over each to see an informative tooltip.",
    "On the bottom of the screen you will see the menu for editing",
    "your current item of interest. This menu will change each",
    "time you select something different within this editor.",
    "",
    "You will also see your current game map in front of you. This",
    "map is made up of square tiles. Each tile has it's own image",
    "that can be changed. The default map size is 10x10",
    "tiles but you are free to change that with the Edit Map",
    "icon on the vertical icon toolbar. ^yHover your mouse^w at",
    "the ^yedges^w of the screen to scroll around the map.",
    "While creating your game, you will create ^yObjects^w. Objects",
    "can represent anything in your game world, such as a rock.",
    "Unlike tiles, objects are resizable with transparent backgrounds.",
    "Objects also exist on different layers, from 1 to 7. An object on",
    "layer 1 will appear below an object on layer 2. Objects may be",
    "given ^ygame logic rules^w. These are the rules of your game.",
    "Access the game logic menu on the vertical toolbar to the left.",
    "",
    "Remember, you can press '^yh^w' at any time to access further help.",
};

const char* const menuEditorLines[] = {
    "^3^yWelcome to the Menu System Editor!",
    "",
    "Creating your menu system is not required when you make",
    "your game, but it can help give it a very distinct feel.",
    "If you would like to use the pre-made menu system",
    "that Quorvane supplies, simply leave this menu editor",
    "and just work on your game world. It will be supplied",
    "automatically to you when your game is loaded.",
    "",
    "If you would like to continue, Let's go over some basics",
    "together, but if you would like to skip ahead, just",
    "click the checkmark in the lower righthand corner.",
    "",
    "The menu system is made up of a few distinct things. A menu",
    "consists of a background image, buttons and lines of",
    "text. Quorvane supplies all the buttons that",
    "your menu will need, but you are free to change their sizes",
    "and change the images that buttons have. Add your own images",
    "by placing them in your game's /ui/ directory. You are free",
    "to add or delete as many lines of text as you would like.",
    "",
    "Left click on a menu object to select it. You will be able",
    "to edit its attributes in the lower menu. When you left click",
    "on a line of text you will be able to type on your keyboard",
    "and change the text. ^yLeft Click^w on the Add Textline button",
    "to add more textlines, and ^yLeft-Click^w on the delete textline button",
    "to remove a textline. Use the icons in the lower right hand corner",
    "to add animation, save your entire project or stop editing.",
    "",
    "Remember, Press '^yh^w' at any time to access the help system.",
};

const char* const introLines[] = {
    "Welcome to ^yQuorvane^w! We recommend you begin by",
    "going through a quick overview. Quorvane is a game",
    "development toolkit designed for everyone. It allows",
    "you to make and play games that require absolutely",
    "no written programming. Instead, games are constructed",
    "by building and manipulatng the game world directly. When a game",
    "",
    "When you dismiss this menu, you will be at the Main Menu.",
    "From there, you will be able to play or create a game.",
    "It is recommended that you begin by playing the demo games",
    "that are included with this release. To play, click on",
    "the ^yPlay Game^w button on the main menu, and click the ^yfolder",
    "^yicon^w to show the available games. After you finish you may create",
    "your own game, or look at how the demos were built from the ^yProject",
    "^yEditor^w menu. This menu is accessible from the main menu as well.",
    "",
    "Take some time to play around in the game editor for a bit to get",
    "a feel for how games are built. Most on-screen operations are",
    "accomplished by using the mouse. If you require additional",
    "help while using Quorvane, press the ^yh^w key to use the",
    "interactive help. This is available everywhere except during gameplay.",
    "",
    "Click the ^gGreen Checkmark^w to begin using Quorvane!",
};

// A panel: its tables drawn one after the other, and whether the logo heads it.
struct welcomePage {
    lineTable first;
    lineTable second;
    bool logo;
};

// By welcome menu id.
const welcomePage welcomePages[] = {
    {tableOf(newGameOpening), tableOf(worldEditorBody), false},
    {tableOf(worldEditorOpening), tableOf(worldEditorBody), false},
    {tableOf(menuEditorLines), {}, false},
    {tableOf(introLines), {}, true},
};
constexpr int welcomePageCount = static_cast<int>(sizeof(welcomePages) / sizeof(welcomePages[0]));
static_assert(welcomePageCount == welcomeMenuIntro + 1, "one page per welcome menu");

constexpr int screenCentreX = 400, screenCentreY = 300;
constexpr int backdropHalfW = 400, backdropHalfH = 300;
constexpr int panelHalfW = 350, panelHalfH = 270;
constexpr int textX = 85;
constexpr int firstLineY = 60;
constexpr int linePitch = 16;
constexpr int logoX = 400, logoRaise = 15, logoHalfW = 100, logoHalfH = 40;
constexpr int logoSpace = 32;  // from the logo's line to the first text line
constexpr int checkmarkX = 700, checkmarkY = 523, checkmarkHalf = 24;

void blockerQuad(int x, int y, int w, int h, int image)
{
    displaySingleChoice(x, y, w, h, image, pickBlocker, pickBlocker, pickBlocker);
}

// Draws the lines from y on, each a pitch below the last; returns the next y.
int drawLines(const lineTable& table, int y)
{
    for (size_t i = 0; i < table.count; ++i) {
        const char* line = table.lines[i];
        if (*line) displayTextString(static_cast<float>(textX), static_cast<float>(y), line);
        y += linePitch;
    }
    return y;
}

void drawPage(const welcomePage& page)
{
    int y = firstLineY;
    if (page.logo) {
        blockerQuad(logoX, y - logoRaise, logoHalfW, logoHalfH, sysImageLogo);
        y += logoSpace;
    }
    y = drawLines(page.first, y);
    drawLines(page.second, y);
}

}  // namespace

void renderEditorWelcome()
{
    int timer = 0, menu = 0;
    worldEditor.getWelcome(timer, menu);
    if (gameSys.getDebugState()) {
        worldEditor.setWelcome(0, welcomeMenuNewGame);
        return;
    }
    if (timer <= 0) return;

    blockerQuad(screenCentreX, screenCentreY, backdropHalfW, backdropHalfH, sysImageBlur);
    blockerQuad(screenCentreX, screenCentreY, panelHalfW, panelHalfH, sysImageDialogBackground);
    if (menu >= 0 && menu < welcomePageCount) drawPage(welcomePages[menu]);
    displaySingleChoice(checkmarkX, checkmarkY, checkmarkHalf, checkmarkHalf, sysImageOk, pickWelcomeClose,
                        pickControlMark, pickNoIndex);
}

bool welcomePicking(const unsigned char* pixel)
{
    if (pixel[0] != pickWelcomeClose || gameSys.getHoverState()) return false;
    if (!isEditorState(gameSys.getGameState()) && gameSys.getLeftMouse() != mouseButtonPressed) return false;
    playSystemSound(sysSoundSelect, 0);
    worldEditor.setWelcome(0, welcomeMenuNewGame);
    return true;
}
