// Start-up sequence, reshape, full-screen switching and the settings file.
#include "core/init.h"

#include <GL/freeglut.h>
#define ILUT_USE_OPENGL
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include <cstdlib>
#include <ctime>
#include <sstream>

#include "core/clock.h"
#include "core/debug.h"
#include "core/file_write.h"
#include "core/frame.h"
#include "core/input.h"
#include "core/log.h"
#include "core/mouse.h"
#include "core/system.h"
#include "core/window.h"
#include "media/image_loading.h"
#include "media/sound.h"
#include "media/texture.h"
#include "menus/console.h"
#include "menus/help.h"
#include "editor/editor.h"
#include "menus/splash.h"
#include "menus/ui.h"
#include "menus/ui_loader.h"
#include "menus/widgets.h"

namespace {

const char* const systemSettingsFile = "system/system.cfg";
const char* const dialogSettingsFile = "system/dialog.cfg";
const char* const uiInfoFile = "system/uiinfo.cfg";
const char* const logFileName = "log.txt";
constexpr int fallbackFrameCap = 30;
constexpr double fieldOfViewDeg = 45.0;
constexpr double nearPlane = 1.0;
constexpr double farPlane = 150.0;
constexpr int windowedLeft = 5;
constexpr int windowedTop = 26;
constexpr int introWelcomeTimer = 1000;

int settingInt(const char* key)
{
    return truncateNumber(scriptSys.findLineF(key));
}

void printBanner()
{
    systemMsg("^4^yQuorvane");
    for (int i = 0; i < 3; ++i) systemMsg("");
    systemMsg("^g^2Quorvane Engine Initializing...");
    systemMsg("");
    systemMsg("^wCreating log file: ^ylog.txt^w. Refer to this file for diagnostic information.");
}

void printConsoleBanner()
{
    std::ostringstream version;
    version << "^wVersion ^y" << programVersion << " ^w- Build ^y" << programBuild;
    const char* const lines[] = {
        "", "", "^3^wWelcome to Quorvane", "", "", nullptr,
        "^wUse '^yUp^w' and '^yDown^w' to scroll the console",
        "^wUse '^yPage Up^w' and '^yPage Down^w' to jump to the ends of the list",
        "^wType '^yhelp^w' ^wfor command assistance", "",
    };
    for (const char* line : lines) console.echo(line ? std::string(line) : version.str());
}

void closeWindow()
{
    quitEngine(quitStatusUser);
}

void registerCallbacks()
{
    systemMsg("^wSetting up openGL Display Function");
    glutDisplayFunc(display);
    glutReshapeFunc(changeSize);
    systemMsg("^wSetting up I/O");
    glutKeyboardFunc(keyboard);
    glutKeyboardUpFunc(keyboardUp);
    glutSpecialFunc(processSpecialKeys);
    glutSpecialUpFunc(specialKeysUp);
    glutMouseFunc(mouse);
    glutPassiveMotionFunc(mousePassive);
    glutMotionFunc(mouseDrag);
    glutIdleFunc(idleFunc);
    glutCloseFunc(closeWindow);
    glEnable(GL_CULL_FACE);
}

void initImageLibrary()
{
    systemMsg("^rInitializing DeviL Image Library");
    ilInit();
    iluInit();
    ilutInit();
    ilutRenderer(ILUT_OPENGL);  // after the window: reads the context's limits
}




void openWindow()
{
    systemMsg("^wSetting glutInitDisplayMode to GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH");
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);

    systemMsg("^wChecking for fullscreen...");
    windowGeometry geometry{settingInt("windowx"), settingInt("windowy"), settingInt("windowwidth"),
                            settingInt("windowheight")};
    if (!validateWindowGeometry(geometry))
        systemMsg("^wINVALID WINDOW PARAMETERS ENTERED! Defaulting to 0x0x800x600");
    glutInitWindowSize(geometry.width, geometry.height);
    glutInitWindowPosition(geometry.x, geometry.y);

    std::string title = scriptSys.findLineS("progName");
    if (title.size() >= static_cast<size_t>(systemNameSize)) title.resize(systemNameSize - 1);
    glutCreateWindow(title.c_str());
    if (settingInt("windowfscreen") == 1) setFullScreen(true, true);

    systemMsg("^wStoring window information");
    gameSys.SetSystem(geometry.x, geometry.y, geometry.width, geometry.height, title.c_str());
    systemMsg("^wSetting up the Window Viewport");
    glViewport(0, 0, geometry.width, geometry.height);
}

}  // namespace

void readFrameCap()
{
    gameSys.setFPSRender(settingInt("fps"));
    if (gameSys.getFPSRender() == -1 || gameSys.getFPSRender() == 0) {
        systemMsg(QV_ERROR "Invalid FPS Value entered, resetting to 30 fps");
        gameSys.setFPSRender(fallbackFrameCap);
    }
}

void readDebugMode()
{
    gameSys.setDebugState(settingInt("debugMode") != 0, true);
    gameSys.setInputState(inputStateNormal);
    const bool skipSplash = gameSys.getDebugState() || splash.getHideSplash();
    gameSys.setGameState(skipSplash ? gameStateMenu : gameStateSplash);
}

void raiseIntroductionOnFirstRun()
{
    if (settingInt("firstTime") <= 0) worldEditor.setWelcome(introWelcomeTimer, welcomeMenuIntro);
}

void readSoundAndLastGame()
{
    gameSys.setLastGameEdited(scriptSys.findLineS("lastGameEdited"));
    gameSys.setSoundState(scriptSys.findLineF("sound") != 0.0f);
    gameSys.setSoundVolume(scriptSys.findLineF("soundVolume"));
}

bool validateWindowGeometry(windowGeometry& g)
{
    if (g.x >= 0 && g.y >= 0 && g.width >= minWindowWidth && g.height >= minWindowHeight) return true;
    g = windowGeometry{0, 0, minWindowWidth, minWindowHeight};
    return false;
}

void init()
{
    gameLog.openLog(logFileName);
    gameLog.clearLog();
    printBanner();
    beginSoundInit();  // opened while the window and the images are set up

    scriptSys.readFile(systemSettingsFile);
    scriptSys.readFile(dialogSettingsFile);

    openWindow();
    registerCallbacks();
    initImageLibrary();
    readFrameCap();
    readDebugMode();
    if (gameSys.getDebugState()) debugInit();

    systemMsg("");
    systemMsg("^g^2Quorvane User Interface Initializing...");
    systemMsg("");
    loadSysTextboxes();
    deferTextures();  // made once the first frame is on screen, or when it shows them
    loadSysImages();
    initSound();
    loadSystemSounds();
    readSoundAndLastGame();
    int width = 0, height = 0;
    windowSize(width, height);
    changeSize(width, height);
    initHelp("default");
    loadUI("default", false);
    if (gameSys.getGameState() == gameStateSplash) playSystemSound(sysSoundMelody, 0);

    uiInfo.readFile(uiInfoFile);

    systemMsg("");
    systemMsg("^yBuilding file structure for Quorvane Directory");
    updateGameList();
    gameUI.setCurrentTT(-1, -1, 0);
    printConsoleBanner();

    centrePointer();
    gameSys.setStartingSystemTime(elapsedMs());
    raiseIntroductionOnFirstRun();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    glutMainLoop();
}

void changeSize(int width, int height)
{
    if (height == 0) height = 1;
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    gluPerspective(fieldOfViewDeg, aspect, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 0.0, 0.0, 0.0, -1.0, 0.0, 1.0, 0.0);
}

void setFullScreen(bool on, bool quiet)
{
    if (on) {
        if (!gameSys.getFS()) {
            glutFullScreen();
            gameSys.setFS(true);
        } else if (!quiet) {
            systemMsg("^rERROR:^w Cannot enter fullscreen mode because it is currently enabled!");
        }
        return;
    }
    if (gameSys.getFS()) {
        glutPositionWindow(windowedLeft, windowedTop);
        glutReshapeWindow(gameSys.getWW(), gameSys.getWH());
        gameSys.setFS(false);
    } else if (!quiet) {
        systemMsg("^rERROR:^w Cannot enter Window mode because it is currently enabled!");
    }
}

std::string systemSettingsText()
{
    struct setting {
        const char* comment;
        const char* prefix;
        std::string value;
    };
    auto number = [](auto v) {
        std::ostringstream out;
        out << v;
        return out.str();
    };
    const setting settings[] = {
        {"// Fullscreen Setting (0 = Off, 1 = On)", "f windowfscreen ", number(gameSys.getFS() ? 1 : 0)},
        {"// Window X Coordinate", "f windowx ", number(gameSys.getWX())},
        {"// Window Y Coordinate", "f windowy ", number(gameSys.getWY())},
        {"// Window Width", "f windowwidth ", number(gameSys.getWW())},
        {"// Window Height", "f windowheight ", number(gameSys.getWH())},
        {"// Program Name", "s progName ", std::string(gameSys.getName())},
        {"// Framerate Cap", "f fps ", number(settingInt("fps"))},
        {"// Debug Mode", "f debugMode ", number(gameSys.getDebugState() ? 1 : 0)},
        {"// Last game edited", "s lastGameEdited ", gameSys.getLastGameEdited()},
        {"// Sound (Enabled or Disabled)", "f sound ", number(gameSys.getSoundState() ? 1 : 0)},
        {"// Sound Volume", "f soundVolume ", number(gameSys.getSoundVolume())},
        {"// First Time Load", "f firstTime ", number(1)},
    };
    std::ostringstream out;
    out << "// This file was generated by Quorvane. This is the primary system\n"
           "// file required for the program to execute. Do not under any circumstances\n"
           "// make any manual modifications to this file. If it is not parsed correctly\n"
           "// Quorvane will fail to boot, and may crash your system.\n\n";
    for (const setting& s : settings) out << s.comment << '\n' << s.prefix << s.value << "\n\n";
    return out.str();
}

void saveSystem()
{
    systemMsg("Saving System Data...");
    std::string reason;
    bool heldElsewhere = false;
    if (replaceFile(systemSettingsFile, systemSettingsText(), &reason, &heldElsewhere)) {
        systemMsg("Successfully saved system settings.");
        return;
    }
    if (heldElsewhere) {
        systemMsg(QV_ERROR "The system settings were not saved: " + reason + ".");
        return;
    }
    systemMsg(QV_ERROR "Error opening the system file to save, Aborting.");
    systemMsg(QV_ERROR "^y" + std::string(systemSettingsFile) + "^w was not replaced: " + reason + ".");
    quitEngine(quitStatusError);
}
