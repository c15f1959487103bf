// The key and mouse passes' evaluators: key conditions as a table of key and
// state, mouse conditions as a table of button and state. Neither pass keeps
// execution states nor takes part in "and" chains.
#include <initializer_list>

#include "core/system.h"
#include "logic/actions.h"
#include "logic/executor.h"
#include "logic/steps.h"
#include "world/world.h"

namespace {

constexpr int letterCount = alphabetKeyCount;

struct keyCondition {
    int condition;
    std::initializer_list<int> keys;  // any of these keys in `state`
    int state;
};

const keyCondition keyConditions[] = {
    {stepUpPressed, {keyUp}, keyStatePressed},
    {stepDownPressed, {keyDown}, keyStatePressed},
    {stepLeftPressed, {keyLeft}, keyStatePressed},
    {stepRightPressed, {keyRight}, keyStatePressed},
    {stepSpacebarPressed, {keySpace}, keyStatePressed},
    {stepEnterPressed, {keyEnter}, keyStatePressed},
    {stepArrowPressed, {keyUp, keyDown, keyRight, keyLeft}, keyStatePressed},
    {stepUpReleased, {keyUp}, keyStateReleased},
    {stepDownReleased, {keyDown}, keyStateReleased},
    {stepLeftReleased, {keyLeft}, keyStateReleased},
    {stepRightReleased, {keyRight}, keyStateReleased},
    {stepSpaceReleased, {keySpace}, keyStateReleased},
    {stepEnterReleased, {keyEnter}, keyStateReleased},
    {stepArrowsReleased, {keyUp, keyDown, keyRight, keyLeft}, keyStateReleased},
};

bool anyKeyIn(const keyCondition& k)
{
    for (int key : k.keys)
        if (gameSys.getKeyState(key) == k.state) return true;
    return false;
}

bool validLetter(int letter)
{
    return letter >= 0 && letter < letterCount;
}

bool keyConditionHolds(const sentence& rule)
{
    const int condition = rule.getSentenceStep(sentenceStepCondition);
    const int letter = rule.getSentenceStep(sentenceStepConditionValue);
    // A letter outside a to z matches no key (not even "no letter held").
    if (condition == stepKeyPressed) return validLetter(letter) && gameSys.getCurrentAlphabetKey() == letter;
    if (condition == stepKeyReleased)
        return validLetter(letter) && gameSys.getAlphabetKeyState(letter) == keyStateReleased;
    for (const keyCondition& k : keyConditions)
        if (k.condition == condition) return anyKeyIn(k);
    return false;
}

enum mouseButton { buttonLeft, buttonRight };

int buttonState(mouseButton b)
{
    return b == buttonLeft ? gameSys.getLeftMouse() : gameSys.getRightMouse();
}

// A condition or object predicate that fires on one button in one state.
struct clickTest {
    int id;
    mouseButton button;
    int state;
};

const clickTest clickConditions[] = {
    {stepLeftClick, buttonLeft, mouseButtonPressed},
    {stepRightClick, buttonRight, mouseButtonPressed},
    {stepLeftClickReleased, buttonLeft, mouseButtonReleased},
    {stepRightClickReleased, buttonRight, mouseButtonReleased},
};
const clickTest clickPredicates[] = {
    {stepLClicked, buttonLeft, mouseButtonPressed},
    {stepRClicked, buttonRight, mouseButtonPressed},
    {stepLReleased, buttonLeft, mouseButtonReleased},
    {stepRReleased, buttonRight, mouseButtonReleased},
};

template <size_t N>
const clickTest* findClick(const clickTest (&tests)[N], int id)
{
    for (const clickTest& t : tests)
        if (t.id == id) return &t;
    return nullptr;
}

bool mouseConditionHolds(const sentence& rule, int subject)
{
    const int condition = rule.getSentenceStep(sentenceStepCondition);
    if (const clickTest* c = findClick(clickConditions, condition)) return buttonState(c->button) == c->state;
    if (condition != stepWhenObject && condition != stepWhileObject) return false;
    const clickTest* p = findClick(clickPredicates, rule.getSentenceStep(sentenceStepPredicate));
    return p && buttonState(p->button) == p->state && world.getSelectedObject() == subject;
}

void fire(const sentence& rule, int subject)
{
    gameAction(rule.getSentenceStep(sentenceStepAction), rule.getSentenceStep(sentenceStepActionValue), subject);
}

}  // namespace

void sentenceActionKeyboard(const sentence& rule, bool isGlobal, int, int)
{
    if (keyConditionHolds(rule)) fire(rule, ruleSubject(rule, isGlobal));
}

void sentenceActionMouse(const sentence& rule, bool isGlobal, int, int)
{
    const int subject = ruleSubject(rule, isGlobal);
    if (mouseConditionHolds(rule, subject)) fire(rule, subject);
}
