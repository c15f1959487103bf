// Numbered renaming of image and sound folders: order, extensions, stable
// names on a second load, renumbering after a removal, and collisions that
// must never overwrite a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "media/numbered_names.h"
#include "tests/unit/test_util.h"

namespace {

namespace fs = boost::filesystem;

std::set<std::string> namesIn(const testutil::TempDir& dir, const std::string& folder)
{
    std::set<std::string> names;
    for (fs::directory_iterator it(dir.path() / folder), end; it != end; ++it)
        names.insert(it->path().filename().string());
    return names;
}

// Each file holds its own original name, so a lost or overwritten file shows.
void makeFiles(const testutil::TempDir& dir, const std::string& folder, const std::vector<std::string>& names)
{
    for (const std::string& name : names) dir.write(folder + "/" + name, "content of " + name);
}

std::vector<std::string> numberImages(const testutil::TempDir& dir, const std::string& folder)
{
    testutil::ScopedCwd cwd(dir.path());
    return numberFolder({folder + "/", imageNumberFirst, ""});
}

TEST(NumberedNames, ExtensionIsWhatFollowsTheFirstDot)
{
    EXPECT_EQ(entryExtension("grass.jpg"), "jpg");
    EXPECT_EQ(entryExtension("tree.final.png"), "final.png");
    EXPECT_EQ(entryExtension("readme"), "readme");
}

TEST(NumberedNames, NewFolderIsNumberedInNameOrderAndKeepsItsNamesOnTheNextLoad)
{
    testutil::TempDir dir;
    makeFiles(dir, "ui", {"c.jpg", "a.jpg", "b.png", "tree.old.png", "readme"});
    const std::vector<std::string> first = numberImages(dir, "ui");
    EXPECT_EQ(first, std::vector<std::string>({"10000.jpg", "10001.png", "10002.jpg", "10003.readme",
                                                "10004.old.png"}));
    EXPECT_EQ(dir.read("ui/10000.jpg"), "content of a.jpg");
    EXPECT_EQ(dir.read("ui/10003.readme"), "content of readme");
    EXPECT_EQ(dir.read("ui/10004.old.png"), "content of tree.old.png");

    EXPECT_EQ(numberImages(dir, "ui"), first);
    EXPECT_EQ(namesIn(dir, "ui"), std::set<std::string>(first.begin(), first.end()));
}

TEST(NumberedNames, RemovingAnEntryMovesTheLaterOnesDown)
{
    testutil::TempDir dir;
    makeFiles(dir, "map", {"10000.jpg", "10001.jpg", "10002.jpg", "10003.jpg"});
    fs::remove(dir.path() / "map/10001.jpg");
    EXPECT_EQ(numberImages(dir, "map"), std::vector<std::string>({"10000.jpg", "10001.jpg", "10002.jpg"}));
    EXPECT_EQ(dir.read("map/10001.jpg"), "content of 10002.jpg");
    EXPECT_EQ(dir.read("map/10002.jpg"), "content of 10003.jpg");
}

TEST(NumberedNames, NumberedEntriesKeepTheirNumbersWhenNewNamesSortBeforeThem)
{
    testutil::TempDir dir;
    // 0.jpg and 9.png sort before the numbered names; a plain rename of them
    // in name order would land on 10000.jpg and overwrite it.
    makeFiles(dir, "ui", {"0.jpg", "9.png", "10000.jpg", "10001.png", "zebra.jpg"});
    const std::vector<std::string> names = numberImages(dir, "ui");
    ASSERT_EQ(names, std::vector<std::string>({"10000.jpg", "10001.png", "10002.jpg", "10003.png", "10004.jpg"}));
    EXPECT_EQ(dir.read("ui/10000.jpg"), "content of 10000.jpg");
    EXPECT_EQ(dir.read("ui/10001.png"), "content of 10001.png");
    EXPECT_EQ(dir.read("ui/10002.jpg"), "content of 0.jpg");
    EXPECT_EQ(dir.read("ui/10003.png"), "content of 9.png");
    EXPECT_EQ(dir.read("ui/10004.jpg"), "content of zebra.jpg");
    EXPECT_EQ(namesIn(dir, "ui").size(), 5u);
}

TEST(NumberedNames, EntriesWhoseTargetsAreTakenMoveThroughTemporaryNames)
{
    testutil::TempDir dir;
    // Two entries share number 10000: the second must become 10001.png,
    // a name held by the entry that itself moves on to 10002.png, and so on.
    makeFiles(dir, "map", {"10000.jpg", "10000.png", "10001.png", "10002.png", "10004.bmp"});
    const std::vector<std::string> names = numberImages(dir, "map");
    ASSERT_EQ(names, std::vector<std::string>({"10000.jpg", "10001.png", "10002.png", "10003.png", "10004.bmp"}));
    EXPECT_EQ(dir.read("map/10000.jpg"), "content of 10000.jpg");
    EXPECT_EQ(dir.read("map/10001.png"), "content of 10000.png");
    EXPECT_EQ(dir.read("map/10002.png"), "content of 10001.png");
    EXPECT_EQ(dir.read("map/10003.png"), "content of 10002.png");
    EXPECT_EQ(dir.read("map/10004.bmp"), "content of 10004.bmp");
    EXPECT_EQ(namesIn(dir, "map").size(), 5u);  // no temporary name left behind
}

TEST(NumberedNames, SoundsAllTakeTheWavExtensionFromTheirOwnFirstNumber)
{
    testutil::TempDir dir;
    makeFiles(dir, "sound", {"shot.wav", "door.ogg", "hit.wav", "1000.ogg"});
    testutil::ScopedCwd cwd(dir.path());
    const numberedFolder folder{"sound/", soundNumberFirst, soundExtension};
    const std::vector<std::string> names = numberFolder(folder);
    // 1000.ogg is not a numbered sound (every sound is ".wav"): it takes its
    // place in name order with the others.
    ASSERT_EQ(names, std::vector<std::string>({"1000.wav", "1001.wav", "1002.wav", "1003.wav"}));
    EXPECT_EQ(dir.read("sound/1000.wav"), "content of 1000.ogg");
    EXPECT_EQ(dir.read("sound/1001.wav"), "content of door.ogg");
    EXPECT_EQ(dir.read("sound/1002.wav"), "content of hit.wav");
    EXPECT_EQ(dir.read("sound/1003.wav"), "content of shot.wav");
    EXPECT_EQ(numberFolder(folder), names);
}

TEST(NumberedNames, MissingFolderGivesNoEntries)
{
    testutil::TempDir dir;
    EXPECT_TRUE(numberImages(dir, "nothing").empty());
}

}  // namespace
