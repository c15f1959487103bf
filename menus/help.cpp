// The help topics, the reading of help files, and the help panel.
#include "menus/help.h"

#include "core/frame.h"
#include "core/log.h"
#include "core/pick_codes.h"
#include "core/script.h"
#include "core/system.h"
#include "core/window.h"
#include "media/quad.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/widgets.h"
#include "world/game_files.h"

help uiHelp;

namespace {

const char* const defaultHelpName = "default";
const char* const systemHelpFile = "system/help.cfg";
const char* const listEnd = "end";
const char* const absentText = "NULL";

// Panel geometry in the 800 x 600 space.
constexpr int helpx = 400, helpy = 300, helpw = 375, helph = 280;
constexpr int upperLeftX = helpx - helpw / 2 - 115;
constexpr int upperLeftY = helpy - helph / 2 - 80;
constexpr int topicPitch = 40;
constexpr int topicHalfHeight = 15;
constexpr int topicBoxLeft = upperLeftX - 45;
constexpr int topicTextX = upperLeftX - 40;
constexpr int headingY = upperLeftY - 30;
constexpr int linesX = upperLeftX + 170;
constexpr int linePitch = 13;
constexpr int byteRange = 256;
constexpr int backTextX = 100, backTextY = 540;
constexpr int closeX = 70, closeY = 535, closeHalf = 32;
struct tint {
    float r, g, b;
};
constexpr tint barTint = {1.0f, 0.0f, 1.0f};

std::string titleKey(int t)
{
    return "help" + std::to_string(t) + "title";
}

std::string lineKey(int t, int j)
{
    return "help" + std::to_string(t) + "line" + std::to_string(j);
}

// An item after the first of a list exists while its key is present and does
// not hold the end marker.
bool listGoesOn(const std::string& key)
{
    return scriptHelp.hasKey(key) && scriptHelp.findLineS(key) != listEnd;
}

void failWithoutHelp()
{
    systemMsg("Could not load any Help file. Create one and try again.");
    quitEngine(quitStatusError);
}

// Reads the help file of `filename` into scriptHelp; false when no file could be read.
bool readHelpFile(const std::string& filename)
{
    if (filename == defaultHelpName) {
        if (!scriptHelp.readFile(systemHelpFile)) return false;
        systemMsg("Quorvane help file loaded successfully.");
        return true;
    }
    const std::string gameHelp = gameFileLabel(filename, helpFileName);
    if (scriptHelp.readFile(gameFilePath(filename, helpFileName))) {
        systemMsg("^y" + gameHelp + "^w was loaded successfully.");
        return true;
    }
    scriptHelp.clear();
    const bool fallback = scriptHelp.readFile(systemHelpFile);
    systemMsg("Attempted to load: ^y" + gameHelp + "^w, but it failed");
    systemMsg("Loading Quorvane help instead.");
    return fallback;
}

void storeTopics()
{
    uiHelp.setHelpTitle(scriptHelp.findLineS("helptitle"));
    int t = 0;
    do {
        uiHelp.menuSetMenuTitle(t, scriptHelp.findLineS(titleKey(t)));
        int j = 0;
        do {
            uiHelp.menuSetMenuLine(t, j, scriptHelp.findLineS(lineKey(t, j)));
            ++j;
        } while (listGoesOn(lineKey(t, j)));
        ++t;
    } while (listGoesOn(titleKey(t)));
}

void drawTopic(int i, bool selected)
{
    const std::string topicTitle = uiHelp.menuGetMenuTitle(i);
    const int stringSize = static_cast<int>(getDisplayTextSize(topicTitle));
    const int boxX = topicBoxLeft + stringSize / 2;
    const int boxY = upperLeftY + topicPitch * i;
    if (gameSys.getColorPick()) {
        displaySingleChoice(boxX, boxY, stringSize / 2, topicHalfHeight, sysImageShader, pickHelpTopic, pickControlMark,
                            i % byteRange);
        return;
    }
    if (selected) {
        noticeIfRefused(displayTexture(static_cast<float>(boxX), static_cast<float>(boxY), widgetDepth,
                                       static_cast<float>(stringSize / 2), static_cast<float>(topicHalfHeight),
                                       barTint.r, barTint.g, barTint.b, sysTexture(sysImageShader), true, true, 1.0f,
                                       pickNone));
        displayTextString(upperLeftX, headingY, uiHelp.getHelpTitle() + "^3 " + topicTitle);
    }
    displayTextString(topicTextX, boxY, topicTitle);
}

}  // namespace

void helpMenu::setMenuLine(int j, std::string line)
{
    if (j < 0) return;
    if (j >= lineCount) {
        menuText.resize(static_cast<size_t>(j) + 1);
        lineCount = j + 1;
    }
    if (line.size() > helpLineLimit) line.resize(helpLineCut);
    menuText[static_cast<size_t>(j)] = std::move(line);
}

std::string helpMenu::getMenuLine(int j) const
{
    if (j < 0 || j >= lineCount) return absentText;
    return menuText[static_cast<size_t>(j)];
}

void help::clearData()
{
    menu.clear();
    currentHelpMenu = 0;
    helpState = helpStateHidden;
    menuCount = 0;
    title.clear();
}

bool help::growTo(int t)
{
    if (t < 0) return false;
    if (t >= menuCount) {
        menu.resize(static_cast<size_t>(t) + 1);
        menuCount = t + 1;
    }
    return true;
}

void help::menuSetMenuTitle(int t, std::string text)
{
    if (growTo(t)) menu[static_cast<size_t>(t)].setMenuTitle(std::move(text));
}

void help::menuSetMenuLine(int t, int j, std::string line)
{
    if (growTo(t)) menu[static_cast<size_t>(t)].setMenuLine(j, std::move(line));
}

std::string help::menuGetMenuTitle(int t) const
{
    if (t < 0 || t >= menuCount) return absentText;
    return menu[static_cast<size_t>(t)].getMenuTitle();
}

std::string help::menuGetMenuLine(int t, int j) const
{
    if (t < 0 || t >= menuCount) return absentText;
    return menu[static_cast<size_t>(t)].getMenuLine(j);
}

int help::getLineCount(int t) const
{
    if (t < 0 || t >= menuCount) return 0;
    return menu[static_cast<size_t>(t)].getLineCount();
}

void help::selectPreviousTopic()
{
    if (currentHelpMenu - 1 >= 0) setHelp(currentHelpMenu - 1);
}

void help::selectNextTopic()
{
    if (currentHelpMenu + 1 < menuCount) setHelp(currentHelpMenu + 1);
}

void initHelp(const std::string& filename)
{
    scriptHelp.clear();
    uiHelp.clearData();
    if (!readHelpFile(filename)) {
        scriptHelp.clear();
        failWithoutHelp();
        return;
    }
    storeTopics();
    scriptHelp.clear();
    uiHelp.setHelp(0);
    uiHelp.setHelpState(helpStateHidden);
}

void enableHelp()
{
    uiHelp.setHelpState(helpStateShown);
    gameSys.setInputState(inputStateHelp);
    setAutoRepeat(true);
}

void disableHelp()
{
    uiHelp.setHelpState(helpStateHidden);
    gameSys.setInputState(inputStateNormal);
}

void helpRender()
{
    if (gameSys.getInputState() != inputStateHelp || !uiHelp.getHelpState()) return;
    displaySingleChoice(screenSpaceCentreX, screenSpaceCentreY, screenSpaceCentreX, screenSpaceCentreY, sysImageBlur, pickBlocker, pickBlocker,
                        pickBlocker);
    displaySingleChoice(helpx, helpy, helpw, helph, sysImageDialogBackground, pickBlocker, pickBlocker, pickBlocker);
    displayTextString(backTextX, backTextY, " Back");
    displaySingleChoice(closeX, closeY, closeHalf, closeHalf, sysImageQuit, pickCloseHelp, pickControlMark, pickNoIndex);

    const int count = uiHelp.getMenuCount();
    const int selected = uiHelp.getHelp();
    for (int i = 0; i < count; ++i) drawTopic(i, i == selected);
    if (count <= 0 || gameSys.getColorPick()) return;
    const int lines = uiHelp.getLineCount(selected);
    for (int j = 0; j < lines; ++j)
        displayTextString(linesX, upperLeftY + linePitch * j, uiHelp.menuGetMenuLine(selected, j));
}
