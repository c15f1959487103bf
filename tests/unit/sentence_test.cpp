// Logic rules and rule lists: the default rule, list order on add and
// delete, refused indices, "self" re-targeting on owner changes, deep copies.
#include <gtest/gtest.h>

#include <vector>

#include "logic/sentence.h"
#include "logic/steps.h"
#include "world_test_util.h"

namespace {

std::vector<int> stepsOf(const sentence& s)
{
    std::vector<int> v;
    for (int k = 0; k < sentenceStepCount; ++k) v.push_back(s.getSentenceStep(k));
    return v;
}

const std::vector<int> defaultRule = {100, 0, 300, 400, 0, 600, 700, 0};

class SentenceTest : public ::testing::Test {
protected:
    logicStrings list;
    // Three rules told apart by slot 1, state and timer.
    void fillThree()
    {
        for (int i = 0; i < 3; ++i) {
            list.addSentence();
            list.changeSentence(i, sentenceStepConditionValue, 10 + i);
            list.setSentenceExecutionState(i % 2, i);
            list.setSentenceTimer(100 + i, i);
        }
    }
};

TEST_F(SentenceTest, DefaultRule)
{
    const sentence s;
    EXPECT_EQ(stepsOf(s), defaultRule);
    EXPECT_EQ(s.getOwner(), 0);
    EXPECT_EQ(s.getExecutionState(), executionStateReady);
    EXPECT_EQ(s.getTimer(), 0);
    EXPECT_FALSE(list.addSentence());
    EXPECT_EQ(stepsOf(list.getWholeSentence(0)), defaultRule);
}

TEST_F(SentenceTest, DeleteKeepsTheOrderAndTheRuntimeFields)
{
    fillThree();
    ASSERT_TRUE(list.deleteSentence(1));
    ASSERT_EQ(list.getSentenceAmount(), 2);
    EXPECT_EQ(list.getSentenceStep(0, sentenceStepConditionValue), 10);
    EXPECT_EQ(list.getSentenceStep(1, sentenceStepConditionValue), 12);
    EXPECT_EQ(list.getSentenceExecutionState(1), 0);
    EXPECT_EQ(list.getSentenceTimer(1), 102);
}

TEST_F(SentenceTest, DeleteOutsideTheListIsRefused)
{
    fillThree();
    EXPECT_FALSE(list.deleteSentence(5));
    EXPECT_FALSE(list.deleteSentence(3));
    EXPECT_FALSE(list.deleteSentence(-1));
    ASSERT_EQ(list.getSentenceAmount(), 3);
    EXPECT_EQ(list.getSentenceStep(2, sentenceStepConditionValue), 12);

    logicStrings one;
    one.addSentence();
    EXPECT_TRUE(one.deleteSentence(0));
    EXPECT_EQ(one.getSentenceAmount(), 0);
    EXPECT_FALSE(one.deleteSentence(0));
}

TEST_F(SentenceTest, MissingRulesReadAsNeutralValues)
{
    fillThree();
    EXPECT_EQ(list.getSentenceStep(3, 0), -1);
    EXPECT_TRUE(testutil::consoleHas("^rERROR: ^wAttempted to access an unallocated logic sentence."));
    EXPECT_EQ(list.getSentenceStep(-1, 0), -1);
    EXPECT_EQ(stepsOf(list.getWholeSentence(3)), defaultRule);
    EXPECT_EQ(stepsOf(list.getWholeSentence(-1)), defaultRule);
    EXPECT_EQ(list.getSentenceTimer(-1), -1);
    EXPECT_EQ(list.getSentenceExecutionState(7), -1);

    list.changeSentence(7, 0, 101);
    list.changeSentence(-1, 0, 101);
    list.changeSentence(0, 8, 101);   // no slot 8
    list.changeSentence(0, -1, 101);
    list.setSentenceTimer(5, -1);
    list.sentenceSetOwner(5, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.getSentenceStep(i, 0), 100);
        EXPECT_EQ(list.getSentenceTimer(i), 100 + i);
        EXPECT_EQ(list.sentenceGetOwner(i), 0);
    }
}

TEST_F(SentenceTest, OwnerChangeRetargetsOnlyASelfAction)
{
    worldEditor.setCurrentObject(4);
    sentence kill;
    kill.setWholeSentence(100, 4, 300, 400, 4, 600, stepKillObject, 4);
    kill.setOwner(9);
    EXPECT_EQ(kill.getSentenceStep(sentenceStepActionValue), 9);
    EXPECT_EQ(kill.getSentenceStep(sentenceStepConditionValue), 4);
    EXPECT_EQ(kill.getSentenceStep(sentenceStepPredicateValue), 4);
    EXPECT_EQ(kill.getOwner(), 9);

    sentence other;
    other.setWholeSentence(100, 0, 300, 400, 0, 600, stepKillObject, 3);
    other.setOwner(9);
    EXPECT_EQ(other.getSentenceStep(sentenceStepActionValue), 3);

    sentence sound;
    sound.setWholeSentence(100, 0, 300, 400, 0, 600, stepPlaySound, 4);
    sound.setOwner(9);
    EXPECT_EQ(sound.getSentenceStep(sentenceStepActionValue), 4);
    EXPECT_EQ(sound.getOwner(), 9);
}

TEST_F(SentenceTest, CopiesAreIndependent)
{
    fillThree();
    {
        logicStrings copy = list;
        copy.changeSentence(0, 0, 101);
        copy.setSentenceTimer(77, 1);
        copy.setSentenceExecutionState(1, 2);
        EXPECT_EQ(copy.getSentenceTimer(2), 102);  // runtime fields are copied
        EXPECT_EQ(list.getSentenceStep(0, 0), 100);
        EXPECT_EQ(list.getSentenceTimer(1), 101);
        EXPECT_EQ(list.getSentenceExecutionState(2), 0);
        logicStrings assigned;
        assigned.addSentence();
        assigned = copy;
        EXPECT_EQ(assigned.getSentenceAmount(), 3);
        EXPECT_EQ(assigned.getSentenceStep(0, 0), 101);
    }
    EXPECT_EQ(list.getSentenceAmount(), 3);
}

TEST_F(SentenceTest, RenumberingAfterADeletionTouchesOnlyObjectSlots)
{
    sentence s;
    // Condition and action take objects, the predicate a number.
    s.setWholeSentence(stepWhenObject, 5, 300, stepScoreMoreThan, 5, 600, stepKillObject, 2);
    s.renumberObjects(2);
    EXPECT_EQ(s.getSentenceStep(sentenceStepConditionValue), 4);
    EXPECT_EQ(s.getSentenceStep(sentenceStepPredicateValue), 5);
    EXPECT_EQ(s.getSentenceStep(sentenceStepActionValue), 0);
    s.setWholeSentence(stepWhenObject, 1, 300, stepTouching, 3, 600, stepPlaySound, 3);
    s.renumberObjects(2);
    EXPECT_EQ(s.getSentenceStep(sentenceStepConditionValue), 1);
    EXPECT_EQ(s.getSentenceStep(sentenceStepPredicateValue), 2);
    EXPECT_EQ(s.getSentenceStep(sentenceStepActionValue), 3);
}

}  // namespace
