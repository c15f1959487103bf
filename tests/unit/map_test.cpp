// Objects and maps: clamps, label semantics of assignment and growth, grid
// resizing, fog, object copying at the limit and deletion with renumbering.
#include <gtest/gtest.h>

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
    int tex(int x, int y) const
    {
        int t = -99;
        map.mapGetTile(t, x, y);
        return t;
    }
};

TEST(ObjectTest, SizeClamps)
{
    gameObject o;
    o.setObject(1, 2, 3, 30, 0, -2, 4, 5);
    box b = objectValues(o);
    EXPECT_FLOAT_EQ(b.w, 25.0f);
    EXPECT_FLOAT_EQ(b.h, 0.01f);
    EXPECT_FLOAT_EQ(b.d, -2.0f);
    EXPECT_EQ(b.tex, 4);
    EXPECT_EQ(b.layer, 5);
    o.setObject(0, 0, 0, -1, 25.0f, 26, 0, 0);
    b = objectValues(o);
    EXPECT_FLOAT_EQ(b.w, 0.01f);
    EXPECT_FLOAT_EQ(b.h, 25.0f);
    EXPECT_FLOAT_EQ(b.d, 25.0f);
    o.setObject(0, 0, 0, 1, 25.5f, 1, 0, 0);
    EXPECT_FLOAT_EQ(objectValues(o).h, 25.0f);
}

TEST(ObjectTest, ObstructionScoreAndTypeClamps)
{
    gameObject o;
    float w, h, d;
    o.setObstructionSize(30, 2, 0);
    o.getObstructionSize(w, h, d);
    EXPECT_EQ(w, 1.0f);
    EXPECT_EQ(h, 1.0f);
    EXPECT_EQ(d, 1.0f);
    o.setObstructionSize(30, 2, 3);
    o.getObstructionSize(w, h, d);
    EXPECT_EQ(w, 25.0f);
    EXPECT_EQ(h, 2.0f);
    EXPECT_EQ(d, 3.0f);
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
    int w, h;
    std::string name;
    map.getMap(w, h, name);
    EXPECT_EQ(w, 10);
    EXPECT_EQ(h, 10);
    EXPECT_EQ(name, "Ten");
    map.setMap(700, 1, "Wide");
    map.getMap(w, h, name);
    EXPECT_EQ(w, 700);
    map.setMap(0, 0, "A");
    map.getMap(w, h, name);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(name, "A");
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
    int t = -1;
    other.mapGetTile(t, 4, 4);
    EXPECT_EQ(t, 7);
    other.mapGetTile(t, 5, 4);
    EXPECT_EQ(t, 0);
    other.mapGetTile(t, 9, 9);
    EXPECT_EQ(t, 0);
}

TEST_F(MapTest, TilesOutsideTheGrid)
{
    map.setMap(3, 2, "M");
    map.mapSetTile(5, 3, 0);
    map.mapSetTile(5, -1, 0);
    map.mapSetTileHeight(2.0f, 0, 2);
    EXPECT_EQ(tex(3, 0), -99);
    EXPECT_EQ(map.mapGetTileHeight(3, 0), 0.0f);
    EXPECT_EQ(map.mapGetTileHeight(0, -1), 0.0f);
    EXPECT_EQ(map.mapGetTileHeight(-1, 0), 0.0f);
    map.mapSetTileHeight(-2.5f, 2, 1);
    EXPECT_EQ(map.mapGetTileHeight(2, 1), -2.5f);
}

TEST_F(MapTest, FogTakesEachValueInRangeOnItsOwn)
{
    map.mapSetFog(true, 0.5f, 0.2f, 0.3f, 0.4f);
    map.mapSetFog(true, 0.05f, 0.5f, 0.0f, 1.0f);
    bool on;
    float d, r, g, b;
    map.mapGetFog(on, d, r, g, b);
    EXPECT_TRUE(on);
    EXPECT_FLOAT_EQ(d, 0.5f);
    EXPECT_FLOAT_EQ(r, 0.5f);
    EXPECT_FLOAT_EQ(g, 0.3f);
    EXPECT_FLOAT_EQ(b, 1.0f);
    map.mapSetFog(false, 0.1f, 1.1f, 0.1f, -1.0f);
    map.mapGetFog(on, d, r, g, b);
    EXPECT_FALSE(on);
    EXPECT_FLOAT_EQ(d, 0.1f);
    EXPECT_FLOAT_EQ(r, 0.5f);
    EXPECT_FLOAT_EQ(g, 0.1f);
    EXPECT_FLOAT_EQ(b, 1.0f);
}

TEST_F(MapTest, ObjectAppendAndBadIndices)
{
    map.mapSetObject(0, 0, 0, 1, 1, 1, 0, 0, 1);  // beyond the count
    map.mapSetObject(0, 0, 0, 1, 1, 1, 0, 0, -1);
    EXPECT_EQ(map.mapGetObjectCount(), 0);
    addObjects(2);
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

TEST_F(MapTest, GlobalRulesNeedObjects)
{
    EXPECT_TRUE(map.globalAddSentence());
    EXPECT_EQ(map.globalGetSentenceAmount(), 0);
    addObjects(1);
    EXPECT_FALSE(map.globalAddSentence());
    EXPECT_EQ(map.globalGetSentenceAmount(), 1);
}

TEST_F(MapTest, LocalRulesAreOwnedByTheirObject)
{
    addObjects(3);
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

TEST_F(MapTest, CopyOfAMissingObjectChangesNothing)
{
    addObjects(2);
    map.mapCopyObject(2);
    map.mapCopyObject(-1);
    EXPECT_EQ(map.mapGetObjectCount(), 2);
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

    sentence g = map.globalGetWholeSentence(0);
    EXPECT_EQ(g.getSentenceStep(sentenceStepConditionValue), 3);
    EXPECT_EQ(g.getSentenceStep(sentenceStepPredicateValue), 2);
    EXPECT_EQ(g.getSentenceStep(sentenceStepActionValue), 3);
    g = map.globalGetWholeSentence(1);
    EXPECT_EQ(g.getSentenceStep(sentenceStepConditionValue), 0);
    EXPECT_EQ(g.getSentenceStep(sentenceStepPredicateValue), 1);
    EXPECT_EQ(g.getSentenceStep(sentenceStepActionValue), 0);
    g = map.globalGetWholeSentence(2);  // numbers and sounds are no objects
    EXPECT_EQ(g.getSentenceStep(sentenceStepConditionValue), 4);
    EXPECT_EQ(g.getSentenceStep(sentenceStepPredicateValue), 4);
    EXPECT_EQ(g.getSentenceStep(sentenceStepActionValue), 4);

    ASSERT_EQ(map.mapLocalGetSentenceAmount(3), 2);
    sentence own = map.mapLocalGetWholeSentence(0, 3);
    EXPECT_EQ(own.getOwner(), 3);
    EXPECT_EQ(own.getSentenceStep(sentenceStepActionValue), 3);
    own = map.mapLocalGetWholeSentence(1, 3);
    EXPECT_EQ(own.getOwner(), 3);
    EXPECT_EQ(own.getSentenceStep(sentenceStepPredicateValue), 2);
    EXPECT_EQ(own.getSentenceStep(sentenceStepActionValue), 2);
    const sentence fromOne = map.mapLocalGetWholeSentence(0, 1);
    EXPECT_EQ(fromOne.getOwner(), 1);
    EXPECT_EQ(fromOne.getSentenceStep(sentenceStepActionValue), 0);

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
    target.mapSetObject(0, 0, 0, 1, 1, 1, 0, 0, 0);
    target.mapSetObject(0, 0, 0, 1, 1, 1, 0, 0, 1);
    target.mapSetObject(0, 0, 0, 1, 1, 1, 0, 0, 2);
    target.mapSetObjectLabel(5, 1);
    target = map;

    int w, h, t = -1;
    std::string name;
    target.getMap(w, h, name);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 3);
    EXPECT_EQ(name, "Source");
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
