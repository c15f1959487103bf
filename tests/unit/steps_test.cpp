// The step vocabulary: family bounds, hidden and context-dependent words,
// value kinds and the letter names.
#include <gtest/gtest.h>

#include <utility>

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
    for (const auto& r : ranges)
        for (int id = r[0]; id <= r[1]; ++id) EXPECT_NE(stepIDToString(id, 100), "NULL") << id;
}

TEST_F(StepsTest, WordsAndKindsAtTheFamilyEdgesAndAfterTheGlobalScoreConditions)
{
    // Predicates depend on the first condition; conditions and fixed words ignore it.
    const struct { int id, first; const char* word; } words[] = {
        {100, 100, "When object"}, {137, 100, "Right click released"}, {300, 100, "is"}, {301, 100, "is not"},
        {439, 100, "touching terrain"}, {600, 100, "then"}, {700, 104, "and"}, {701, 100, "game win"},
        {801, 100, "hide mouse pointer"}, {400, 100, "touching"}, {400, 126, "SKIP"}, {400, 127, "SKIP"},
        {426, 100, "SKIP"}, {426, 126, "greater than"}, {434, 127, "equal to obj"}, {410, 100, "SKIP"},
        {410, 126, "SKIP"}, {410, 127, "SKIP"}, {126, 126, "When global score"}, {600, 127, "then"}};
    for (const auto& w : words) EXPECT_EQ(stepIDToString(w.id, w.first), w.word) << w.id << " after " << w.first;
    const std::pair<int, int> kinds[] = {
        {100, stepTypeObject}, {111, stepTypeLetter}, {126, stepTypeGlobalScore}, {132, stepTypeNumber},
        {134, stepTypeNoSubject}, {300, stepTypeNone}, {600, stepTypeNone}, {700, stepTypeNone},
        {703, stepTypeImage}, {705, stepTypePhrase}, {744, stepTypeSound}, {770, stepTypeMap},
        {771, stepTypeObject}, {791, stepTypeLetter}, {410, stepTypeObject}};
    for (const auto& [id, kind] : kinds) EXPECT_EQ(checkStepType(id), kind) << id;
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
    const struct { int mode, id; const char* word; } cases[] = {
        {editorModeMapLogic, 752, "SKIP"}, {editorModeMapLogic, 710, "SKIP"}, {editorModeMapLogic, 713, "kill object"},
        {editorModeObjectLogic, 752, "add to self score by"}, {editorModeObjectLogic, 710, "phrase above obj"}};
    for (const auto& c : cases) {
        worldEditor.setEditorMode(c.mode);
        EXPECT_EQ(stepIDToString(c.id, 100), c.word) << c.mode << " " << c.id;
    }
}

TEST_F(StepsTest, ChangeObjectImageFollowsTheSelectedObject)
{
    worldtest::makeWorld(1, 2);
    world.worldSetObjectType(objectTypeModel, 1, 0);
    // Object 1 is a model; object 9 does not exist and takes the image form.
    const struct { int mode, object, id; const char* word; int kind; } cases[] = {
        {editorModeObjectLogic, 1, 733, "change object model", stepTypeModel},
        {editorModeObjectLogic, 1, 802, "change object model", stepTypeImage},
        {editorModeObjectLogic, 0, 733, "change object image", stepTypeImage},
        {editorModeMapLogic, 1, 733, "SKIP", stepTypeModel},
        {editorModeObjectLogic, 9, 733, "change object image", stepTypeImage}};
    for (const auto& c : cases) {
        worldEditor.setEditorMode(c.mode);
        worldEditor.setCurrentObject(c.object);
        EXPECT_EQ(stepIDToString(c.id, 100), c.word) << c.mode << " " << c.object << " " << c.id;
        EXPECT_EQ(checkStepType(c.id), c.kind) << c.mode << " " << c.object << " " << c.id;
    }
}

TEST_F(StepsTest, LetterNames)
{
    for (auto [n, name] : {std::pair<int, const char*>{0, "a"}, {25, "z"}, {26, "NULL"}, {-1, "NULL"}})
        EXPECT_EQ(intToAlpha(n), name) << n;
}

}  // namespace
