// The two logic macros as tables of rules, and writing one into an object's
// local logic.
#include "editor/logic_macros.h"

#include "core/pick_codes.h"
#include "editor/editor.h"
#include "logic/sentence.h"
#include "logic/steps.h"
#include "media/sound.h"
#include "world/world.h"

namespace {

// In a macro's table, the place of the object the macro is applied to.
constexpr int O = -1;

using macroRule = int[sentenceStepCount];

const macroRule rpgPlayerRules[] = {
    {stepUpPressed, 0, stepIs, stepTouching, 0, stepThen, stepPhraseAboveObj, O},
    {stepDownPressed, 0, stepIs, stepTouching, 0, stepThen, stepDisplayObjectScore, O},
    {stepLeftPressed, 0, stepIs, stepTouching, 0, stepThen, stepDisplayGlobalScore, O},
    {stepRightPressed, 0, stepIs, stepTouching, 0, stepThen, stepKillObject, O},
    {stepArrowPressed, 0, stepIs, stepTouching, 0, stepThen, stepSpawnObjectUp, O},
    {stepDoOnce, 0, stepIs, stepTouching, 0, stepThen, stepSpawnObjectUp, O},
};

const macroRule platformerPlayerRules[] = {
    {stepWhileObject, O, stepIs, stepBottomAnyTouch, O, stepThen, stepObjToGblScore, O},
    {stepWhileObject, O, stepIsNot, stepBottomAnyTouch, O, stepThen, stepReserved775, O},
    {stepSpacebarPressed, O, stepIs, stepTouching, O, stepThen, stepThirdPersonView, 26},
    {stepWhileObject, O, stepIs, stepScoreMoreThan, 0, stepThen, stepPhraseAboveObj, O},
    {stepWhileObject, O, stepIs, stepScoreEqualTo, 0, stepThen, stepDisplayObjectScore, O},
    {stepWhileObject, O, stepIs, stepScoreMoreThan, 0, stepThen, stepFirstPersonUpdate, 1},
    {stepLeftPressed, O, stepIs, stepTouching, O, stepThen, stepDisplayGlobalScore, O},
    {stepRightPressed, O, stepIs, stepTouching, O, stepThen, stepKillObject, O},
    {stepRepeatedlyDo, O, stepIs, stepTouching, O, stepThen, stepSpawnObjectUp, O},
    {stepArrowPressed, O, stepIs, stepTouching, O, stepThen, stepSpawnObjectUp, O},
    {stepWhileObject, O, stepIs, stepTopAnyTouch, O, stepThen, stepThirdPersonView, 0},
};

struct logicMacro {
    const macroRule* rules;
    int count;
};

// By macro number.
const logicMacro logicMacros[] = {
    {rpgPlayerRules, static_cast<int>(sizeof rpgPlayerRules / sizeof rpgPlayerRules[0])},
    {platformerPlayerRules, static_cast<int>(sizeof platformerPlayerRules / sizeof platformerPlayerRules[0])},
};
constexpr int logicMacroCount = static_cast<int>(sizeof logicMacros / sizeof logicMacros[0]);

}  // namespace

void applyLogicMacro(int macro, int o, int m)
{
    const int old = world.mapLocalGetSentenceAmount(o, m);
    for (int i = 0; i < old; ++i) world.mapLocalDeleteSentence(0, o, m);
    if (macro < 0 || macro >= logicMacroCount) return;
    const logicMacro& chosen = logicMacros[macro];
    for (int k = 0; k < chosen.count; ++k) {
        if (!world.mapLocalAddSentence(o, m)) return;
        for (int slot = 0; slot < sentenceStepCount; ++slot) {
            const int value = chosen.rules[k][slot];
            world.mapLocalChangeSentence(k, slot, value == O ? o : value, o, m);
        }
    }
}

bool logicMacroPicking(const unsigned char* pixel)
{
    if (pixel[0] != pickApplyMacro) return false;
    playSystemSound(sysSoundOk, 0);
    applyLogicMacro(pixel[2], worldEditor.getCurrentObject(), world.getCurrentMap());
    worldEditor.setTemplateSelect(0);
    return true;
}
