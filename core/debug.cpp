// Debug overlay, frame counter and volume display.
#include "core/debug.h"

#include <GL/freeglut.h>

#include <sstream>

#include "core/camera.h"
#include "core/clock.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "media/quad.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/console.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/widgets.h"
#include "world/world.h"

namespace {

constexpr float panelX = 700.0f;
constexpr float panelTopY = 86.0f;
constexpr float panelLowY = 500.0f;
constexpr float panelHalfWidth = 98.0f;
constexpr float panelHalfHeight = 79.0f;
constexpr float panelDepth = -2.0f;
constexpr float panelAlpha = 0.5f;
constexpr float textFromCentreY = 66.0f;
constexpr float textX = panelX - 80.0f;
constexpr float lineStep = 13.0f;
constexpr int figurePrecision = 2;

constexpr int volumeX = 400, volumeY = 500, volumeHalfWidth = 100, volumeHalfHeight = 25;
constexpr float volumeTextX = 335.0f;
constexpr int volumeTimerStep = 20;
constexpr int millisecondsPerSecond = 1000;

frameCounter drawnFrames;

std::vector<std::string> currentGameLines()
{
    const int map = world.getCurrentMap();
    int width = 0, height = 0;
    std::string name;
    world.worldGetMap(width, height, name, map);
    return debugGameLines(world.getMapCount(), map, width, height, world.worldGetObjectCount(map));
}

std::vector<std::string> currentMenuLines()
{
    const int menu = gameUI.getCurrentMenu();
    return debugMenuLines(menu, gameUI.getMenuCount(), gameUI.menuGetButtonCount(menu),
                          gameUI.menuGetTextboxCount(menu), gameUI.menuGetTextlineCount(menu));
}

// The statistics below the common lines: of the menu system in the menu
// states, of the game in play and in the world editor's own menu.
std::vector<std::string> stateLines(int state)
{
    switch (state) {
    case gameStateMenu:
    case gameStateIngameMenu:
    case gameStateDialog:
    case gameStateUIEditor: return currentMenuLines();
    case gameStatePlay:
    case gameStatePlaytest: return currentGameLines();
    case gameStateWorldEditor:
        if (gameUI.getCurrentMenu() == gameUI.getEditorMenu()) return currentGameLines();
        return {};
    default: return {};
    }
}

}  // namespace

void debugInit()
{
    const char* const lines[] = {
        "",
        "^yDebug mode is ^yEnabled",
        "^wTo ^ydisable ^wdebug mode, type '^ydebug off^w' into this console.",
        "^wYou may also press ^yF2^w to toggle debug mode at any time.",
        "",
    };
    for (const char* line : lines) console.echo(line);
}

std::vector<std::string> debugCommonLines(const debugFigures& f)
{
    std::vector<std::string> lines;
    std::ostringstream out;
    out.precision(figurePrecision);
    auto take = [&]() {
        lines.push_back(out.str());
        out.str("");
    };
    out << "^wVer. ^y" << programVersion << "^w Build ^y" << programBuild;
    take();
    out << "FPS: ^g" << f.fps;
    take();
    out << "C: ^y" << f.camx << ", " << f.camy << ", " << f.camz;
    take();
    out << "Rot: ^y" << f.pitch << ", " << f.yaw;
    take();
    out << "M UI: ^y" << f.mousex << ", " << f.mousey;
    take();
    out << "M IG: ^y" << f.worldx << ", " << f.worldz;
    take();
    out << "Time Elapsed: ^y" << f.elapsed;
    take();
    return lines;
}

std::vector<std::string> debugMenuLines(int currentMenu, int menuCount, int buttons, int textboxes, int textLines)
{
    return {
        "^yUI DEBUG^w. Menu:^y " + std::to_string(currentMenu),
        "Menus: ^y" + std::to_string(menuCount),
        "Buttons: ^y" + std::to_string(buttons),
        "Textboxes: ^y" + std::to_string(textboxes),
        "TextLines: ^y" + std::to_string(textLines),
    };
}

std::vector<std::string> debugGameLines(int mapCount, int currentMap, int mapWidth, int mapHeight, int objectCount)
{
    return {
        "^yGame Debug",
        "Maps: ^y" + std::to_string(mapCount),
        "Map: ^y" + std::to_string(currentMap),
        "Map Size: ^y" + std::to_string(mapWidth) + "x" + std::to_string(mapHeight),
        "Objects: ^y" + std::to_string(objectCount),
    };
}

debugPlacement placeDebugPanel(bool consoleShown, int mousex, int mousey)
{
    const debugPlacement top{true, panelTopY, panelTopY - textFromCentreY};
    const debugPlacement low{true, panelLowY, panelLowY - textFromCentreY};
    const auto inside = [&](float centreY) {
        return panelX - panelHalfWidth < mousex && mousex < panelX + panelHalfWidth &&
               centreY - panelHalfHeight < mousey && mousey < centreY + panelHalfHeight;
    };
    // The panel moves down when the console covers the top of the screen;
    // then a pointer over it leaves no room, and nothing is drawn.
    if (consoleShown) return inside(panelLowY) ? debugPlacement{false, low.centreY, low.textY} : low;
    // Otherwise it moves down out of the pointer's way.
    return inside(panelTopY) ? low : top;
}

bool frameCounter::count(int now, int& fps)
{
    ++frameCount;
    if (now - timeSinceCheck <= millisecondsPerSecond) return false;
    fps = frameCount * millisecondsPerSecond / (now - timeSinceCheck);
    timeSinceCheck = now;
    frameCount = 0;
    return true;
}

void framesPerSecond()
{
    int fps = 0;
    if (drawnFrames.count(elapsedMs(), fps)) gameSys.setCurFPS(fps);
}

std::string volumeText(float volume)
{
    std::ostringstream out;
    out << "^y^3Volume:^w ";
    const float tenths = volume * 10.0f;
    if (static_cast<double>(volume) > 0.2) out << tenths;
    else out << static_cast<int>(tenths);
    return out.str();
}

void renderVolume()
{
    int timer = gameSys.getVolTimer();
    if (timer <= 0) return;
    timer -= volumeTimerStep;
    gameSys.setVolTimer(timer);
    displaySingleChoice(volumeX, volumeY, volumeHalfWidth, volumeHalfHeight, sysImageGameEditorBackground,
                        pickBlocker, pickBlocker, pickBlocker);
    displayTextString(volumeTextX, static_cast<float>(volumeY), volumeText(gameSys.getSoundVolume()));
}

void debugRender()
{
    int mousex = 0, mousey = 0;
    gameSys.getOrthoPos(mousex, mousey);
    const debugPlacement place = placeDebugPanel(console.getConsoleState(), mousex, mousey);
    if (!place.shown) return;

    debugFigures figures;
    figures.fps = gameSys.getCurFPS();
    figures.mousex = mousex;
    figures.mousey = mousey;
    gameSys.getNormalPos(figures.worldx, figures.worldz);
    figures.elapsed = elapsedMs();
    camera.GetPos(figures.camx, figures.camy, figures.camz);
    camera.GetRot(figures.pitch, figures.yaw);
    std::vector<std::string> lines = debugCommonLines(figures);
    const std::vector<std::string> more = stateLines(gameSys.getGameState());
    lines.insert(lines.end(), more.begin(), more.end());

    // Half-transparent: the colour's alpha blends the panel.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    noticeIfRefused(displayTexture(panelX, place.centreY, panelDepth, panelHalfWidth, panelHalfHeight, 1.0f, 1.0f, 1.0f,
                                   sysTexture(sysImageDialogBackground), true, false, panelAlpha, pickNone));
    glDisable(GL_BLEND);

    float y = place.textY;
    for (const std::string& line : lines) {
        displayTextString(textX, y, line);
        y += lineStep;
    }
}
