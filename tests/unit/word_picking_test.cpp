// Editing rule words by click: family ends, hidden words, the predicate reset
// of the global-score conditions, the ranges of each value kind, the choice
// list and the choosers, on an object's rule of a map with five objects.
#include <gtest/gtest.h>

#include <array>

#include "core/pick_codes.h"
#include "logic/word_picking.h"
#include "world_test_util.h"

namespace {

using steps = std::array<int, 8>;
const steps same{};  // the expected rule is the rule as it was
enum clickKind { arrowBack, arrowOn, leftPress, rightPress, leftRelease };

struct wordCase {
    const char* what;
    steps rule;
    int slot;
    clickKind click;
    steps expected;
    bool listOpens;
};

const wordCase wordCases[] = {
    {"no condition below the first", {100, 2, 300, 401, 3, 600, 713, 1}, 0, arrowBack, same, true},
    {"hidden conditions passed", {119, 3, 300, 401, 2, 600, 713, 1}, 0, arrowOn,
      {126, 0, 300, 426, 2, 600, 713, 1}, true},
    {"global score to global score", {126, 5, 300, 427, 7, 600, 713, 1}, 0, arrowOn,
      {127, 0, 300, 426, 7, 600, 713, 1}, true},
    {"global score to object predicate", {127, 5, 300, 427, 7, 600, 713, 1}, 0, arrowOn,
      {128, 0, 300, 400, 7, 600, 713, 1}, true},
    {"is to is not", {100, 2, 300, 401, 3, 600, 713, 1}, 2, arrowOn, {100, 2, 301, 401, 3, 600, 713, 1}, true},
    {"is not is the last", {100, 2, 301, 401, 3, 600, 713, 1}, 2, arrowOn, same, true},
    {"left press opens the list only", {100, 2, 300, 401, 3, 600, 713, 1}, 6, leftPress, same, true},
    {"right press on a word", {100, 2, 300, 401, 3, 600, 713, 1}, 6, rightPress, same, false},
    {"hidden condition pressed", {122, 2, 300, 427, 3, 600, 713, 1}, 0, leftPress,
      {119, 0, 300, 400, 3, 600, 713, 1}, true},
    {"hidden action passed upwards", {100, 2, 300, 401, 3, 600, 749, 9}, 6, arrowOn,
      {100, 2, 300, 401, 3, 600, 752, 0}, true},
    {"object past the last", {100, 2, 300, 401, 3, 600, 713, 4}, 7, leftPress, same, false},
    {"object back", {100, 2, 300, 401, 3, 600, 713, 4}, 7, rightPress, {100, 2, 300, 401, 3, 600, 713, 3}, false},
    {"object below 0", {100, 2, 300, 401, 0, 600, 713, 4}, 4, rightPress, same, false},
    {"letter z is the last", {111, 25, 300, 400, 0, 600, 774, 0}, 1, arrowOn, same, false},
    {"letter a is the first", {111, 0, 300, 400, 0, 600, 774, 0}, 1, arrowBack, same, false},
    {"letter on", {111, 7, 300, 400, 0, 600, 774, 0}, 1, leftPress, {111, 8, 300, 400, 0, 600, 774, 0}, false},
    {"global score 49 is the last", {126, 49, 300, 426, 0, 600, 713, 0}, 1, arrowOn, same, false},
    {"number not below 0", {132, 0, 300, 400, 0, 600, 713, 0}, 1, arrowBack, same, false},
    {"number without a top", {132, 99999, 300, 400, 0, 600, 713, 0}, 1, arrowOn,
      {132, 100000, 300, 400, 0, 600, 713, 0}, false},
    {"one map only", {100, 0, 300, 400, 0, 600, 770, 0}, 7, arrowOn, same, false},
    {"release changes nothing", {100, 0, 300, 400, 0, 600, 713, 2}, 7, leftRelease, same, false},
};

class WordPickingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        worldtest::makeWorld(1, 5);
        worldEditor.setEditorMode(editorModeObjectLogic);
        worldEditor.setCurrentObject(1);
    }
    void TearDown() override
    {
        gameSys.reset();
    }
    void setRule(int s, const steps& v)
    {
        while (world.mapLocalGetSentenceAmount(1, 0) <= s) world.mapLocalAddSentence(1, 0);
        for (int k = 0; k < 8; ++k) world.mapLocalChangeSentence(s, k, v[k], 1, 0);
    }
    steps rule(int s) const
    {
        steps v{};
        for (int k = 0; k < 8; ++k) v[k] = world.mapLocalGetWholeSentence(s, 1, 0).getSentenceStep(k);
        return v;
    }
    static void click(int s, int slot, clickKind how)
    {
        const bool arrow = how == arrowBack || how == arrowOn;
        const int left = how == leftRelease ? mouseButtonReleased : mouseButtonIdle;
        gameSys.setLeftMouse(arrow || how == leftPress ? mouseButtonPressed : left);
        gameSys.setRightMouse(how == rightPress ? mouseButtonPressed : mouseButtonIdle);
        if (arrow) gameSys.setKeyState(how == arrowBack ? keyLeft : keyRight, keyStatePressed);
        const unsigned char pixel[3] = {pickLogicWord, static_cast<unsigned char>(s), static_cast<unsigned char>(slot)};
        gameLogicColorPick(pixel);
        gameSys.resetKeyState();
    }
};

TEST_F(WordPickingTest, EachClickStepsWithinItsFamilyOrRange)
{
    for (const wordCase& c : wordCases) {
        worldEditor.setGLTimer(0, 0, 0);
        setRule(0, c.rule);
        click(0, c.slot, c.click);
        EXPECT_EQ(rule(0), c.expected == same ? c.rule : c.expected) << c.what;
        int timer = 0, s = -1, slot = -1;
        worldEditor.getGLTimer(timer, s, slot);
        EXPECT_EQ(timer == choiceListOpened && slot == c.slot, c.listOpens) << c.what;
    }
}

TEST_F(WordPickingTest, HoverRulesPastTheByteAndChoosers)
{
    setRule(299, {100, 2, 300, 401, 3, 600, 705, 1023});
    setRule(295, {100, 2, 300, 401, 3, 600, 713, 1});
    worldEditor.setTopSentence(290);
    gameSys.setHoverCheck(true);
    click(295, 7, rightPress);
    EXPECT_EQ(rule(295)[7], 1);
    gameSys.setHoverCheck(false);
    click(295, 7, rightPress);  // its green byte is 39, a row shown from rule 290
    EXPECT_EQ(rule(295)[7], 0);
    EXPECT_EQ(rule(39)[7], 0);

    click(299, 7, leftRelease);  // a phrase opens the selector on the rule's phrase
    EXPECT_EQ(worldEditor.getPhraseSelectorMenu(), 1);
    EXPECT_EQ(worldEditor.getPhraseSelectorChoice(), 1023);
    EXPECT_EQ(worldEditor.getCurrentSentence(), 299);
    setRule(299, {100, 2, 300, 401, 3, 600, 703, 6});
    click(299, 7, leftPress);
    EXPECT_EQ(worldEditor.getImageMenuTimer(), 1);
    EXPECT_EQ(rule(299)[7], 6);
}

}  // namespace
