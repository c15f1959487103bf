// The executor's walks over the rules of the current map and the frame pass:
// pending map change, second and millisecond ticks, once-only states and
// "and" chains.
#include "logic/executor.h"

#include <algorithm>
#include <climits>

#include "core/clock.h"
#include "core/system.h"
#include "logic/actions.h"
#include "logic/condition_tests.h"
#include "logic/steps.h"
#include "world/world.h"

namespace {

constexpr int secondTickMs = 1000;
constexpr int millisecondTickMs = 1;

// Executor state, kept between frames.
int lastSentenceTimerCheck = 0;
int lastSentenceMilTimerCheck = 0;
bool andBlock = false;
bool playRunning = false;  // the previous frame ran the rules

// The ticks of one frame.
struct frameTicks {
    bool second = false;
    bool millisecond = false;
    int delta = 0;  // ms since the previous millisecond tick
};

// Time spent outside play (menus, dialogs, the editor) never reaches the
// timers: the first frame of play starts both clocks afresh.
frameTicks readTicks()
{
    const int now = elapsedMs();
    frameTicks ticks;
    if (!playRunning) {
        lastSentenceTimerCheck = lastSentenceMilTimerCheck = now;
        playRunning = true;
        return ticks;
    }
    if (lastSentenceTimerCheck + secondTickMs < now) {
        lastSentenceTimerCheck = now;
        ticks.second = true;
    }
    if (lastSentenceMilTimerCheck + millisecondTickMs < now) {
        ticks.delta = now - lastSentenceMilTimerCheck;
        lastSentenceMilTimerCheck = now;
        ticks.millisecond = true;
    }
    return ticks;
}

// What a timer condition adds to its rule's timer on this frame.
int timerIncrement(const sentence& rule, const frameTicks& ticks)
{
    const int condition = rule.getSentenceStep(sentenceStepCondition);
    if (condition == stepEverySeconds && ticks.second) return 1;
    if (condition == stepEveryMilliseconds && ticks.millisecond) return ticks.delta;
    return 0;
}

// One list of rules, global or of one object, seen through the world's accessors.
struct ruleList {
    bool isGlobal;
    int object;  // the holding object of a local list
    int map;

    int count() const
    {
        return isGlobal ? world.mapGlobalGetSentenceAmount(map) : world.mapLocalGetSentenceAmount(object, map);
    }
    sentence rule(int s) const
    {
        return isGlobal ? world.mapGlobalGetWholeSentence(map, s) : world.mapLocalGetWholeSentence(s, object, map);
    }
    void setTimer(int value, int s) const
    {
        if (isGlobal) world.mapGlobalSetSentenceTimer(value, s, map);
        else world.mapLocalSetSentenceTimer(value, s, object, map);
    }
    void setFired(int s) const
    {
        if (isGlobal) world.mapGlobalSetExecutionState(executionStateFired, s, map);
        else world.mapLocalSetExecutionState(executionStateFired, s, object, map);
    }
    int owner() const { return isGlobal ? map : object; }
};

using evaluator = void (*)(const sentence&, bool, int, int);

// The fixed order: the map's rules, then each object's, every list top to
// bottom; counts are read again before every rule, since actions run between.
template <typename visit>
void walkRules(visit each)
{
    const int m = world.getCurrentMap();
    const ruleList global{true, 0, m};
    for (int s = 0; s < global.count(); ++s) each(global, s);
    for (int o = 0; o < world.worldGetObjectCount(m); ++o) {
        const ruleList local{false, o, m};
        for (int r = 0; r < local.count(); ++r) each(local, r);
    }
}

void runEventPass(evaluator evaluate)
{
    if (!isPlayState(gameSys.getGameState()) || world.getIngameInputDisallow()) return;
    int timer = 0, image = 0;
    world.getGameBox(timer, image);
    if (timer == gameBoxTimerReady) world.setGameBox(gameBoxTimerNone, 0);
    walkRules([evaluate](const ruleList& list, int s) { evaluate(list.rule(s), list.isGlobal, list.owner(), s); });
}

bool objectTest(int s1, int s2, int s3, int s4)
{
    if (s2 == stepIs) return compareObjects(s1, s3, s4);
    if (s2 == stepIsNot) return !compareObjects(s1, s3, s4);
    return false;
}

bool labelTest(int s1, int s2)
{
    if (s2 == stepIs) return compareLabel(s1);
    if (s2 == stepIsNot) return !compareLabel(s1);
    return false;
}

// Global-score rules read every slot-2 value but "is" as "is not".
bool globalScoreTest(int s1, int s2, int s3, int s4)
{
    const bool holds = compareGlobalScore(s1, s3, s4);
    return s2 == stepIs ? holds : !holds;
}

bool isOnceOnly(int condition)
{
    switch (condition) {
    case stepWhenObject:
    case stepWhenGameScoreEqual:
    case stepWhenGameScoreLess:
    case stepWhenGameScoreMore:
    case stepWhenGlobalScore:
    case stepDoOnce: return true;
    default: return false;
    }
}

bool isTimer(int condition)
{
    return condition == stepEverySeconds || condition == stepEveryMilliseconds;
}

// Whether the frame condition holds; false for the key and mouse conditions
// and for ids that are no condition.
bool frameConditionHolds(const sentence& rule, int s1)
{
    const int s2 = rule.getSentenceStep(sentenceStepIs), s3 = rule.getSentenceStep(sentenceStepPredicate);
    const int s4 = rule.getSentenceStep(sentenceStepPredicateValue);
    const int score = world.getGameScore();
    switch (rule.getSentenceStep(sentenceStepCondition)) {
    case stepWhenObject:
    case stepWhileObject: return objectTest(s1, s2, s3, s4);
    case stepWhenWin: return world.getGameCondition() == gameConditionWin;
    case stepWhenLose: return world.getGameCondition() == gameConditionLose;
    case stepWhenGameScoreEqual:
    case stepWhileGameScoreEqual: return score == s1;
    case stepWhenGameScoreLess:
    case stepWhileGameScoreLess: return score < s1;
    case stepWhenGameScoreMore:
    case stepWhileGameScoreMore: return score > s1;
    case stepWhenGlobalScore:
    case stepWhileGlobalScore: return globalScoreTest(s1, s2, s3, s4);
    case stepDoOnce:
    case stepRepeatedlyDo: return true;
    case stepLabel130:
    case stepLabel131: return labelTest(s1, s2);
    case stepEverySeconds:
    case stepEveryMilliseconds: return rule.getTimer() >= s1;
    default: return false;
    }
}

}  // namespace

int ruleSubject(const sentence& rule, bool isGlobal)
{
    return isGlobal ? rule.getSentenceStep(sentenceStepConditionValue) : rule.getOwner();
}

void updateLogic()
{
    if (!isPlayState(gameSys.getGameState())) {
        playRunning = false;
        return;
    }
    if (world.getChangeMap() != changeMapNone) {
        changeMap(world.getChangeMap());
        world.setChangeMap(changeMapNone);
    }
    const frameTicks ticks = readTicks();
    walkRules([&ticks](const ruleList& list, int s) {
        sentence rule = list.rule(s);
        // Timers advance before the rule is judged, whether or not a chain skips it.
        if (const int add = timerIncrement(rule, ticks)) {
            rule.setTimer(static_cast<int>(std::min<long long>(INT_MAX, 0LL + rule.getTimer() + add)));
            list.setTimer(rule.getTimer(), s);
        }
        sentenceAction(rule, list.isGlobal, list.owner(), s);
    });
}

void updateKeyLogic()
{
    runEventPass(sentenceActionKeyboard);
}

void updateMouseLogic()
{
    runEventPass(sentenceActionMouse);
}

void sentenceAction(const sentence& rule, bool isGlobal, int mapOrObject, int index)
{
    const int action = rule.getSentenceStep(sentenceStepAction);
    if (index == 0) andBlock = false;  // a chain never reaches from one list into the next
    if (andBlock) {
        if (action != stepAnd) andBlock = false;  // the chain's last rule is skipped too
        return;
    }
    const int subject = ruleSubject(rule, isGlobal);
    int s1 = rule.getSentenceStep(sentenceStepConditionValue);
    // "When object" and "While object" in an object's list test that object.
    if (!isGlobal && checkStepType(rule.getSentenceStep(sentenceStepCondition)) == stepTypeObject) s1 = subject;

    const int condition = rule.getSentenceStep(sentenceStepCondition);
    const bool once = isOnceOnly(condition);
    // A once-only rule that has fired stays silent (and breaks its chain).
    const bool fires = (!once || rule.getExecutionState() == executionStateReady) && frameConditionHolds(rule, s1);
    if (!fires) {
        if (action == stepAnd) andBlock = true;
        return;
    }
    gameAction(action, rule.getSentenceStep(sentenceStepActionValue), subject);
    const ruleList list{isGlobal, mapOrObject, world.getCurrentMap()};
    if (once) list.setFired(index);
    else if (isTimer(condition)) list.setTimer(0, index);
}
