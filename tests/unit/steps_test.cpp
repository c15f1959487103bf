// The step vocabulary: family bounds, hidden and context-dependent words,
// value kinds and the letter names.
#include <gtest/gtest.h>

#include "logic/steps.h"
#include "world_test_util.h"

namespace {

using StepsTest = ::testing::Test;  // the unit tests start from fresh records

TEST_F(StepsTest, IdsOutsideTheFamiliesAreNoStep)
{
    for (int id : {0, 99, 138, 299, 302, 399, 440, 599, 601, 699, 803, 10000, -2, -100}) {
        EXPECT_EQ(stepIDToString(id, stepWhenObject), "NULL") << id;
        EXPECT_EQ(checkStepType(id), stepTypeNone) << id;
    }
    EXPECT_EQ(stepIDToString(stepBlank, stepWhenObject), "");
    EXPECT_EQ(checkStepType(stepBlank), stepTypeNone);
}

TEST_F(StepsTest, EveryFamilyMemberHasAWord)
{
    worldEditor.setEditorMode(editorModeObjectLogic);
    const int ranges[][2] = {{100, 137}, {300, 301}, {400, 439}, {600, 600}, {700, 802}};
    for (const auto& r : ranges) {
        for (int id = r[0]; id <= r[1]; ++id) EXPECT_NE(stepIDToString(id, 100), "NULL") << id;
    }
}

TEST_F(StepsTest, WordsAndKindsAtTheFamilyEdges)
{
    EXPECT_EQ(stepIDToString(100, 100), "When object");
    EXPECT_EQ(stepIDToString(137, 100), "Right click released");
    EXPECT_EQ(stepIDToString(300, 100), "is");
    EXPECT_EQ(stepIDToString(301, 100), "is not");
    EXPECT_EQ(stepIDToString(439, 100), "touching terrain");
    EXPECT_EQ(stepIDToString(600, 100), "then");
    EXPECT_EQ(stepIDToString(700, 104), "and");
    EXPECT_EQ(stepIDToString(701, 100), "game win");
    EXPECT_EQ(stepIDToString(801, 100), "hide mouse pointer");
    EXPECT_EQ(checkStepType(100), stepTypeObject);
    EXPECT_EQ(checkStepType(111), stepTypeLetter);
    EXPECT_EQ(checkStepType(126), stepTypeGlobalScore);
    EXPECT_EQ(checkStepType(132), stepTypeNumber);
    EXPECT_EQ(checkStepType(134), stepTypeNoSubject);
    EXPECT_EQ(checkStepType(300), stepTypeNone);
    EXPECT_EQ(checkStepType(600), stepTypeNone);
    EXPECT_EQ(checkStepType(700), stepTypeNone);
    EXPECT_EQ(checkStepType(703), stepTypeImage);
    EXPECT_EQ(checkStepType(705), stepTypePhrase);
    EXPECT_EQ(checkStepType(744), stepTypeSound);
    EXPECT_EQ(checkStepType(770), stepTypeMap);
    EXPECT_EQ(checkStepType(771), stepTypeObject);
    EXPECT_EQ(checkStepType(791), stepTypeLetter);
}

TEST_F(StepsTest, PredicatesDependOnTheGlobalScoreConditions)
{
    EXPECT_EQ(stepIDToString(400, 100), "touching");
    EXPECT_EQ(stepIDToString(400, 126), "SKIP");
    EXPECT_EQ(stepIDToString(400, 127), "SKIP");
    EXPECT_EQ(stepIDToString(426, 100), "SKIP");
    EXPECT_EQ(stepIDToString(426, 126), "greater than");
    EXPECT_EQ(stepIDToString(434, 127), "equal to obj");
    for (int first : {100, 126, 127}) EXPECT_EQ(stepIDToString(410, first), "SKIP");
    EXPECT_EQ(checkStepType(410), stepTypeObject);
    // Conditions and the fixed words ignore the condition they are given.
    EXPECT_EQ(stepIDToString(126, 126), "When global score");
    EXPECT_EQ(stepIDToString(600, 127), "then");
}

TEST_F(StepsTest, HiddenStepsKeepTheirKinds)
{
    for (int id : {120, 125, 130, 131, 415, 416, 748, 751, 774, 775, 781})
        EXPECT_EQ(stepIDToString(id, 100), "SKIP") << id;
    EXPECT_EQ(checkStepType(775), stepTypeObject);
    for (int id = 776; id <= 781; ++id) EXPECT_EQ(checkStepType(id), stepTypeHiddenNumber);
    EXPECT_EQ(checkStepType(751), stepTypeNone);
    EXPECT_EQ(checkStepType(774), stepTypeNone);
    EXPECT_EQ(checkStepType(120), stepTypeNumber);
}

TEST_F(StepsTest, LocalOnlyActionsInTheMapLogicEditor)
{
    worldEditor.setEditorMode(editorModeMapLogic);
    EXPECT_EQ(stepIDToString(752, 100), "SKIP");
    EXPECT_EQ(stepIDToString(710, 100), "SKIP");
    EXPECT_EQ(stepIDToString(713, 100), "kill object");
    worldEditor.setEditorMode(editorModeObjectLogic);
    EXPECT_EQ(stepIDToString(752, 100), "add to self score by");
    EXPECT_EQ(stepIDToString(710, 100), "phrase above obj");
}

TEST_F(StepsTest, ChangeObjectImageFollowsTheSelectedObject)
{
    worldtest::makeWorld(1, 2);
    world.worldSetObjectType(objectTypeModel, 1, 0);
    worldEditor.setEditorMode(editorModeObjectLogic);

    worldEditor.setCurrentObject(1);
    EXPECT_EQ(stepIDToString(733, 100), "change object model");
    EXPECT_EQ(checkStepType(733), stepTypeModel);
    EXPECT_EQ(stepIDToString(802, 100), "change object model");
    EXPECT_EQ(checkStepType(802), stepTypeImage);

    worldEditor.setCurrentObject(0);
    EXPECT_EQ(stepIDToString(733, 100), "change object image");
    EXPECT_EQ(checkStepType(733), stepTypeImage);

    worldEditor.setEditorMode(editorModeMapLogic);
    worldEditor.setCurrentObject(1);
    EXPECT_EQ(stepIDToString(733, 100), "SKIP");
    EXPECT_EQ(checkStepType(733), stepTypeModel);

    // No object at the selected index: the image form.
    worldEditor.setEditorMode(editorModeObjectLogic);
    worldEditor.setCurrentObject(9);
    EXPECT_EQ(stepIDToString(733, 100), "change object image");
    EXPECT_EQ(checkStepType(733), stepTypeImage);
}

TEST_F(StepsTest, LetterNames)
{
    EXPECT_EQ(intToAlpha(0), "a");
    EXPECT_EQ(intToAlpha(25), "z");
    EXPECT_EQ(intToAlpha(26), "NULL");
    EXPECT_EQ(intToAlpha(-1), "NULL");
}

}  // namespace
