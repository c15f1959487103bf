// Objects and maps: clamps, label semantics of assignment and growth, grid
// resizing, fog, object copying at the limit and deletion with renumbering.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "logic/steps.h"
#include "world/map.h"
#include "world/object.h"
#include "world_test_util.h"

namespace {

struct box {
    float x, y, z, w, h, d;
    int tex, layer;
};

box objectValues(const gameObject& o)
{
    box b;
    o.getObject(b.x, b.y, b.z, b.w, b.h, b.d, b.tex, b.layer);
    return b;
}

box mapObjectValues(const gameMap& m, int o)
{
    box b{-9, -9, -9, -9, -9, -9, -9, -9};
    m.mapGetObject(b.x, b.y, b.z, b.w, b.h, b.d, b.tex, b.layer, o);
    return b;
}

class MapTest : public ::testing::Test {
protected:

    gameMap map;
    void addObjects(int n)
    {
        for (int o = map.mapGetObjectCount(), end = o + n; o < end; ++o)
            map.mapSetObject(float(o), 0, 0, 1, 1, 1, o, 0, o);
    }
    std::string sizeAndName(const gameMap& m) const
    {
        int w, h;
        std::string name;
        m.getMap(w, h, name);
        return std::to_string(w) + "x" + std::to_string(h) + " " + name;
    }
    std::string sizeAndName() const { return sizeAndName(map); }
    int tex(int x, int y) const
    {
        int t = -99;
        map.mapGetTile(t, x, y);
        return t;
    }
};

TEST(ObjectTest, SizeClamps)
{
    const struct {
        float w, h, d;
        std::vector<float> want;  // w, h, d, tex, layer
    } rows[] = {{30, 0, -2, {25, 0.01f, -2, 4, 5}}, {-1, 25, 26, {0.01f, 25, 25, 4, 5}}, {1, 25.5f, 1, {1, 25, 1, 4, 5}}};
    for (const auto& r : rows) {
        gameObject o;
        o.setObject(1, 2, 3, r.w, r.h, r.d, 4, 5);
        const box b = objectValues(o);
        EXPECT_EQ(std::vector<float>({b.w, b.h, b.d, float(b.tex), float(b.layer)}), r.want) << r.w << ' ' << r.h;
    }
}

TEST(ObjectTest, ObstructionScoreAndTypeClamps)
{
    gameObject o;
    float w, h, d;
    o.setObstructionSize(30, 2, 0);
    o.getObstructionSize(w, h, d);
    EXPECT_EQ(std::vector<float>({w, h, d}), std::vector<float>({1, 1, 1}));
    o.setObstructionSize(30, 2, 3);
    o.getObstructionSize(w, h, d);
    EXPECT_EQ(std::vector<float>({w, h, d}), std::vector<float>({25, 2, 3}));
    o.setObjectScore(-5);
    EXPECT_EQ(o.getObjectScore(), 0);
    o.setObjectType(-1);
    EXPECT_EQ(o.getObjectType(), objectTypeCube);
    o.setObjectType(7);
    EXPECT_EQ(o.getObjectType(), objectTypeBillboard);
}

TEST(ObjectTest, AssignmentKeepsTheLabelAndCopiesRulesDeeply)
{
    gameObject a, b;
    a.setObject(1, 2, 3, 4, 5, 6, 7, 8);
    a.setObjectLabel(4);
    a.setObjectName("door");
    a.setObjectScore(12);
    a.setObjectLife(false);
    a.setRot(10, 20, 30);
    a.localAddSentence();
    b.setObjectLabel(9);
    b = a;
    EXPECT_EQ(b.getObjectLabel(), 9);
    EXPECT_EQ(b.getObjectName(), "door");
    EXPECT_EQ(b.getObjectScore(), 12);
    EXPECT_FALSE(b.getObjectLife());
    EXPECT_EQ(objectValues(b).layer, 8);
    float rx, ry, rz;
    b.getRot(rx, ry, rz);
    EXPECT_EQ(ry, 20.0f);
    ASSERT_EQ(b.localGetSentenceAmount(), 1);
    b.localChangeSentence(0, 0, 101);
    EXPECT_EQ(a.localGetWholeSentence(0).getSentenceStep(0), 100);
    b = b;
    EXPECT_EQ(b.getObjectLabel(), 9);
}

TEST_F(MapTest, SetMapBoundsAndRename)
{
    map.setMap(10, 10, "Ten");
    map.setMap(701, 10, "A");
    map.setMap(-1, 10, "A");
    map.setMap(10, 701, "A");
    EXPECT_EQ(sizeAndName(), "10x10 Ten");
    map.setMap(700, 1, "Wide");
    EXPECT_EQ(sizeAndName(), "700x1 Wide");
    map.setMap(0, 0, "A");
    EXPECT_EQ(sizeAndName(), "0x0 A");
    EXPECT_EQ(tex(0, 0), -99);
}

TEST_F(MapTest, ResizeKeepsOnlyTheCommonArea)
{
    map.setMap(10, 10, "M");
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y) {
            map.mapSetTile(x * 10 + y + 1, x, y);
            map.mapSetTileHeight(float(x + y + 1), x, y);
        }
    map.setMap(5, 20, "M");
    EXPECT_EQ(tex(4, 9), 50);
    EXPECT_EQ(map.mapGetTileHeight(4, 9), 14.0f);
    EXPECT_EQ(tex(4, 10), 0);
    EXPECT_EQ(map.mapGetTileHeight(0, 19), 0.0f);
    EXPECT_EQ(tex(5, 0), -99);

    gameMap other;
    other.setMap(10, 10, "M");
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y) other.mapSetTile(7, x, y);
    other.setMap(5, 5, "M");
    other.setMap(10, 10, "M");
    for (auto [x, y, want] : {std::tuple{4, 4, 7}, {5, 4, 0}, {9, 9, 0}}) {
        int t = -1;
        other.mapGetTile(t, x, y);
        EXPECT_EQ(t, want) << x << ' ' << y;
    }
}

// The world's tile budget counts width x height: a map holds exactly that
// many tiles after any resize, a shrink included.
TEST_F(MapTest, AResizedMapHoldsOnlyTheTilesOfItsSize)
{
    for (auto [w, h] : {std::pair{700, 700}, {10, 10}, {700, 1}, {5, 5}, {5, 5}, {0, 0}, {3, 4}}) {
        map.setMap(w, h, "M");
        EXPECT_EQ(map.mapTilesHeld(), static_cast<long long>(w) * h) << w << 'x' << h;
    }
}

TEST_F(MapTest, TilesOutsideTheGrid)
{
    map.setMap(3, 2, "M");
    map.mapSetTile(5, 3, 0);
    map.mapSetTile(5, -1, 0);
    map.mapSetTileHeight(2.0f, 0, 2);
    EXPECT_EQ(tex(3, 0), -99);
    EXPECT_EQ(std::vector<float>({map.mapGetTileHeight(3, 0), map.mapGetTileHeight(0, -1), map.mapGetTileHeight(-1, 0)}),
              std::vector<float>(3, 0.0f));
    map.mapSetTileHeight(-2.5f, 2, 1);
    EXPECT_EQ(map.mapGetTileHeight(2, 1), -2.5f);
}

TEST_F(MapTest, FogTakesEachValueInRangeOnItsOwn)
{
    map.mapSetFog(true, 0.5f, 0.2f, 0.3f, 0.4f);
    map.mapSetFog(true, 0.05f, 0.5f, 0.0f, 1.0f);
    auto fog = [&] {
        bool on;
        float d, r, g, b;
        map.mapGetFog(on, d, r, g, b);
        return std::vector<float>({float(on), d, r, g, b});
    };
    EXPECT_EQ(fog(), std::vector<float>({1, 0.5f, 0.5f, 0.3f, 1}));
    map.mapSetFog(false, 0.1f, 1.1f, 0.1f, -1.0f);
    EXPECT_EQ(fog(), std::vector<float>({0, 0.1f, 0.5f, 0.1f, 1}));
}

TEST_F(MapTest, ObjectAppendAndBadIndices)
{
    map.mapSetObject(0, 0, 0, 1, 1, 1, 0, 0, 1);  // beyond the count
    map.mapSetObject(0, 0, 0, 1, 1, 1, 0, 0, -1);
    EXPECT_EQ(map.mapGetObjectCount(), 0);
    addObjects(2);
    map.mapCopyObject(2);  // a copy of a missing object changes nothing
    map.mapCopyObject(-1);
    EXPECT_EQ(map.mapGetObjectCount(), 2);
    EXPECT_EQ(mapObjectValues(map, 1).tex, 1);
    EXPECT_EQ(mapObjectValues(map, 2).tex, -9);
    EXPECT_EQ(map.mapGetObjectName(2), "");
    EXPECT_FALSE(map.mapGetObjectLife(2));
    EXPECT_FALSE(map.mapGetObjectVisible(-1));
    EXPECT_EQ(map.mapGetObjectLabel(5), 0);
    EXPECT_EQ(map.mapLocalGetSentenceAmount(2), -1);
    EXPECT_FALSE(map.mapLocalAddSentence(2));
}

TEST_F(MapTest, AppendingClearsEveryLabel)
{
    addObjects(3);
    map.mapSetObjectLabel(4, 0);
    map.mapSetObjectLabel(7, 2);
    EXPECT_EQ(map.mapGetObjectLabel(2), 7);
    addObjects(1);
    for (int o = 0; o < 4; ++o) EXPECT_EQ(map.mapGetObjectLabel(o), -1) << o;
}

TEST_F(MapTest, GlobalRulesNeedObjectsAndLocalOnesAreOwned)
{
    EXPECT_TRUE(map.globalAddSentence());
    EXPECT_EQ(map.globalGetSentenceAmount(), 0);
    addObjects(1);
    EXPECT_FALSE(map.globalAddSentence());
    EXPECT_EQ(map.globalGetSentenceAmount(), 1);
    // Local rules are owned by their object.
    addObjects(2);
    EXPECT_TRUE(map.mapLocalAddSentence(2));
    EXPECT_EQ(map.mapLocalGetWholeSentence(0, 2).getOwner(), 2);
    map.mapLocalSetSentenceTimer(40, 0, 2);
    EXPECT_EQ(map.mapLocalGetSentenceTimer(0, 2), 40);
    EXPECT_EQ(map.mapLocalGetSentenceTimer(1, 2), -1);
}

TEST_F(MapTest, CopyObjectUpToTheLimit)
{
    addObjects(mapReaderMaxObjects - 1);
    map.mapSetObjectName("crate", 5);
    map.mapSetObjectType(objectTypeBillboard, 5);
    map.mapSetObjectVisible(false, 5);
    map.mapLocalAddSentence(5);
    map.mapLocalChangeSentence(0, sentenceStepAction, stepKillObject, 5);
    map.mapLocalChangeSentence(0, sentenceStepActionValue, 5, 5);
    worldEditor.setCurrentObject(5);

    map.mapCopyObject(5);
    const int n = mapReaderMaxObjects - 1;
    ASSERT_EQ(map.mapGetObjectCount(), mapReaderMaxObjects);
    EXPECT_EQ(worldEditor.getCurrentObject(), n);
    EXPECT_FLOAT_EQ(mapObjectValues(map, n).x, 6.0f);
    EXPECT_EQ(mapObjectValues(map, n).tex, 5);
    EXPECT_EQ(map.mapGetObjectName(n), "crate");
    EXPECT_EQ(map.mapGetObjectType(n), objectTypeBillboard);
    EXPECT_FALSE(map.mapGetObjectVisible(n));
    EXPECT_EQ(map.mapGetObjectLabel(n), -1);
    const sentence copied = map.mapLocalGetWholeSentence(0, n);
    EXPECT_EQ(copied.getOwner(), n);
    EXPECT_EQ(copied.getSentenceStep(sentenceStepActionValue), n);  // "self" follows the copy
    EXPECT_EQ(map.mapLocalGetWholeSentence(0, 5).getSentenceStep(sentenceStepActionValue), 5);

    map.mapCopyObject(5);  // full
    EXPECT_EQ(map.mapGetObjectCount(), mapReaderMaxObjects);
    EXPECT_EQ(worldEditor.getCurrentObject(), n);
}

// Deleting object 2 of five renumbers every object reference of the map's
// rules: later objects move down one, the deleted one becomes object 0.
TEST_F(MapTest, DeleteRenumbersEveryObjectReference)
{
    addObjects(5);
    auto globalRule = [&](int cond, int condValue, int pred, int predValue, int action, int actionValue) {
        map.globalAddSentence();
        const int s = map.globalGetSentenceAmount() - 1;
        const int steps[] = {cond, condValue, 300, pred, predValue, 600, action, actionValue};
        for (int k = 0; k < 8; ++k) map.globalChangeSentence(s, k, steps[k]);
    };
    globalRule(stepWhenObject, 4, stepTouching, 3, stepKillObject, 4);
    globalRule(stepWhenObject, 2, stepTouching, 1, stepKillObject, 2);
    globalRule(stepEverySeconds, 4, stepScoreMoreThan, 4, stepPlaySound, 4);

    // Object 4's own rule acting on itself and on object 3; object 1 aims at 2.
    map.mapLocalAddSentence(4);
    map.mapLocalAddSentence(4);
    map.mapLocalChangeSentence(0, sentenceStepAction, stepHideObject, 4);
    map.mapLocalChangeSentence(0, sentenceStepActionValue, 4, 4);
    map.mapLocalChangeSentence(1, sentenceStepPredicateValue, 3, 4);
    map.mapLocalChangeSentence(1, sentenceStepAction, stepKillObject, 4);
    map.mapLocalChangeSentence(1, sentenceStepActionValue, 3, 4);
    map.mapLocalAddSentence(1);
    map.mapLocalChangeSentence(0, sentenceStepAction, stepKillObject, 1);
    map.mapLocalChangeSentence(0, sentenceStepActionValue, 2, 1);
    map.mapSetObjectLabel(6, 2);
    worldEditor.setCurrentObject(2);  // the editor deletes its current object

    ASSERT_TRUE(map.mapDeleteObject(2));
    ASSERT_EQ(map.mapGetObjectCount(), 4);
    EXPECT_EQ(mapObjectValues(map, 2).tex, 3);
    EXPECT_EQ(mapObjectValues(map, 3).tex, 4);
    EXPECT_EQ(map.mapGetObjectLabel(2), 6);  // a moved object takes the label of its new place

    // owner, condition value, predicate value, action value
    auto values = [](const sentence& r) {
        return std::vector<int>({r.getOwner(), r.getSentenceStep(sentenceStepConditionValue),
                                 r.getSentenceStep(sentenceStepPredicateValue), r.getSentenceStep(sentenceStepActionValue)});
    };
    const int globalOwner = map.globalGetWholeSentence(0).getOwner();
    EXPECT_EQ(values(map.globalGetWholeSentence(0)), std::vector<int>({globalOwner, 3, 2, 3}));
    EXPECT_EQ(values(map.globalGetWholeSentence(1)), std::vector<int>({globalOwner, 0, 1, 0}));
    // numbers and sounds are no objects
    EXPECT_EQ(values(map.globalGetWholeSentence(2)), std::vector<int>({globalOwner, 4, 4, 4}));
    ASSERT_EQ(map.mapLocalGetSentenceAmount(3), 2);
    EXPECT_EQ(values(map.mapLocalGetWholeSentence(0, 3)), std::vector<int>({3, 0, 0, 3}));
    EXPECT_EQ(values(map.mapLocalGetWholeSentence(1, 3)), std::vector<int>({3, 0, 2, 2}));
    EXPECT_EQ(values(map.mapLocalGetWholeSentence(0, 1)), std::vector<int>({1, 0, 0, 0}));

    EXPECT_FALSE(map.mapDeleteObject(4));
    EXPECT_FALSE(map.mapDeleteObject(-1));
    EXPECT_EQ(map.mapGetObjectCount(), 4);
}

TEST_F(MapTest, DeleteThenAppendGivesAFreshObject)
{
    addObjects(3);
    map.mapSetObjectName("last", 2);
    map.mapLocalAddSentence(2);
    map.mapDeleteObject(2);
    map.mapSetObject(0, 0, 0, 1, 1, 1, 0, 0, 2);
    EXPECT_EQ(map.mapGetObjectName(2), "Object");
    EXPECT_EQ(map.mapLocalGetSentenceAmount(2), 0);
}

TEST_F(MapTest, AssignmentCopiesEverythingAndKeepsReusedLabels)
{
    map.setMap(4, 3, "Source");
    map.mapSetTile(9, 3, 2);
    map.mapSetTileHeight(1.5f, 0, 1);
    map.mapSetFog(true, 0.3f, 0.2f, 0.2f, 0.2f);
    map.setSkybox(1, 2, 3, 4, 5, 6);
    map.mapSetTileStretch(true);
    map.setMapLayerCount(3);
    addObjects(2);
    map.globalAddSentence();

    gameMap target;
    target.setMap(8, 8, "Big");
    target.mapSetTile(4, 7, 7);
    for (int o = 0; o < 3; ++o) target.mapSetObject(0, 0, 0, 1, 1, 1, 0, 0, o);
    target.mapSetObjectLabel(5, 1);
    target = map;

    int t = -1;
    EXPECT_EQ(sizeAndName(target), "4x3 Source");
    target.mapGetTile(t, 3, 2);
    EXPECT_EQ(t, 9);
    EXPECT_EQ(target.mapGetTileHeight(0, 1), 1.5f);
    EXPECT_EQ(target.mapGetObjectCount(), 2);
    EXPECT_EQ(target.mapGetObjectLabel(1), 5);
    EXPECT_EQ(target.globalGetSentenceAmount(), 1);
    EXPECT_TRUE(target.mapGetTileStretch());
    EXPECT_EQ(target.getMapLayerCount(), 3);
    int s[6];
    target.getSkybox(s[0], s[1], s[2], s[3], s[4], s[5]);
    EXPECT_EQ(s[5], 6);

    // The copy shares the tiles until one of the two changes one.
    map.mapSetTile(1, 3, 2);
    target.mapSetTileHeight(4.0f, 0, 1);
    target.mapGetTile(t, 3, 2);
    EXPECT_EQ(t, 9);
    EXPECT_EQ(map.mapGetTileHeight(0, 1), 1.5f);
    // A grid of another size is refused; one of the map's size is taken whole.
    EXPECT_FALSE(target.mapSetTileGrid(tileGrid(3, 4)));
    EXPECT_TRUE(target.mapSetTileGrid(tileGrid(4, 3)));
    EXPECT_EQ(target.mapGetTileHeight(0, 1), 0.0f);
    map.mapSetTile(9, 3, 2);

    // Growing past its old grid and objects gives every object label -1.
    gameMap small;
    small.mapSetObject(0, 0, 0, 1, 1, 1, 0, 0, 0);
    small.mapSetObjectLabel(3, 0);
    small = map;
    EXPECT_EQ(small.mapGetObjectLabel(0), -1);
    small.mapGetTile(t, 3, 2);
    EXPECT_EQ(t, 9);
}

}  // namespace
