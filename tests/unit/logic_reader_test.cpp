// The logic file reader in versions 0, 1 and 2: global and local rules,
// missing keys and words, maps without objects, counts cut to the rules held.
#include <gtest/gtest.h>

#include <vector>

#include "core/log.h"
#include "core/script.h"
#include "test_util.h"
#include "world/logic_reader.h"
#include "world_test_util.h"

namespace {

std::vector<int> stepsOf(const sentence& s)
{
    std::vector<int> v;
    for (int k = 0; k < sentenceStepCount; ++k) v.push_back(s.getSentenceStep(k));
    return v;
}

class LogicReaderTest : public ::testing::Test {
protected:
    testutil::TempDir dir;
    testutil::ScopedCwd cwd{dir.path()};

    void SetUp() override
    {
        worldtest::resetGlobals();
        worldtest::makeWorld(2, 2);
        world.setGameName("g");
        console = debugConsole();
    }
    void TearDown() override
    {
        scriptLogic.clear();
        worldtest::resetGlobals();
    }
    bool load(const std::string& text)
    {
        dir.write("games/g/system/logic.cfg", text);
        return loadGameLogic();
    }
};

TEST_F(LogicReaderTest, OneLinePerRule)
{
    ASSERT_TRUE(load("f version 1\nf map0sentencecount 1\ns map0sentence0 100 2 300 410 0 600 703 5 \n"
                     "f map1object1sentencecount 2\ns map1object1sentence0 101 1 301 400 0 600 713 1\n"
                     "s map1object1sentence1 129 x 300\n"));
    ASSERT_EQ(world.mapGlobalGetSentenceAmount(0), 1);
    const sentence g = world.mapGlobalGetWholeSentence(0, 0);
    EXPECT_EQ(stepsOf(g), std::vector<int>({100, 2, 300, 410, 0, 600, 703, 5}));
    EXPECT_EQ(g.getOwner(), 0);
    EXPECT_EQ(world.mapGlobalGetSentenceAmount(1), 0);

    ASSERT_EQ(world.mapLocalGetSentenceAmount(1, 1), 2);
    const sentence l0 = world.mapLocalGetWholeSentence(0, 1, 1);
    EXPECT_EQ(stepsOf(l0), std::vector<int>({101, 1, 301, 400, 0, 600, 713, 1}));
    EXPECT_EQ(l0.getOwner(), 1);
    // Missing words and words that are no number read 0.
    EXPECT_EQ(stepsOf(world.mapLocalGetWholeSentence(1, 1, 1)), std::vector<int>({129, 0, 300, 0, 0, 0, 0, 0}));
    EXPECT_EQ(world.mapLocalGetSentenceAmount(0, 1), 0);
}

TEST_F(LogicReaderTest, PerStepKeys)
{
    ASSERT_TRUE(load("f map0sentencecount 2\nf map0sentence0step4 -1\n"
                     "f map0sentence1step0 104\nf map0sentence1step6 715\nf map0sentence1step7 1\n"
                     "f map0object0sentencecount 1\nf map0object0sentence0step3 -7\n"));
    ASSERT_EQ(world.mapGlobalGetSentenceAmount(0), 2);
    EXPECT_EQ(stepsOf(world.mapGlobalGetWholeSentence(0, 0)), std::vector<int>(8, -1));
    EXPECT_EQ(stepsOf(world.mapGlobalGetWholeSentence(0, 1)), std::vector<int>({104, -1, -1, -1, -1, -1, 715, 1}));
    EXPECT_EQ(world.mapLocalGetWholeSentence(0, 0, 0).getSentenceStep(3), -7);
}

TEST_F(LogicReaderTest, LaterVersionsKeepDefaultRules)
{
    ASSERT_TRUE(load("f version 2\nf map0sentencecount 1\ns map0sentence0 100 2 300 410 0 600 703 5\n"));
    ASSERT_EQ(world.mapGlobalGetSentenceAmount(0), 1);
    EXPECT_EQ(stepsOf(world.mapGlobalGetWholeSentence(0, 0)), std::vector<int>({100, 0, 300, 400, 0, 600, 700, 0}));
}

TEST_F(LogicReaderTest, MapsWithoutObjectsTakeNoGlobalRules)
{
    world.allocateMaps(3);
    ASSERT_TRUE(load("f version 1\nf map2sentencecount 3\ns map2sentence0 101 0 300 400 0 600 713 0\n"
                     "f map0sentencecount 2.9\nf map1sentencecount -3\n"
                     "s map0sentence0 1\ns map0sentence1 2\ns map0sentence2 3\n"));
    EXPECT_EQ(world.mapGlobalGetSentenceAmount(2), 0);
    EXPECT_EQ(world.mapGlobalGetSentenceAmount(0), 2);
    EXPECT_EQ(world.mapGlobalGetSentenceAmount(1), 0);
}

// A missing file gives no rules; rules of objects and maps that do not exist are ignored.
TEST_F(LogicReaderTest, AMissingFileAndRulesOfMissingObjects)
{
    auto counts = [] {
        std::vector<int> v;
        for (int m = 0; m < 2; ++m)
            v.insert(v.end(), {world.mapGlobalGetSentenceAmount(m), world.mapLocalGetSentenceAmount(0, m),
                               world.mapLocalGetSentenceAmount(1, m)});
        return v;
    };
    EXPECT_FALSE(loadGameLogic());
    EXPECT_EQ(counts(), std::vector<int>(6, 0));
    ASSERT_TRUE(load("f version 1\nf map0object5sentencecount 1\nf map7sentencecount 1\n"));
    EXPECT_EQ(counts(), std::vector<int>(6, 0));
}

TEST_F(LogicReaderTest, CountsAreCutToTheRulesTheFileHolds)
{
    const struct {
        std::string file;
        int global, local;  // rules of map 1 and of its object 1
        std::string warning;
    } cases[] = {
        {"f version 1\nf map1sentencecount 3\ns map1sentence0 1\ns map1sentence2 3\n", 1, 0,
         "Map ^y1^w declares 3 rules but the file holds 1"},
        {"f map1object1sentencecount 2000000000\nf map1object1sentence0step7 5\nf map1object1sentence1step0 6\n", 0, 2,
         "Map ^y1^w object ^y1^w declares 2000000000 rules but the file holds 2"},
        {"f version 2\nf map1sentencecount 1\nf map1object1sentencecount 9\n", 0, 0,
         "Map ^y1^w object ^y1^w declares 9 rules but the file holds 0"},
        {"f version 1\nf map1sentencecount 2\ns map1sentence0 1\ns map1sentence1 2\n", 2, 0, ""},
    };
    for (const auto& c : cases) {
        SetUp();
        ASSERT_TRUE(load(c.file));
        EXPECT_EQ(world.mapGlobalGetSentenceAmount(1), c.global) << c.file;
        EXPECT_EQ(world.mapLocalGetSentenceAmount(1, 1), c.local) << c.file;
        if (c.warning.empty())
            EXPECT_FALSE(testutil::consoleHas("WARNING")) << c.file;
        else
            EXPECT_TRUE(testutil::consoleHas(QV_WARNING + c.warning)) << c.file;
    }
}

}  // namespace
