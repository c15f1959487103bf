// gameAction as a table: each action id with the objects it needs and the
// function that carries it out. Families that differ only in data (key
// switches, moves, spawns, camera modes) share one function and a row of data.
#include "logic/actions.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

#include "core/camera.h"
#include "core/frame.h"
#include "core/system.h"
#include "editor/editor.h"
#include "logic/steps.h"
#include "media/3dmath.h"
#include "media/sound.h"
#include "media/text.h"
#include "world/game_leave.h"
#include "world/movement.h"
#include "world/world.h"

namespace {

constexpr float spawnGap = 0.05f;     // between stacked spawns (up, down)
constexpr int randomRange = 32768;    // the generator's values 0 to 32767
constexpr int loopOnce = 0, loopRepeat = 1;

// What one firing hands its action.
struct actionArgs {
    int value;    // V: the rule's action value
    int subject;  // S: the rule's subject object
    int map;      // the current map
};

// The objects an action works on, checked before it runs.
enum actionNeeds { needsNothing = 0, needsValueObject = 1, needsSubject = 2, needsBoth = 3 };

struct actionRow {
    int id;
    int needs;
    void (*run)(const actionArgs&);
};

bool validObject(int o, int m)
{
    return o >= 0 && o < world.worldGetObjectCount(m);
}

bool validPhrase(int p)
{
    return p >= 0 && p < phraseCount;
}

float obstructionHeight(int o, int m)
{
    float obw = 0, obh = 0, obd = 0;
    world.getObstructionSize(obw, obh, obd, o, m);
    return obh;
}

struct rotation {
    float pitch, yaw, roll;  // degrees
};

rotation readRotation(int o, int m)
{
    rotation r{};
    world.worldGetRot(r.pitch, r.yaw, r.roll, o, m);
    return r;
}

void resetTimers(int o, int m)
{
    const int rules = world.mapLocalGetSentenceAmount(o, m);
    for (int s = 0; s < rules; ++s) world.mapLocalSetSentenceTimer(0, s, o, m);
}

// --- Game state ---------------------------------------------------------------

void gameWin(const actionArgs&) { world.setGameCondition(gameConditionWin); }
void gameLose(const actionArgs&) { world.setGameCondition(gameConditionLose); }
void displayImage(const actionArgs& a) { world.setGameBox(gameBoxTimerStart, a.value); }
void removeImage(const actionArgs&) { world.setGameBox(gameBoxTimerNone, 0); }

void displayPhrase(const actionArgs& a)
{
    if (validPhrase(a.value)) world.setDisplayPhrase(phraseTimerStart, a.value);
}

void removePhrase(const actionArgs&) { world.setDisplayPhrase(phraseDisplayNone, phraseDisplayNone); }

// --- Texts standing at the subject ---------------------------------------------

// Draws text at the subject's position raised by `rise`, in drawing order (x, height, y).
void drawAtSubject(const actionArgs& a, float rise, const std::string& text)
{
    const objectRecord s = readObjectRecord(a.subject, a.map);
    displayTextStringIngame(s.x, s.z + rise, s.y, text);
}

std::string objectScoreText(int o, int m)
{
    return world.worldGetObjectName(o, m) + " " + std::to_string(world.worldGetObjectScore(o, m));
}

float twiceHeight(const actionArgs& a) { return 2.0f * readObjectRecord(a.subject, a.map).h; }

void phraseOnObject(const actionArgs& a)
{
    if (validPhrase(a.value)) drawAtSubject(a, 0.0f, world.getPhrase(a.value));
}

void globalScoreOnObject(const actionArgs& a) { drawAtSubject(a, 0.0f, std::to_string(world.getGlobalScore(a.value))); }
void objectScoreOnObject(const actionArgs& a) { drawAtSubject(a, 0.0f, objectScoreText(a.value, a.map)); }

void phraseAboveObject(const actionArgs& a)
{
    if (validPhrase(a.value)) drawAtSubject(a, obstructionHeight(a.subject, a.map), world.getPhrase(a.value));
}

void objectScoreAbove(const actionArgs& a) { drawAtSubject(a, twiceHeight(a), objectScoreText(a.value, a.map)); }

void globalScoreAbove(const actionArgs& a)
{
    drawAtSubject(a, twiceHeight(a), std::to_string(world.getGlobalScore(a.value)));
}

// --- Object flags ----------------------------------------------------------------

void killObject(const actionArgs& a)
{
    world.worldSetObjectLife(false, a.value, a.map);
    resetTimers(a.value, a.map);
}

void reviveObject(const actionArgs& a)
{
    world.worldSetObjectLife(true, a.value, a.map);
    resetTimers(a.value, a.map);
}

void hideObject(const actionArgs& a) { world.worldSetObjectVisible(false, a.value, a.map); }
void showObject(const actionArgs& a) { world.worldSetObjectVisible(true, a.value, a.map); }
void objectSolid(const actionArgs& a) { world.worldSetObjectObstructionState(true, a.value, a.map); }
void objectUnsolid(const actionArgs& a) { world.worldSetObjectObstructionState(false, a.value, a.map); }

void changeObjectImage(const actionArgs& a)
{
    objectRecord s = readObjectRecord(a.subject, a.map);
    s.tex = a.value;
    storeObjectRecord(s, a.subject, a.map);
}

void resetLogic(const actionArgs& a)
{
    const int rules = world.mapLocalGetSentenceAmount(a.value, a.map);
    for (int s = 0; s < rules; ++s) world.mapLocalSetExecutionState(executionStateReady, s, a.value, a.map);
}

// --- Movement ------------------------------------------------------------------------

// The pitch that moving forward or backwards follows: none in the overhead
// view, nor for the object the third-person camera follows.
float movePitch(int o, int m)
{
    const int mode = camera.getCamMode();
    if (mode == camModeOverhead) return 0.0f;
    if (mode == camModeThirdPerson && world.getLookAtObject() == o) return 0.0f;
    return readRotation(o, m).pitch * degreesToRadians;
}

void moveUp(const actionArgs& a) { moveObject(0.0f, 0.0f, 1.0f, a.value, a.map); }
void moveDown(const actionArgs& a) { moveObject(0.0f, 0.0f, -1.0f, a.value, a.map); }

// Sideways along the object's yaw: sign -1 left, +1 right.
void moveSideways(const actionArgs& a, float sign)
{
    const float yaw = readRotation(a.value, a.map).yaw * degreesToRadians;
    moveObject(sign * std::cos(yaw), sign * std::sin(yaw), 0.0f, a.value, a.map);
}

// Along the object's heading: sign +1 forward, -1 backwards.
void moveAlong(const actionArgs& a, float sign)
{
    const float yaw = readRotation(a.value, a.map).yaw * degreesToRadians;
    const float pitch = movePitch(a.value, a.map);
    moveObject(sign * std::sin(yaw), -sign * std::cos(yaw), -sign * std::sin(pitch), a.value, a.map);
}

void moveLeft(const actionArgs& a) { moveSideways(a, -1.0f); }
void moveRight(const actionArgs& a) { moveSideways(a, 1.0f); }
void moveForward(const actionArgs& a) { moveAlong(a, 1.0f); }
void moveBackwards(const actionArgs& a) { moveAlong(a, -1.0f); }

// One axis of seeking: a whole step towards the target, or the rest of the way
// once it is within this distance.
constexpr float seekCloseRange = 0.1f;

float seekStep(float from, float to)
{
    if (from - seekCloseRange <= to && to <= from + seekCloseRange) return to - from;
    return to >= from ? 1.0f : -1.0f;
}

void seekObject(const actionArgs& a)
{
    const objectRecord s = readObjectRecord(a.subject, a.map), v = readObjectRecord(a.value, a.map);
    moveObject(seekStep(s.x, v.x), seekStep(s.y, v.y), 0.0f, a.subject, a.map);
}

// --- Spawning --------------------------------------------------------------------------

// Object V reused as the spawned thing: timers reset, placed (size, image and
// layer kept), alive, and turned like the subject when `turn` is set.
void spawnAt(const actionArgs& a, float x, float y, float z, bool turn)
{
    resetTimers(a.value, a.map);
    objectRecord v = readObjectRecord(a.value, a.map);
    v.x = x;
    v.y = y;
    v.z = z;
    storeObjectRecord(v, a.value, a.map);
    world.worldSetObjectLife(true, a.value, a.map);
    if (!turn) return;
    const rotation r = readRotation(a.subject, a.map);
    world.worldSetRot(r.pitch, r.yaw, r.roll, a.value, a.map);
}

float subjectYaw(const actionArgs& a) { return readRotation(a.subject, a.map).yaw * degreesToRadians; }

float spawnPitch(const actionArgs& a)
{
    if (camera.getCamMode() == camModeOverhead) return 0.0f;
    return readRotation(a.subject, a.map).pitch * degreesToRadians;
}

void spawnUp(const actionArgs& a)
{
    const objectRecord s = readObjectRecord(a.subject, a.map);
    spawnAt(a, s.x, s.y + 2.0f * obstructionHeight(a.subject, a.map) + spawnGap, s.z, false);
}

void spawnDown(const actionArgs& a)
{
    const objectRecord s = readObjectRecord(a.subject, a.map);
    const float ownZ = readObjectRecord(a.value, a.map).z;
    spawnAt(a, s.x, s.y - 2.0f * obstructionHeight(a.subject, a.map) - spawnGap, ownZ, false);
}

void spawnSideways(const actionArgs& a, float sign)
{
    const objectRecord s = readObjectRecord(a.subject, a.map);
    const float yaw = subjectYaw(a);
    spawnAt(a, s.x + sign * std::cos(yaw), s.y + sign * std::sin(yaw), s.z, true);
}

void spawnAlong(const actionArgs& a, float sign)
{
    const objectRecord s = readObjectRecord(a.subject, a.map);
    const float yaw = subjectYaw(a), pitch = spawnPitch(a);
    spawnAt(a, s.x + sign * std::sin(yaw), s.y - sign * std::cos(yaw), s.z - sign * std::sin(pitch), true);
}

void spawnLeft(const actionArgs& a) { spawnSideways(a, -1.0f); }
void spawnRight(const actionArgs& a) { spawnSideways(a, 1.0f); }
void spawnForwards(const actionArgs& a) { spawnAlong(a, 1.0f); }
void spawnBackwards(const actionArgs& a) { spawnAlong(a, -1.0f); }

void spawnOnObject(const actionArgs& a)
{
    const objectRecord s = readObjectRecord(a.subject, a.map);
    spawnAt(a, s.x, s.y, s.z, false);
}

// Only the position changes: no timer reset, no revival.
void spawnToMouse(const actionArgs& a)
{
    double nx = 0.0, ny = 0.0;
    gameSys.getNormalPos(nx, ny);
    objectRecord v = readObjectRecord(a.value, a.map);
    v.x = static_cast<float>(nx);
    v.y = static_cast<float>(ny);
    v.z = 0.0f;
    storeObjectRecord(v, a.value, a.map);
}

// --- Camera -------------------------------------------------------------------------------

// The camera moves to object V and V turns with the view.
void cameraToObject(const actionArgs& a)
{
    const objectRecord v = readObjectRecord(a.value, a.map);
    camera.SetPos(v.x, v.z, v.y);
    float pitch = 0, yaw = 0;
    camera.GetRot(pitch, yaw);
    world.worldSetRot(pitch, yaw, 0.0f, a.value, a.map);
}

void followObject(const actionArgs& a)
{
    world.setLookAtObject(a.value);
    cameraToObject(a);
}

void thirdPersonView(const actionArgs&) { camera.setCamMode(camModeThirdPerson); }
void firstPersonView(const actionArgs&) { camera.setCamMode(camModeFirstPerson); }
void overheadView(const actionArgs&) { camera.setCamMode(camModeOverhead); }

// The pointer shape needs a window; without one (no display) it stays as it is.
void setPointerShape(int shape)
{
    if (glutGet(GLUT_INIT_STATE) && glutGetWindow() != 0) glutSetCursor(shape);
}

void enableFreelook(const actionArgs&)
{
    world.setFreeLook(true);
    setPointerShape(GLUT_CURSOR_LEFT_ARROW);
}

void disableFreelook(const actionArgs&) { world.setFreeLook(false); }
void showPointer(const actionArgs&) { setPointerShape(GLUT_CURSOR_LEFT_ARROW); }
void hidePointer(const actionArgs&) { setPointerShape(GLUT_CURSOR_NONE); }

// --- Sound ----------------------------------------------------------------------------------

// The sound layer ignores a number outside the loaded sounds and a sound that never played.
void playSound(const actionArgs& a) { playGameSound(a.value, loopOnce); }
void playLoopSound(const actionArgs& a) { playGameSound(a.value, loopRepeat); }
void stopSound(const actionArgs& a) { stopGameSound(a.value); }
void stopAllSounds(const actionArgs&) { stopGameSounds(); }

// --- Scores -----------------------------------------------------------------------------------

// A whole number from 0 to v, from the 15 bits the generator is specified with.
int randomUpTo(int v)
{
    const long long r = std::rand() % randomRange;
    return static_cast<int>(r * (static_cast<long long>(v) + 1) / randomRange);
}

int subjectScore(const actionArgs& a) { return world.worldGetObjectScore(a.subject, a.map); }
int valueScore(const actionArgs& a) { return world.worldGetObjectScore(a.value, a.map); }

// Sums are taken wide and held at the int range rather than wrapping round.
int clampScore(long long s)
{
    return static_cast<int>(std::clamp<long long>(s, INT_MIN, INT_MAX));
}

void setSubjectScore(const actionArgs& a, long long s) { world.worldSetObjectScore(clampScore(s), a.subject, a.map); }
void setValueScore(const actionArgs& a, long long s) { world.worldSetObjectScore(clampScore(s), a.value, a.map); }

void setGameScore(const actionArgs& a) { world.setGameScore(a.value); }
void addGameScore(const actionArgs& a) { world.addGameScore(a.value); }
void subGameScore(const actionArgs& a) { world.subGameScore(a.value); }
void resetGameScore(const actionArgs&) { world.setGameScore(0); }

void addSelfScore(const actionArgs& a) { setSubjectScore(a, 0LL + subjectScore(a) + a.value); }
void subSelfScore(const actionArgs& a) { setSubjectScore(a, 0LL + subjectScore(a) - a.value); }
void setSelfScore(const actionArgs& a) { setSubjectScore(a, a.value); }
void addRandomScore(const actionArgs& a) { setSubjectScore(a, 0LL + subjectScore(a) + randomUpTo(a.value)); }
void subRandomScore(const actionArgs& a) { setSubjectScore(a, 0LL + subjectScore(a) - randomUpTo(a.value)); }
void setRandomScore(const actionArgs& a) { setSubjectScore(a, randomUpTo(a.value)); }
void addScoreOfObject(const actionArgs& a) { setSubjectScore(a, 0LL + subjectScore(a) + valueScore(a)); }
void subScoreOfObject(const actionArgs& a) { setSubjectScore(a, 0LL + subjectScore(a) - valueScore(a)); }
void setScoreOfObject(const actionArgs& a) { setSubjectScore(a, valueScore(a)); }
void addOneToObject(const actionArgs& a) { setValueScore(a, 0LL + valueScore(a) + 1); }
void subOneFromObject(const actionArgs& a) { setValueScore(a, 0LL + valueScore(a) - 1); }
void zeroObjectScore(const actionArgs& a) { setValueScore(a, 0); }

// The world reads a global score id outside 0 to 49 as 0 and writes nothing to it.
void addOneToGlobal(const actionArgs& a)
{
    world.setGlobalScore(a.value, clampScore(0LL + world.getGlobalScore(a.value) + 1));
}
void subOneFromGlobal(const actionArgs& a) { world.setGlobalScore(a.value, world.getGlobalScore(a.value) - 1); }
void resetGlobal(const actionArgs& a) { world.setGlobalScore(a.value, 0); }
void objectToGlobal(const actionArgs& a) { world.setGlobalScore(a.value, subjectScore(a)); }
void objectToObject(const actionArgs& a) { setValueScore(a, subjectScore(a)); }
void globalToObject(const actionArgs& a) { setSubjectScore(a, world.getGlobalScore(a.value)); }

// --- Maps and the end of the game ------------------------------------------------------------

// The change waits for the next frame's logic; the box and phrase go now.
void requestMap(int m)
{
    world.setGameBox(gameBoxTimerNone, 0);
    world.setDisplayPhrase(phraseDisplayNone, phraseDisplayNone);
    world.setChangeMap(m);
}

void gotoMap(const actionArgs& a) { requestMap(a.value); }
void gotoMapOfObjectScore(const actionArgs& a) { requestMap(valueScore(a)); }
void gotoMapOfGlobalScore(const actionArgs& a) { requestMap(world.getGlobalScore(a.value)); }

// Play returns to the game's first menu; a playtest is ended by the world
// editor on its next frame.
void endGame(const actionArgs&)
{
    if (gameSys.getGameState() == gameStatePlay) loadIngameMainMenu();
    else if (gameSys.getGameState() == gameStatePlaytest) worldEditor.setEndTest(1);
}

void terminateProgram(const actionArgs&) { quitEngine(); }

// --- Input --------------------------------------------------------------------------------------

void allowInput(const actionArgs&) { world.setIngameInputDisallow(false); }
void disallowInput(const actionArgs&) { world.setIngameInputDisallow(true); }

// One switch of named keys: every key listed gets `state`, except a held key
// when `keepHeld` is set.
struct keySwitch {
    int id;
    int keys[4];
    int keyCount;
    int state;
    bool keepHeld;
};

const keySwitch keySwitches[] = {
    {stepEnableUpArrow, {keyUp}, 1, keyStateIdle, true},
    {stepEnableDownArrow, {keyDown}, 1, keyStateIdle, true},
    {stepEnableLeftArrow, {keyLeft}, 1, keyStateIdle, true},
    {stepEnableRightArrow, {keyRight}, 1, keyStateIdle, true},
    {stepEnableAllArrowKeys, {keyUp, keyDown, keyLeft, keyRight}, 4, keyStateIdle, false},
    {stepEnableSpaceBar, {keySpace}, 1, keyStateIdle, false},
    {stepEnableEnter, {keyEnter}, 1, keyStateIdle, false},
    {stepDisableUpArrow, {keyUp}, 1, keyStateDisabled, false},
    {stepDisableDownArrow, {keyDown}, 1, keyStateDisabled, false},
    {stepDisableLeftArrow, {keyLeft}, 1, keyStateDisabled, false},
    {stepDisableRightArrow, {keyRight}, 1, keyStateDisabled, false},
    {stepDisableAllArrowKeys, {keyUp, keyDown, keyLeft, keyRight}, 4, keyStateDisabled, false},
    {stepDisableSpaceBar, {keySpace}, 1, keyStateDisabled, false},
    {stepDisableEnter, {keyEnter}, 1, keyStateDisabled, false},
};

bool switchKeys(int id)
{
    for (const keySwitch& k : keySwitches) {
        if (k.id != id) continue;
        for (int i = 0; i < k.keyCount; ++i)
            if (!k.keepHeld || gameSys.getKeyState(k.keys[i]) != keyStatePressed)
                gameSys.setKeyState(k.keys[i], k.state);
        return true;
    }
    return false;
}

// The engine ignores a letter outside a to z.
void enableLetter(const actionArgs& a) { gameSys.setAlphabetKeyState(a.value, keyStateIdle); }
void disableLetter(const actionArgs& a) { gameSys.setAlphabetKeyState(a.value, keyStateDisabled); }

// --- The table ------------------------------------------------------------------------------------

const actionRow actionRows[] = {
    {stepGameWin, needsNothing, gameWin},
    {stepGameLose, needsNothing, gameLose},
    {stepDisplayImage, needsNothing, displayImage},
    {stepRemoveImg, needsNothing, removeImage},
    {stepDisplayPhrase, needsNothing, displayPhrase},
    {stepRemovePhrase, needsNothing, removePhrase},
    {stepDisplayPhraseOnObj, needsSubject, phraseOnObject},
    {stepDisplayGblScoreOnObj, needsSubject, globalScoreOnObject},
    {stepDisplayObjScoreOnObj, needsBoth, objectScoreOnObject},
    {stepPhraseAboveObj, needsSubject, phraseAboveObject},
    {stepDisplayObjectScore, needsBoth, objectScoreAbove},
    {stepDisplayGlobalScore, needsSubject, globalScoreAbove},
    {stepKillObject, needsValueObject, killObject},
    {stepReviveObject, needsValueObject, reviveObject},
    {stepMoveObjectUp, needsValueObject, moveUp},
    {stepMoveObjectDown, needsValueObject, moveDown},
    {stepMoveObjectLeft, needsValueObject, moveLeft},
    {stepMoveObjectRight, needsValueObject, moveRight},
    {stepMoveObjectForward, needsValueObject, moveForward},
    {stepMoveObjectBackwards, needsValueObject, moveBackwards},
    {stepHideObject, needsValueObject, hideObject},
    {stepShowObject, needsValueObject, showObject},
    {stepObjectSolid, needsValueObject, objectSolid},
    {stepObjectUnsolid, needsValueObject, objectUnsolid},
    {stepSpawnObjectUp, needsBoth, spawnUp},
    {stepSpawnObjectDown, needsBoth, spawnDown},
    {stepSpawnObjectLeft, needsBoth, spawnLeft},
    {stepSpawnObjectRight, needsBoth, spawnRight},
    {stepSpawnObjectForwards, needsBoth, spawnForwards},
    {stepSpawnObjectBackwards, needsBoth, spawnBackwards},
    {stepSpawnObjectToMouse, needsValueObject, spawnToMouse},
    {stepSpawnObjOnObj, needsBoth, spawnOnObject},
    {stepChangeObjectImage, needsSubject, changeObjectImage},
    {stepSeekObject, needsBoth, seekObject},
    {stepResetLogic, needsValueObject, resetLogic},
    {stepThirdPersonUpdate, needsValueObject, followObject},
    {stepFirstPersonUpdate, needsValueObject, cameraToObject},
    {stepThirdPersonView, needsNothing, thirdPersonView},
    {stepFirstPersonView, needsNothing, firstPersonView},
    {stepOverheadViewUpdate, needsValueObject, followObject},
    {stepOverheadView, needsNothing, overheadView},
    {stepEnableFreelook, needsNothing, enableFreelook},
    {stepDisableFreelook, needsNothing, disableFreelook},
    {stepPlaySound, needsNothing, playSound},
    {stepPlayLoopSound, needsNothing, playLoopSound},
    {stepStopSound, needsNothing, stopSound},
    {stepStopAllSounds, needsNothing, stopAllSounds},
    {stepSetGameScore, needsNothing, setGameScore},
    {stepAddGameScore, needsNothing, addGameScore},
    {stepSubGameScore, needsNothing, subGameScore},
    {stepResetGameScore, needsNothing, resetGameScore},
    {stepAddToSelfScoreBy, needsSubject, addSelfScore},
    {stepSubFromSelfScoreBy, needsSubject, subSelfScore},
    {stepSetSelfScoreTo, needsSubject, setSelfScore},
    {stepAddObjRand, needsSubject, addRandomScore},
    {stepSubObjRand, needsSubject, subRandomScore},
    {stepSetObjRand, needsSubject, setRandomScore},
    {stepAddSelfScoreByObj, needsBoth, addScoreOfObject},
    {stepSubSelfScoreByObj, needsBoth, subScoreOfObject},
    {stepSetSelfScoreByObj, needsBoth, setScoreOfObject},
    {stepAddObjectScoreBy1, needsValueObject, addOneToObject},
    {stepSubObjectScoreBy1, needsValueObject, subOneFromObject},
    {stepSetObjectScoreTo0, needsValueObject, zeroObjectScore},
    {stepAdd1ToGlobalScore, needsNothing, addOneToGlobal},
    {stepSub1FromGlobalScore, needsNothing, subOneFromGlobal},
    {stepResetGlobalScore, needsNothing, resetGlobal},
    {stepObjToGblScore, needsSubject, objectToGlobal},
    {stepObjToObjScore, needsBoth, objectToObject},
    {stepGblToObjScore, needsSubject, globalToObject},
    {stepGotoMap, needsNothing, gotoMap},
    {stepGotoMapObjScore, needsValueObject, gotoMapOfObjectScore},
    {stepGotoMapGblScore, needsNothing, gotoMapOfGlobalScore},
    {stepEndGame, needsNothing, endGame},
    {stepTerminate, needsNothing, terminateProgram},
    {stepAllowInput, needsNothing, allowInput},
    {stepDisallowInput, needsNothing, disallowInput},
    {stepEnableKey, needsNothing, enableLetter},
    {stepDisableKey, needsNothing, disableLetter},
    {stepShowMousePointer, needsNothing, showPointer},
    {stepHideMousePointer, needsNothing, hidePointer},
    {stepChangeObjectModel, needsSubject, changeObjectImage},
};

constexpr int firstAction = stepGameWin, lastAction = stepChangeObjectModel;
constexpr int actionSpan = lastAction - firstAction + 1;

// The rows by id, so that a firing costs one look-up.
struct actionIndex {
    const actionRow* rows[actionSpan] = {};
    actionIndex()
    {
        for (const actionRow& r : actionRows) rows[r.id - firstAction] = &r;
    }
};

const actionRow* findAction(int id)
{
    static const actionIndex index;
    if (id < firstAction || id > lastAction) return nullptr;
    return index.rows[id - firstAction];
}

bool objectsPresent(int needs, const actionArgs& a)
{
    if ((needs & needsValueObject) && !validObject(a.value, a.map)) return false;
    if ((needs & needsSubject) && !validObject(a.subject, a.map)) return false;
    return true;
}

}  // namespace

void gameAction(int action, int value, int subject)
{
    if (switchKeys(action)) return;
    const actionRow* row = findAction(action);
    if (!row) return;
    const actionArgs args{value, subject, world.getCurrentMap()};
    if (objectsPresent(row->needs, args)) row->run(args);
}
