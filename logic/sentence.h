// Logic rules: `sentence`, one rule of eight step slots with its owner,
// execution state and timer, and `logicStrings`, the ordered rule list held by
// every map (global logic) and every object (local logic).
#pragma once
#include <vector>

enum sentenceSlot {
    sentenceStepCondition = 0,
    sentenceStepConditionValue = 1,
    sentenceStepIs = 2,
    sentenceStepPredicate = 3,
    sentenceStepPredicateValue = 4,
    sentenceStepThen = 5,
    sentenceStepAction = 6,
    sentenceStepActionValue = 7,
};
constexpr int sentenceStepCount = 8;

enum executionStateId { executionStateReady = 0, executionStateFired = 1 };

// The answer of a step, state or timer read of a rule that does not exist.
constexpr int sentenceMissingValue = -1;

class sentence {
public:
    sentence();

    void setSentenceStep(int slot, int id);
    void setWholeSentence(int s0, int s1, int s2, int s3, int s4, int s5, int s6, int s7);
    // The id in a slot; -1 for a slot outside 0 to 7.
    int getSentenceStep(int slot) const;
    // Re-targets an action aimed at the editor's current object ("self") to o,
    // then makes o the owner.
    void setOwner(int o);
    int getOwner() const { return owner; }
    void setExecutionState(int state) { executionState = state; }
    int getExecutionState() const { return executionState; }
    void setTimer(int value) { timer = value; }
    int getTimer() const { return timer; }

    // After object `deleted` of the map is removed: every object-valued slot
    // naming a later object names it at its new index, one naming the removed
    // object names object 0.
    void renumberObjects(int deleted);
    // Makes o the owner without re-targeting any slot.
    void moveOwner(int o) { owner = o; }

private:
    int sentenceStep[sentenceStepCount];
    int owner = 0;
    int executionState = executionStateReady;
    int timer = 0;
};

class logicStrings {
public:
    // Appends one default rule; always false.
    bool addSentence();
    // Removes rule i; false (and no change) when i is not a rule of the list.
    bool deleteSentence(int i);
    void changeSentence(int i, int slot, int id);
    // The slot of rule i; logs an error and gives -1 when i is not a rule.
    int getSentenceStep(int i, int slot) const;
    // A copy of rule i, or a default rule when i is not a rule.
    sentence getWholeSentence(int i) const;
    int getSentenceAmount() const { return static_cast<int>(sentences.size()); }
    void sentenceSetOwner(int o, int i);
    int sentenceGetOwner(int i) const;
    void setSentenceExecutionState(int state, int i);
    int getSentenceExecutionState(int i) const;
    void setSentenceTimer(int value, int i);
    int getSentenceTimer(int i) const;

    // Applies sentence::renumberObjects to every rule.
    void renumberObjects(int deleted);
    // Makes o the owner of every rule without re-targeting any slot.
    void moveOwner(int o);

private:
    std::vector<sentence> sentences;

    bool hasRule(int i) const { return i >= 0 && i < getSentenceAmount(); }
};
