// Word and value stepping of the logic editor, the pickers it opens, and the
// synthetic clicks of the arrow keys, the wheel and dragging.
#include "logic/word_picking.h"

#include <climits>
#include <functional>

#include "core/pick.h"
#include "core/system.h"
#include "editor/editor.h"
#include "logic/edited_rules.h"
#include "logic/steps.h"
#include "media/sound.h"
#include "world/world.h"

namespace {

constexpr int byteValues = 256;
constexpr int letterCount = 26;
constexpr int noUpperLimit = INT_MAX;
constexpr const char* absentWord = "NULL";
constexpr const char* hiddenWord = "SKIP";

// Words whose value slot follows them and is cleared when they change.
bool hasValueAfter(int slot)
{
    return slot == sentenceStepCondition || slot == sentenceStepPredicate || slot == sentenceStepAction;
}

bool isGlobalScoreCondition(int id)
{
    return id == stepWhenGlobalScore || id == stepWhileGlobalScore;
}

// The step of a click and the side towards which hidden words are passed.
struct stepDirection {
    int changer = 0;
    bool positive = false;
};

stepDirection readDirection(bool valueSlot)
{
    if (gameSys.getKeyState(keyLeft) != keyStateIdle) return {-1, false};
    if (gameSys.getKeyState(keyRight) != keyStateIdle) return {1, true};
    if (gameSys.getLeftMouse() == mouseButtonPressed) return valueSlot ? stepDirection{1, true} : stepDirection{};
    if (gameSys.getRightMouse() == mouseButtonPressed) return valueSlot ? stepDirection{-1, false} : stepDirection{};
    return {};  // a release changes nothing
}

// The rule a green byte names: of the rows shown, the one whose index has
// that low byte, so that rules past 255 are reached too; -1 when none has.
int ruleOfPickByte(int g)
{
    const int top = worldEditor.getTopSentence(), count = editedRuleCount();
    for (int s = top; s < top + logicRowsShown && s < count; ++s)
        if (s % byteValues == g) return s;
    return -1;
}

// A word steps to the next id that is shown, or stays where the family ends.
void stepWord(int rule, int slot, const sentence& g, stepDirection d)
{
    const long long id = g.getSentenceStep(slot);
    const int condition = g.getSentenceStep(sentenceStepCondition);
    long long changer = d.changer;
    if (steppedWord(id + changer, condition) == absentWord || id + changer <= 0) return;
    while (steppedWord(id + changer, condition) == hiddenWord) changer += d.positive ? 1 : -1;
    if (steppedWord(id + changer, condition) == absentWord) changer = 0;
    changeEditedRule(rule, slot, static_cast<int>(id + changer));
    if (changer == 0) return;
    if (hasValueAfter(slot)) changeEditedRule(rule, slot + 1, 0);
    if (slot == sentenceStepCondition) {
        const int now = editedRule(rule).getSentenceStep(sentenceStepCondition);
        changeEditedRule(rule, sentenceStepPredicate, isGlobalScoreCondition(now) ? stepGreaterThan : stepTouching);
    }
}

// The values a kind keeps: 0 up to (not including) its limit.
struct valueRange {
    int kind;
    int (*limit)();
};
const valueRange valueRanges[] = {
    {stepTypeObject, [] { return world.worldGetObjectCount(world.getCurrentMap()); }},
    {stepTypeHiddenNumber, [] { return noUpperLimit; }},
    {stepTypeNumber, [] { return noUpperLimit; }},
    {stepTypeLetter, [] { return letterCount; }},
    {stepTypeMap, [] { return world.getMapCount(); }},
    {stepTypeSound, [] { return world.getGameSoundCount(); }},
    {stepTypeGlobalScore, [] { return globalScoreCount; }},
};

const valueRange* rangeOfKind(int kind)
{
    for (const valueRange& r : valueRanges)
        if (r.kind == kind) return &r;
    return nullptr;
}

// The choosers of the kinds that are picked from a panel, on rule `rule`.
void openChooser(int kind, int rule, const sentence& g)
{
    switch (kind) {
    case stepTypeImage:
        worldEditor.setCurrentSentence(rule);
        worldEditor.setImageMenuTimer(1);
        break;
    case stepTypePhrase:
        worldEditor.setCurrentSentence(rule);
        worldEditor.setPhraseSelectorChoice(g.getSentenceStep(sentenceStepActionValue));
        worldEditor.setPhraseSelectorMenu(1);
        break;
    case stepTypeModel:
        if (editingMapLogic()) break;
        worldEditor.setCurrentSentence(rule);
        worldEditor.setModelMenu(1);
        break;
    default:
        break;
    }
}

void stepValue(int rule, int slot, const sentence& g, stepDirection d)
{
    const int kind = checkStepType(g.getSentenceStep(slot - 1));
    const valueRange* range = rangeOfKind(kind);
    if (!range) {
        openChooser(kind, rule, g);
        return;
    }
    const long long v = static_cast<long long>(g.getSentenceStep(slot)) + d.changer;
    if (v < 0 || v >= range->limit()) return;
    changeEditedRule(rule, slot, static_cast<int>(v));
    if (kind == stepTypeSound && d.changer != 0) {
        stopGameSounds();
        playGameSound(static_cast<int>(v), 0);
    }
}

void editWord(int rule, int slot)
{
    if (gameSys.getHoverState() || rule < 0 || slot < 0 || slot >= sentenceStepCount) return;
    const bool value = isValueSlot(slot);
    const stepDirection d = readDirection(value);
    const sentence g = editedRule(rule);
    if (value) stepValue(rule, slot, g, d);
    else stepWord(rule, slot, g, d);

    int timer = 0, listed = 0, step = 0;
    worldEditor.getGLTimer(timer, listed, step);
    if (!value && gameSys.getLeftMouse() == mouseButtonPressed && timer <= 0)
        worldEditor.setGLTimer(choiceListOpened, rule, slot);
}

// Runs `click` as a left press with the arrow key of `direction` held.
void withArrowPress(int direction, const std::function<void()>& click)
{
    const int key = direction < 0 ? keyLeft : keyRight;
    gameSys.setLeftMouse(mouseButtonPressed);
    gameSys.setKeyState(key, keyStatePressed);
    click();
    gameSys.setKeyState(key, keyStateIdle);
    gameSys.setLeftMouse(mouseButtonIdle);
}

}  // namespace

std::string steppedWord(long long id, int condition)
{
    if (id < INT_MIN || id > INT_MAX) return absentWord;
    return stepIDToString(static_cast<int>(id), condition);
}

void gameLogicColorPick(const unsigned char* pixel)
{
    editWord(ruleOfPickByte(pixel[1]), pixel[2]);
}

void stepListedWord(int direction)
{
    int timer = 0, rule = 0, slot = 0;
    worldEditor.getGLTimer(timer, rule, slot);
    withArrowPress(direction, [rule, slot] { editWord(rule, slot); });
}

void clickUnderPointer(int direction)
{
    withArrowPress(direction, [] { colorPickRender(); });
}
