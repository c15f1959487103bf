// Logic rules and rule lists: the default rule, the "self" re-targeting of an
// owner change, object renumbering after a deletion, and the list operations.
#include "logic/sentence.h"

#include <iterator>

#include "core/log.h"
#include "editor/editor.h"
#include "logic/steps.h"

namespace {

const int defaultSteps[sentenceStepCount] = {stepWhenObject, 0, stepIs, stepTouching, 0, stepThen, stepAnd, 0};

// Each word slot whose value slot may hold an object index, with that value slot.
struct objectValueSlot {
    int wordSlot;
    int valueSlot;
};
const objectValueSlot objectValueSlots[] = {
    {sentenceStepCondition, sentenceStepConditionValue},
    {sentenceStepPredicate, sentenceStepPredicateValue},
    {sentenceStepAction, sentenceStepActionValue},
};

bool validSlot(int slot)
{
    return slot >= 0 && slot < sentenceStepCount;
}

}  // namespace

sentence::sentence()
{
    std::copy(std::begin(defaultSteps), std::end(defaultSteps), sentenceStep);
}

void sentence::setSentenceStep(int slot, int id)
{
    if (validSlot(slot)) sentenceStep[slot] = id;
}

void sentence::setWholeSentence(int s0, int s1, int s2, int s3, int s4, int s5, int s6, int s7)
{
    const int steps[sentenceStepCount] = {s0, s1, s2, s3, s4, s5, s6, s7};
    std::copy(std::begin(steps), std::end(steps), sentenceStep);
}

int sentence::getSentenceStep(int slot) const
{
    return validSlot(slot) ? sentenceStep[slot] : sentenceMissingValue;
}

void sentence::setOwner(int o)
{
    if (checkStepType(sentenceStep[sentenceStepAction]) == stepTypeObject &&
        sentenceStep[sentenceStepActionValue] == worldEditor.getCurrentObject()) {
        sentenceStep[sentenceStepActionValue] = o;
    }
    owner = o;
}

void sentence::renumberObjects(int deleted)
{
    for (const objectValueSlot& s : objectValueSlots) {
        if (checkStepType(sentenceStep[s.wordSlot]) != stepTypeObject) continue;
        int& value = sentenceStep[s.valueSlot];
        if (value > deleted) {
            --value;
        } else if (value == deleted) {
            value = 0;
        }
    }
}

bool logicStrings::addSentence()
{
    sentences.emplace_back();
    return false;
}

bool logicStrings::deleteSentence(int i)
{
    if (!hasRule(i)) return false;
    sentences.erase(sentences.begin() + i);
    return true;
}

void logicStrings::changeSentence(int i, int slot, int id)
{
    if (hasRule(i)) sentences[static_cast<size_t>(i)].setSentenceStep(slot, id);
}

int logicStrings::getSentenceStep(int i, int slot) const
{
    if (!hasRule(i)) {
        systemMsg(QV_ERROR "Attempted to access an unallocated logic sentence.");
        return sentenceMissingValue;
    }
    return sentences[static_cast<size_t>(i)].getSentenceStep(slot);
}

sentence logicStrings::getWholeSentence(int i) const
{
    return hasRule(i) ? sentences[static_cast<size_t>(i)] : sentence();
}

void logicStrings::sentenceSetOwner(int o, int i)
{
    if (hasRule(i)) sentences[static_cast<size_t>(i)].setOwner(o);
}

int logicStrings::sentenceGetOwner(int i) const
{
    return hasRule(i) ? sentences[static_cast<size_t>(i)].getOwner() : sentenceMissingValue;
}

void logicStrings::setSentenceExecutionState(int state, int i)
{
    if (hasRule(i)) sentences[static_cast<size_t>(i)].setExecutionState(state);
}

int logicStrings::getSentenceExecutionState(int i) const
{
    return hasRule(i) ? sentences[static_cast<size_t>(i)].getExecutionState() : sentenceMissingValue;
}

void logicStrings::setSentenceTimer(int value, int i)
{
    if (hasRule(i)) sentences[static_cast<size_t>(i)].setTimer(value);
}

int logicStrings::getSentenceTimer(int i) const
{
    return hasRule(i) ? sentences[static_cast<size_t>(i)].getTimer() : sentenceMissingValue;
}

void logicStrings::renumberObjects(int deleted)
{
    for (sentence& s : sentences) s.renumberObjects(deleted);
}

void logicStrings::moveOwner(int o)
{
    for (sentence& s : sentences) s.moveOwner(o);
}
