// Every action of a logic rule, one row each: the values it changes in the
// world, the camera, the keys, the sounds and the in-world texts, with every
// other value left as it was.
#include <gtest/gtest.h>

#include <AL/al.h>
#include <GL/freeglut.h>

#include <cstdlib>

#include "core/camera.h"
#include "core/system.h"
#include "editor/editor.h"
#include "logic/actions.h"
#include "logic/actions_internal.h"
#include "logic/steps.h"
#include "media/sound.h"
#include "menus/ui.h"
#include "tests/unit/test_util.h"
#include "tests/unit/world_test_util.h"
#include "world/game_files.h"
#include "world/movement.h"

namespace {

using testutil::change;

constexpr int S = 0, V = 1, dead = 2;  // the subject, the value object, a dead hidden unsolid one
constexpr int objects = 4, phrase = 5;
constexpr float cos30 = 0.8660254f, sin10 = 0.1736482f;

// The last in-world text and pointer shape the actions gave out.
struct outputs {
    int texts = 0;
    float x = 0, height = 0, y = 0;
    std::string text;
    int pointer = -1;
} out;

void recordText(float x, float height, float y, const std::string& text)
{
    out = {out.texts + 1, x, height, y, text, out.pointer};
}
void recordPointer(int shape) { out.pointer = shape; }

void setScore(int o, int score) { world.worldSetObjectScore(score, o, 0); }

void putObject(int o, float x, float y, float z, float h, int tex, int layer, float obh, float pitch, float yaw)
{
    world.worldSetObject(x, y, z, 1, h, 1, tex, layer, o, 0);
    world.setObstructionSize(0.5f, obh, 0.5f, o, 0);
    world.worldSetRot(pitch, yaw, 0, o, 0);
    world.mapLocalAddSentence(o, 0);
    world.mapLocalSetSentenceTimer(5, 0, o, 0);
    world.mapLocalSetExecutionState(executionStateFired, 0, o, 0);
}

// The play field of every row: two maps of 10 x 10 flat tiles, four objects
// on the first, scores, phrase 5, the named keys held and disabled by turns,
// letter c disabled and letter e held, sounds loaded.
// The rest is as a fresh world, camera and editor start: no image box or
// phrase shown, input allowed, the camera at pitch 40 and yaw -130 following
// object 0, no playtest ending.
void playField()
{
    worldtest::makeWorld(2, objects, 10, 10);
    putObject(S, 20, 20, 2, 1.5f, 5, 1, 1.0f, 10, 90);
    putObject(V, 30, 31, 3, 1, 7, 2, 0.5f, 30, 30);
    putObject(dead, 40, 12, 0.5f, 1, 9, 3, 0.5f, 0, 0);
    putObject(3, 50, 50, 0.5f, 1, 3, 0, 0.5f, 0, 0);
    world.worldSetObjectName("vee", V, 0);
    world.worldSetObjectLife(false, dead, 0);
    world.worldSetObjectVisible(false, dead, 0);
    world.worldSetObjectObstructionState(false, dead, 0);
    setScore(S, 3);
    setScore(V, 2);
    setScore(dead, 9);
    world.setGlobalScore(3, 6);
    world.setGameScore(5);
    world.setPhrase(phrase, "five");
    world.setChangeMap(changeMapNone);
    gameSys.setGameState(gameStatePlay);
    gameSys.resetKeyState();
    for (int k = 0; k < namedKeyCount; ++k) gameSys.setKeyState(k, k % 2 ? keyStateDisabled : keyStatePressed);
    gameSys.setAlphabetKeyState(2, keyStateDisabled);
    gameSys.setAlphabetKeyState(4, keyStatePressed);
    gameUI.setCurrentMenu(2);
    stopGameSounds();
    out = outputs();
}

// 0 silent, 1 playing once, 2 playing in a loop.
double soundState(int s)
{
    ALint state = 0, loop = 0;
    const unsigned int source = gameSounds[s].getSource();
    if (source == 0) return 0;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    alGetSourcei(source, AL_LOOPING, &loop);
    return state != AL_PLAYING ? 0 : loop ? 2 : 1;
}

testutil::observed observe()
{
    testutil::observed v;
    for (int o = 0; o < objects; ++o) {
        const objectRecord r = readObjectRecord(o, 0);
        float pitch, yaw, roll;
        world.worldGetRot(pitch, yaw, roll, o, 0);
        const testutil::observed object = {
            {"x", r.x}, {"y", r.y}, {"z", r.z}, {"w", r.w}, {"h", r.h}, {"d", r.d}, {"tex", r.tex},
            {"layer", r.layer}, {"pitch", pitch}, {"yaw", yaw}, {"roll", roll},
            {"life", world.worldGetObjectLife(o, 0)}, {"visible", world.worldGetObjectVisible(o, 0)},
            {"solid", world.worldGetObjectObstructionState(o, 0)}, {"score", world.worldGetObjectScore(o, 0)},
            {"timer", world.mapLocalGetSentenceTimer(0, o, 0)}, {"state", world.mapLocalGetExecutionState(0, o, 0)}};
        for (const auto& [key, value] : object) v["o" + std::to_string(o) + "." + key] = value;
    }
    for (int g = 0; g < globalScoreCount; ++g) v["g" + std::to_string(g)] = world.getGlobalScore(g);
    for (int k = 0; k < namedKeyCount; ++k) v["key" + std::to_string(k)] = gameSys.getKeyState(k);
    for (int k = 0; k < alphabetKeyCount; ++k) v["letter" + std::to_string(k)] = gameSys.getAlphabetKeyState(k);
    for (int s = 0; s < 2; ++s) v["sound" + std::to_string(s)] = soundState(s);
    int box, image, phraseTimer, phraseId;
    world.getGameBox(box, image);
    world.getDisplayPhrase(phraseTimer, phraseId);
    float x, y, z, pitch, yaw;
    camera.GetPos(x, y, z);
    camera.GetRot(pitch, yaw);
    v.insert({{"objects", world.worldGetObjectCount(0)}, {"currentLetter", gameSys.getCurrentAlphabetKey()},
              {"box.timer", box}, {"box.image", image}, {"phrase.timer", phraseTimer}, {"phrase.id", phraseId},
              {"condition", world.getGameCondition()}, {"gameScore", world.getGameScore()},
              {"changeMap", world.getChangeMap()}, {"currentMap", world.getCurrentMap()},
              {"freeLook", world.getFreeLook()}, {"resetFreelook", world.getResetFreelook()},
              {"inputLock", world.getIngameInputDisallow()}, {"lookAt", world.getLookAtObject()},
              {"cam.x", x}, {"cam.y", y}, {"cam.z", z}, {"cam.pitch", pitch}, {"cam.yaw", yaw},
              {"camMode", camera.getCamMode()}, {"gameState", gameSys.getGameState()},
              {"inputState", gameSys.getInputState()}, {"menu", gameUI.getCurrentMenu()},
              {"endTest", worldEditor.getEndTest()}, {"texts", out.texts}, {"text.x", out.x},
              {"text.height", out.height}, {"text.y", out.y}, {"pointer", out.pointer}});
    return v;
}

struct actionRow {
    int action, value, subject;
    void (*setup)();
    std::vector<change> changes;
    std::string text = "";  // the in-world text drawn
    int keysFrom = -1;      // the state of every named key before the action, unless -1
};

// One text drawn at the subject's ground point (20, 20) at this height.
std::vector<change> textAt(float height)
{
    return {{"texts", 1}, {"text.x", 20}, {"text.height", height}, {"text.y", 20}};
}

// Object `o` placed at (x, y, z), alive with its timer restarted, turned like S if asked.
std::vector<change> spawned(int o, float x, float y, float z, bool turned, float yaw = 90)
{
    const std::string p = "o" + std::to_string(o) + ".";
    std::vector<change> c = {{p + "x", x}, {p + "y", y}, {p + "z", z}, {p + "life", 1}, {p + "timer", 0}};
    if (turned) c.insert(c.end(), {{p + "pitch", 10}, {p + "yaw", yaw}});
    return c;
}

std::vector<change> moved(float x, float y, float z)
{
    return {{"o1.x", x}, {"o1.y", y}, {"o1.z", z}};
}

// The camera moved onto V and V turned to the camera's angles (40, -130).
std::vector<change> cameraOnV(bool follow)
{
    std::vector<change> c = {{"cam.x", 30}, {"cam.y", 3}, {"cam.z", 31}, {"o1.pitch", 40}, {"o1.yaw", -130}};
    if (follow) c.push_back({"lookAt", V});
    return c;
}

const std::vector<change> firstPersonPreset = {{"camMode", camModeFirstPerson}, {"cam.x", -2.3}, {"cam.y", 7.2},
                                               {"cam.z", -3.7}, {"cam.pitch", 0}, {"cam.yaw", 140},
                                               {"resetFreelook", 1}};

void overhead() { camera.setCamMode(camModeOverhead); }
void turnS30() { world.worldSetRot(10, 30, 0, S, 0); }
void playBoth() { playGameSound(0, 1); playGameSound(1, 0); }

// The key switches: the keys each sets to a state, and whether a held key keeps being held.
struct keySwitch {
    int id;
    std::vector<int> keys;
    int state;
    bool keepsHeld;
};
const int arrows[] = {keyUp, keyDown, keyLeft, keyRight};
const keySwitch keySwitches[] = {
    {stepEnableUpArrow, {keyUp}, keyStateIdle, true},        {stepEnableDownArrow, {keyDown}, keyStateIdle, true},
    {stepEnableLeftArrow, {keyLeft}, keyStateIdle, true},    {stepEnableRightArrow, {keyRight}, keyStateIdle, true},
    {stepEnableAllArrowKeys, {std::begin(arrows), std::end(arrows)}, keyStateIdle, false},
    {stepEnableSpaceBar, {keySpace}, keyStateIdle, false},   {stepEnableEnter, {keyEnter}, keyStateIdle, false},
    {stepDisableUpArrow, {keyUp}, keyStateDisabled, false},  {stepDisableDownArrow, {keyDown}, keyStateDisabled, false},
    {stepDisableLeftArrow, {keyLeft}, keyStateDisabled, false},
    {stepDisableRightArrow, {keyRight}, keyStateDisabled, false},
    {stepDisableAllArrowKeys, {std::begin(arrows), std::end(arrows)}, keyStateDisabled, false},
    {stepDisableSpaceBar, {keySpace}, keyStateDisabled, false}, {stepDisableEnter, {keyEnter}, keyStateDisabled, false},
};

const actionRow rows[] = {
    {stepGameWin, 0, S, nullptr, {{"condition", gameConditionWin}}},
    {stepGameLose, 0, S, nullptr, {{"condition", gameConditionLose}}},
    {stepDisplayImage, 9, S, nullptr, {{"box.timer", 1000}, {"box.image", 9}}},
    {stepRemoveImg, 0, S, [] { world.setGameBox(500, 3); }, {{"box.timer", 0}, {"box.image", 0}}},
    {stepDisplayPhrase, 7, S, nullptr, {{"phrase.timer", 1000}, {"phrase.id", 7}}},
    {stepDisplayPhrase, phraseCount, S, nullptr, {}},
    {stepRemovePhrase, 0, S, [] { world.setDisplayPhrase(500, 4); }, {{"phrase.timer", -1}, {"phrase.id", -1}}},
    {stepDisplayPhraseOnObj, phrase, S, nullptr, textAt(2), "five"},
    {stepDisplayGblScoreOnObj, 3, S, nullptr, textAt(2), "6"},
    {stepDisplayObjScoreOnObj, V, S, nullptr, textAt(2), "vee 2"},
    {stepPhraseAboveObj, phrase, S, nullptr, textAt(3), "five"},
    {stepDisplayObjectScore, V, S, nullptr, textAt(5), "vee 2"},
    {stepDisplayGlobalScore, 3, S, nullptr, textAt(5), "6"},
    {stepKillObject, V, S, nullptr, {{"o1.life", 0}, {"o1.timer", 0}}},
    {stepReviveObject, dead, S, nullptr, {{"o2.life", 1}, {"o2.timer", 0}}},
    {stepKillObject, objects, S, nullptr, {}},
    // V turned to yaw 30 and pitch 30: each move is a fifth of its vector.
    {stepMoveObjectUp, V, S, nullptr, {{"o1.z", 3.2}}},
    {stepMoveObjectDown, V, S, nullptr, {{"o1.z", 2.8}}},
    {stepMoveObjectLeft, V, S, nullptr, moved(30 - cos30 / 5, 30.9f, 3)},
    {stepMoveObjectRight, V, S, nullptr, moved(30 + cos30 / 5, 31.1f, 3)},
    {stepMoveObjectForward, V, S, nullptr, moved(30.1f, 31 - cos30 / 5, 2.9f)},
    {stepMoveObjectBackwards, V, S, nullptr, moved(29.9f, 31 + cos30 / 5, 3.1f)},
    {stepMoveObjectForward, V, S, overhead, moved(30.1f, 31 - cos30 / 5, 3)},
    {stepMoveObjectBackwards, V, S, [] { camera.setCamMode(camModeThirdPerson); world.setLookAtObject(V); },
     moved(29.9f, 31 + cos30 / 5, 3)},
    {stepMoveObjectForward, V, S, [] { camera.setCamMode(camModeThirdPerson); world.setLookAtObject(S); },
     moved(30.1f, 31 - cos30 / 5, 2.9f)},
    {stepHideObject, V, S, nullptr, {{"o1.visible", 0}}},
    {stepShowObject, dead, S, nullptr, {{"o2.visible", 1}}},
    {stepObjectSolid, dead, S, nullptr, {{"o2.solid", 1}}},
    {stepObjectUnsolid, V, S, nullptr, {{"o1.solid", 0}}},
    // S stands at (20, 20, 2) turned to yaw 90 and pitch 10, its box 1 high each way.
    {stepSpawnObjectUp, dead, S, nullptr, spawned(dead, 20, 22.05f, 2, false)},
    {stepSpawnObjectDown, dead, S, nullptr, spawned(dead, 20, 17.95f, 0.5f, false)},
    {stepSpawnObjectLeft, dead, S, nullptr, spawned(dead, 20, 19, 2, true)},
    {stepSpawnObjectRight, dead, S, nullptr, spawned(dead, 20, 21, 2, true)},
    {stepSpawnObjectForwards, dead, S, nullptr, spawned(dead, 21, 20, 2 - sin10, true)},
    {stepSpawnObjectBackwards, dead, S, nullptr, spawned(dead, 19, 20, 2 + sin10, true)},
    {stepSpawnObjectForwards, dead, S, overhead, spawned(dead, 21, 20, 2, true)},
    {stepSpawnObjectRight, dead, S, turnS30, spawned(dead, 20 + cos30, 20.5f, 2, true, 30)},
    {stepSpawnObjectBackwards, dead, S, turnS30, spawned(dead, 19.5f, 20 + cos30, 2 + sin10, true, 30)},
    {stepSpawnObjectToMouse, dead, S, [] { gameSys.setNormalPos(12.5, 7.25); },
     {{"o2.x", 12.5}, {"o2.y", 7.25}, {"o2.z", 0}}},
    {stepSpawnObjOnObj, dead, S, nullptr, spawned(dead, 20, 20, 2, false)},
    {stepSpawnObjOnObj, dead, objects, nullptr, {}},
    {stepSpawnObjectUp, objects, S, nullptr, {}},
    {stepSpawnObjectUp, -1, S, nullptr, {}},
    {stepChangeObjectImage, 11, S, nullptr, {{"o0.tex", 11}}},
    {stepChangeObjectModel, 12, S, nullptr, {{"o0.tex", 12}}},
    {stepSeekObject, V, S, nullptr, {{"o0.x", 20.2}, {"o0.y", 20.2}}},
    {stepSeekObject, 3, V, nullptr, {{"o1.x", 30.2}, {"o1.y", 31.2}}},
    {stepSeekObject, S, V, nullptr, {{"o1.x", 29.8}, {"o1.y", 30.8}}},
    {stepSeekObject, V, S, [] { world.worldSetObject(20.05f, 23, 3, 1, 1, 1, 7, 2, V, 0); },
     {{"o0.x", 20.01}, {"o0.y", 20.2}}},
    {stepResetLogic, S, S, nullptr, {{"o0.state", executionStateReady}}},
    {stepThirdPersonUpdate, V, S, nullptr, cameraOnV(true)},
    {stepFirstPersonUpdate, V, S, nullptr, cameraOnV(false)},
    {stepOverheadViewUpdate, V, S, nullptr, cameraOnV(true)},
    {stepThirdPersonView, 0, S, nullptr, {{"camMode", camModeThirdPerson}, {"resetFreelook", 1}}},
    {stepFirstPersonView, 0, S, nullptr, firstPersonPreset},
    {stepOverheadView, 0, S, nullptr, {{"camMode", camModeOverhead}, {"resetFreelook", 1}}},
    {stepEnableFreelook, 0, S, nullptr, {{"freeLook", 1}, {"pointer", GLUT_CURSOR_LEFT_ARROW}}},
    {stepDisableFreelook, 0, S, [] { world.setFreeLook(true); }, {{"freeLook", 0}}},
    {stepPlaySound, 1, S, nullptr, {{"sound1", 1}}},
    {stepPlayLoopSound, 1, S, nullptr, {{"sound1", 2}}},
    {stepStopSound, 1, S, playBoth, {{"sound1", 0}}},
    {stepStopAllSounds, 0, S, playBoth, {{"sound0", 0}, {"sound1", 0}}},
    {stepPlaySound, 2, S, nullptr, {}},
    {stepStopSound, -1, S, playBoth, {}},
    {stepSetGameScore, 12, S, nullptr, {{"gameScore", 12}}},
    {stepAddGameScore, 12, S, nullptr, {{"gameScore", 17}}},
    {stepSubGameScore, 3, S, nullptr, {{"gameScore", 2}}},
    {stepSubGameScore, 12, S, nullptr, {{"gameScore", 0}}},
    {stepResetGameScore, 0, S, nullptr, {{"gameScore", 0}}},
    {stepAddToSelfScoreBy, 6, S, nullptr, {{"o0.score", 9}}},
    {stepSubFromSelfScoreBy, 2, S, nullptr, {{"o0.score", 1}}},
    {stepSubFromSelfScoreBy, 7, S, nullptr, {{"o0.score", 0}}},
    {stepSetSelfScoreTo, 8, S, nullptr, {{"o0.score", 8}}},
    {stepAddObjRand, 0, S, nullptr, {}},
    // glibc's first draw after srand(1), 1804289383, keeps 17767 in 15 bits: 5 of 0 to 9.
    {stepAddObjRand, 9, S, [] { std::srand(1); }, {{"o0.score", 8}}},
    {stepSubObjRand, 9, S, [] { std::srand(1); setScore(S, 20); }, {{"o0.score", 15}}},
    {stepSetObjRand, 9, S, [] { std::srand(1); }, {{"o0.score", 5}}},
    {stepSetObjRand, 0, S, nullptr, {{"o0.score", 0}}},
    {stepAddSelfScoreByObj, dead, S, nullptr, {{"o0.score", 12}}},
    {stepSubSelfScoreByObj, V, S, nullptr, {{"o0.score", 1}}},
    {stepSetSelfScoreByObj, dead, S, nullptr, {{"o0.score", 9}}},
    {stepAddObjectScoreBy1, V, S, nullptr, {{"o1.score", 3}}},
    {stepSubObjectScoreBy1, V, S, nullptr, {{"o1.score", 1}}},
    {stepSetObjectScoreTo0, V, S, nullptr, {{"o1.score", 0}}},
    {stepAdd1ToGlobalScore, 3, S, nullptr, {{"g3", 7}}},
    {stepSub1FromGlobalScore, 3, S, nullptr, {{"g3", 5}}},
    {stepSub1FromGlobalScore, 0, S, nullptr, {}},
    {stepAdd1ToGlobalScore, globalScoreCount, S, nullptr, {}},
    {stepResetGlobalScore, 3, S, nullptr, {{"g3", 0}}},
    {stepObjToGblScore, 3, S, nullptr, {{"g3", 3}}},
    {stepObjToObjScore, V, S, nullptr, {{"o1.score", 3}}},
    {stepGblToObjScore, 3, S, nullptr, {{"o0.score", 6}}},
    {stepGotoMap, 1, S, [] { world.setGameBox(500, 3); world.setDisplayPhrase(500, 4); },
     {{"changeMap", 1}, {"box.timer", 0}, {"box.image", 0}, {"phrase.timer", -1}, {"phrase.id", -1}}},
    {stepGotoMapObjScore, V, S, nullptr, {{"changeMap", 2}}},
    {stepGotoMapGblScore, 3, S, nullptr, {{"changeMap", 6}}},
    {stepGotoMapGblScore, 60, S, nullptr, {{"changeMap", 0}}},
    {stepEndGame, 0, S, nullptr,
     {{"gameState", gameStateMenu}, {"menu", 0}, {"g3", 0}, {"key0", 0}, {"key1", 0}, {"key2", 0}, {"key3", 0},
      {"key4", 0}, {"key5", 0}}},
    {stepEndGame, 0, S, [] { world.setGameBox(500, 3); }, {}},
    {stepEndGame, 0, S, [] { gameSys.setGameState(gameStatePlaytest); }, {{"endTest", 1}}},
    {stepAllowInput, 0, S, [] { world.setIngameInputDisallow(true); }, {{"inputLock", 0}}},
    {stepDisallowInput, 0, S, nullptr, {{"inputLock", 1}}},
    {stepEnableKey, 2, S, nullptr, {{"letter2", keyStateIdle}, {"currentLetter", -1}}},
    {stepDisableKey, 4, S, nullptr, {{"letter4", keyStateDisabled}, {"currentLetter", -1}}},
    {stepDisableKey, alphabetKeyCount, S, nullptr, {}},
    {stepShowMousePointer, 0, S, nullptr, {{"pointer", GLUT_CURSOR_LEFT_ARROW}}},
    {stepHideMousePointer, 0, S, nullptr, {{"pointer", GLUT_CURSOR_NONE}}},
};

class ActionTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("ALSOFT_DRIVERS", "null", 1);
        dir.write("games/t/sound/a.wav", testutil::wavBytes(5.0));
        dir.write("games/t/sound/b.wav", testutil::wavBytes(5.0));
        cwd = std::make_unique<testutil::ScopedCwd>(dir.path());
        gameSys.setSoundState(true);
        ASSERT_TRUE(initSound());
        ASSERT_EQ(loadGameSounds(gameFolder("t")), 2);
        setActionOutputs(recordText, recordPointer);
    }
    void TearDown() override
    {
        freeGameSounds(2);
        freeSystemSounds();
        cwd.reset();
    }
    testutil::TempDir dir;
    std::unique_ptr<testutil::ScopedCwd> cwd;
};

TEST_F(ActionTable, EachActionChangesWhatItNamesAndNothingElse)
{
    std::vector<actionRow> all(std::begin(rows), std::end(rows));
    for (int id : {700, 775, 776, 777, 778, 779, 780, 781, 600, 803})
        all.push_back({id, 1, S, nullptr, {}});  // ids that do nothing
    // Each key switch from every named key held, and from every one in the other state.
    for (const keySwitch& k : keySwitches)
        for (int start : {keyStatePressed, k.state == keyStateIdle ? keyStateDisabled : keyStateIdle}) {
            actionRow row{k.id, 0, S, nullptr, {}, "", start};
            for (int key : k.keys)
                if (start != keyStatePressed || !k.keepsHeld) row.changes.push_back({"key" + std::to_string(key), 0.0 + k.state});
            all.push_back(row);
        }
    for (const actionRow& row : all) {
        SCOPED_TRACE(testing::Message() << "action " << row.action << " value " << row.value << " keys " << row.keysFrom);
        worldtest::resetGlobals();
        playField();
        for (int n = 0; n < namedKeyCount && row.keysFrom >= 0; ++n) gameSys.setKeyState(n, row.keysFrom);
        if (row.setup) row.setup();
        const testutil::observed before = observe();
        gameAction(row.action, row.value, row.subject);
        testutil::expectChanges(before, observe(), row.changes);
        EXPECT_EQ(out.text, row.text);
    }
}

TEST(ActionTableEnd, TerminateEndsTheProgramAfterSavingItsSettings)
{
    const testutil::TempDir dir;
    const testutil::ScopedCwd cwd(dir.path());
    boost::filesystem::create_directories(dir.path() / "system");
    EXPECT_EXIT(gameAction(stepTerminate, 0, S), ::testing::ExitedWithCode(0), "");
    EXPECT_NE(dir.read("system/system.cfg"), "");
}

}  // namespace
