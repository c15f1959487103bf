// Reading a menu system from its `ui.cfg` into gameUI.
#include "menus/ui_loader.h"

#include <GL/freeglut.h>

#include <vector>

#include "core/log.h"
#include "core/script.h"
#include "core/system.h"
#include "core/window.h"
#include "media/image_loading.h"
#include "media/loading.h"
#include "media/sound.h"
#include "media/texture.h"
#include "menus/console.h"
#include "menus/splash.h"
#include "menus/ui.h"
#include "world/game_files.h"
#include "world/world.h"

namespace {

const char* const frontEndFile = "system/ui.cfg";
const char* const ingameFile = "system/ingameui.cfg";

struct itemList {
    const char* word;                  // "button", "textbox" or "text"
    const char* endMarker;             // the text that ends the list
    const char* label;                 // for messages
    std::vector<const char*> fields;   // the keys of one item, after its index key
};
const itemList buttonList{"button", "endButtonLoad", "buttons", {"x", "y", "w", "h", "tex", "func", "func2"}};
const itemList textboxList{"textbox", "endTextboxLoad", "textboxes", {"x", "y", "w", "h", "textnum", "linkedbutton"}};
const itemList textList{"text", "endTextLoad", "text lines", {"x", "y", "r", "g", "b", "string"}};
const itemList* const itemLists[] = {&buttonList, &textboxList, &textList};

std::string menuKey(int m)
{
    return "menu" + std::to_string(m);
}

std::string itemKey(int m, const itemList& list, int i)
{
    return menuKey(m) + list.word + std::to_string(i);
}

float number(const std::string& key)
{
    return scriptUI.findLineF(key);
}

int whole(const std::string& key)
{
    return truncateNumber(scriptUI.findLineF(key));
}

void progress(bool clear, const char* message, float fraction)
{
    if (clear) showLoadingStep(message, fraction);
}

// Some key of item i is in the file: its index key or one of its fields.
bool itemHasKeys(int m, const itemList& list, int i)
{
    const std::string key = itemKey(m, list, i);
    if (scriptUI.hasKey(key)) return true;
    for (const char* field : list.fields)
        if (scriptUI.hasKey(key + field)) return true;
    return false;
}

// True while item i of the list exists: its index key does not hold the end
// marker. A list that reaches the limit, or runs out of items without its end
// marker, is reported and ends there.
bool itemExists(int m, const itemList& list, int i)
{
    const std::string key = itemKey(m, list, i);
    if (scriptUI.findLineS(key) == list.endMarker) return false;
    if (!itemHasKeys(m, list, i)) {
        systemMsg(QV_ERROR "The " + std::string(list.label) + " of menu " + std::to_string(m) +
                  " have no end marker \"" + list.endMarker + "\"; they end after " + std::to_string(i) + ".");
        return false;
    }
    if (i >= uiListLimit) {
        systemMsg(QV_ERROR "Exceeded maximum of allowed " + std::string(list.label) + " in menu " +
                  std::to_string(m) + "; only " + std::to_string(uiListLimit) + " are loaded.");
        return false;
    }
    return true;
}

int loadButtons(int m)
{
    int b = 0;
    for (; itemExists(m, buttonList, b); ++b) {
        const std::string k = itemKey(m, buttonList, b);
        gameUI.uiModifyButton(number(k + "x"), number(k + "y"), number(k + "w"), number(k + "h"), whole(k + "tex"),
                              whole(k + "func"), whole(k + "func2"), m, b);
    }
    return b;
}

// A text index outside 0..uiStringIndexMax is refused: the textbox shows no text.
int textIndex(const std::string& key, int m, int t)
{
    const int index = whole(key);
    if (index <= uiStringIndexMax) return index;
    systemMsg(QV_ERROR "Textbox " + std::to_string(t) + " of menu " + std::to_string(m) + " names text " +
              std::to_string(index) + ", above " + std::to_string(uiStringIndexMax) + "; it shows no text.");
    return -1;
}

int loadTextboxes(int m)
{
    int t = 0;
    for (; itemExists(m, textboxList, t); ++t) {
        const std::string k = itemKey(m, textboxList, t);
        gameUI.uiModifyTextbox(number(k + "x"), number(k + "y"), number(k + "w"), number(k + "h"),
                               textIndex(k + "textnum", m, t), m, t);
        gameUI.uiSetLinkedButton(whole(k + "linkedbutton"), t, m);
    }
    return t;
}

int loadTextLines(int m)
{
    int l = 0;
    for (; itemExists(m, textList, l); ++l) {
        const std::string k = itemKey(m, textList, l);
        gameUI.uiModifyText(number(k + "x"), number(k + "y"), number(k + "r"), number(k + "g"), number(k + "b"),
                            scriptUI.findLineS(k + "string"), m, l);
    }
    return l;
}

// True when menu m (m >= 1) follows: its key does not hold "endMenuLoad" and
// the file has keys of it. A menu list that reaches the limit, or runs out of
// menus without its end marker, is reported and ends there.
bool menuFollows(int m)
{
    const std::string key = menuKey(m);
    if (scriptUI.findLineS(key) == "endMenuLoad") return false;
    bool hasKeys = scriptUI.hasKey(key) || scriptUI.hasKey(key + "background");
    for (const itemList* list : itemLists) hasKeys = hasKeys || itemHasKeys(m, *list, 0);
    if (!hasKeys) {
        systemMsg(QV_ERROR "The menu list has no end marker \"endMenuLoad\"; it ends after " + std::to_string(m) +
                  " menus.");
        return false;
    }
    if (m >= uiListLimit) {
        systemMsg(QV_ERROR "Exceeded maximum of allowed menus; only " + std::to_string(uiListLimit) + " are loaded.");
        return false;
    }
    return true;
}

int loadMenus()
{
    int m = 0;
    do {
        gameUI.allocateMenu(m + 1);
        gameUI.setMenuBackgroundTex(m, whole(menuKey(m) + "background"));
        const int buttons = loadButtons(m);
        const int textboxes = loadTextboxes(m);
        const int lines = loadTextLines(m);
        gameUI.menuSetButtonCount(m, buttons);
        gameUI.menuSetTextboxCount(m, textboxes);
        gameUI.menuSetTextlineCount(m, lines);
        ++m;
    } while (menuFollows(m));
    return m;
}

void loadEmptyMenuSystem()
{
    systemMsg(QV_ERROR "No menu file could be read; the menus stay empty.");
    gameUI.allocateMenu(1);
    gameUI.setMenuBackgroundTex(0, menuBackgroundNone);
    gameUI.menuSetButtonCount(0, 0);
    gameUI.menuSetTextboxCount(0, 0);
    gameUI.menuSetTextlineCount(0, 0);
    gameUI.setMenuCount(1);
}

// Reads the file of `name` into scriptUI; `name` becomes "default" for the
// program's own menus and for the fallback.
bool readMenuFile(std::string& name)
{
    if (name == "default") return scriptUI.readFile(frontEndFile);
    if (name == "mainui") {
        name = "default";
        return scriptUI.readFile(frontEndFile);
    }
    if (name == "ingameui") {
        name = "default";
        return scriptUI.readFile(ingameFile);
    }
    if (scriptUI.readFile(gameFilePath(name, uiFileName))) return true;
    systemMsg(QV_ERROR "Unable to load specific game UI, using default instead.");
    name = "default";
    scriptUI.clear();
    return scriptUI.readFile(ingameFile);
}

}  // namespace

void loadUI(std::string name, bool clear)
{
    console.echo("");
    console.echo("^2^y" + name + " ^wUser Interface Initializing...");
    console.echo("");
    if (clear) {
        scriptUI.clear();
        showLoadingStep("Initializing User Interface", 0.01f);
        showLoadingStep("Loading User Interface Scripts", 0.2f);
    }
    const bool fileRead = readMenuFile(name);

    progress(clear, "Loading User Interface Images", 0.35f);
    const uiImageCounts images = loadUIImages(name, gameFolder(name));
    startSplashSequence(images.splashFirst, images.splashCount);
    gameUI.setUIImageCount(images.images);

    progress(clear, "Setting Menu Pointers", 0.5f);
    gameUI.setIngameMenu(whole("ingamemenu"));
    gameUI.setEditorMenu(whole("editormenu"));
    gameUI.setEditorMainMenu(whole("editormainmenu"));

    progress(clear, "Loading Menus and Objects", 0.65f);
    if (fileRead) {
        gameUI.setMenuCount(loadMenus());
        progress(clear, "Loading Introduction Menu", 0.7f);
        loadMenu(whole("intromenu"));
    } else {
        loadEmptyMenuSystem();
        loadMenu(0);
    }

    if (name == "default") uiScriptString.setString(gameSys.getLastGameEdited(), uiStringGameToEdit);
    systemMsg("The User Interface has been Successfully Built.");
    console.echo("");
    progress(clear, "User Interface Loaded Successfully", world.getGameLoaded() ? 1.0f : 0.75f);

    applyImageAnimations(uiImage, gameUI.getUIImageCount(), scriptUI, true);

    centrePointer();
    gameUI.setCurrentTT(toolTipNone, toolTipNone, 0);
    if (name == "default") playSystemSound(sysSoundMainMenu, 1);
}

void showLoadingStep(const std::string& message, float fraction)
{
    if (glutGet(GLUT_INIT_STATE)) loadRender(message, fraction);
}

void loadMenu(int menu)
{
    gameUI.setPressedButton(pressedButtonNone);
    gameUI.setHoverButton(-1);
    gameUI.setTextboxEdit(-1);
    gameUI.setHoverTextbox(-1);
    gameSys.setInputState(inputStateNormal);
    gameUI.setCurrentMenu(menu);
}
