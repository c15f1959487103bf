// Starting and ending a playtest.
#include "editor/playtest.h"

#include <GL/freeglut.h>

#include "core/camera.h"
#include "core/system.h"
#include "core/window.h"
#include "editor/editor.h"
#include "media/sound.h"
#include "menus/ui.h"
#include "world/world.h"

namespace {

// The editor camera looks at a point this far from its position.
constexpr double editorLookOffsetY = -15.1;
constexpr double editorLookOffsetZ = 16.3;

void idleEveryKey()
{
    for (int key : {keyEnter, keySpace, keyUp, keyDown, keyLeft, keyRight}) gameSys.setKeyState(key, keyStateIdle);
    for (int letter = 0; letter < alphabetKeyCount; ++letter) gameSys.setAlphabetKeyState(letter, keyStateIdle);
}

// Play may have hidden the pointer.
void showArrowPointer()
{
    if (glutGet(GLUT_INIT_STATE)) glutSetCursor(GLUT_CURSOR_LEFT_ARROW);
}

}  // namespace

void enterTest()
{
    if (gameSys.getGameState() != gameStateWorldEditor || gameUI.getCurrentMenu() != gameUI.getEditorMenu()) return;
    worldBackup = world;
    float x = 0, y = 0, z = 0;
    camera.GetPos(x, y, z);
    camera.SetStorPos(x, y, z);
    world.setChangeMap(changeMapNone);
    stopGameSounds();
    gameSys.setGameState(gameStatePlaytest);
}

void returnToEditor()
{
    if (gameSys.getGameState() != gameStatePlaytest) return;
    world = worldBackup;
    float x = 0, y = 0, z = 0;
    camera.GetStorPos(x, y, z);
    camera.setCamMode(camModeEditor);
    camera.SetPos(x, y, z);
    camera.SetLook(x, static_cast<float>(y + editorLookOffsetY), static_cast<float>(z + editorLookOffsetZ));
    world.setResetFreelook(true);
    setAutoRepeat(true);
    idleEveryKey();
    stopGameSounds();
    gameSys.setGameState(gameStateWorldEditor);
    showArrowPointer();
}

void updatePlaytestEnd()
{
    if (worldEditor.getEndTest() != 1) return;
    returnToEditor();
    worldEditor.setEndTest(0);
}
