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

// Each pair: a name after the numbering, the name that file had before.
void expectMoved(const testutil::TempDir& dir, const std::string& folder,
                 const std::vector<std::pair<std::string, std::string>>& moves)
{
    for (const auto& [now, was] : moves) EXPECT_EQ(dir.read(folder + "/" + now), "content of " + was) << now;
}

std::vector<std::string> numberImages(const testutil::TempDir& dir, const std::string& folder)
{
    testutil::ScopedCwd cwd(dir.path());
    return numberFolder({folder + "/", imageNumberFirst, ""});
}

TEST(NumberedNames, ExtensionIsWhatFollowsTheFirstDot)
{
    for (auto [name, ext] : {std::pair{"grass.jpg", "jpg"}, {"tree.final.png", "final.png"}, {"readme", "readme"}})
        EXPECT_EQ(entryExtension(name), ext) << name;
}

TEST(NumberedNames, NewFolderIsNumberedInNameOrderAndKeepsItsNamesOnTheNextLoad)
{
    testutil::TempDir dir;
    makeFiles(dir, "ui", {"c.jpg", "a.jpg", "b.png", "tree.old.png", "readme"});
    const std::vector<std::string> first = numberImages(dir, "ui");
    EXPECT_EQ(first, std::vector<std::string>({"10000.jpg", "10001.png", "10002.jpg", "10003.readme",
                                                "10004.old.png"}));
    expectMoved(dir, "ui", {{"10000.jpg", "a.jpg"}, {"10003.readme", "readme"}, {"10004.old.png", "tree.old.png"}});

    EXPECT_EQ(numberImages(dir, "ui"), first);
    EXPECT_EQ(namesIn(dir, "ui"), std::set<std::string>(first.begin(), first.end()));
}

TEST(NumberedNames, RemovingAnEntryMovesTheLaterOnesDown)
{
    testutil::TempDir dir;
    makeFiles(dir, "map", {"10000.jpg", "10001.jpg", "10002.jpg", "10003.jpg"});
    fs::remove(dir.path() / "map/10001.jpg");
    EXPECT_EQ(numberImages(dir, "map"), std::vector<std::string>({"10000.jpg", "10001.jpg", "10002.jpg"}));
    expectMoved(dir, "map", {{"10001.jpg", "10002.jpg"}, {"10002.jpg", "10003.jpg"}});
}

TEST(NumberedNames, NumberedEntriesKeepTheirNumbersWhenNewNamesSortBeforeThem)
{
    testutil::TempDir dir;
    // 0.jpg and 9.png sort before the numbered names; a plain rename of them
    // in name order would land on 10000.jpg and overwrite it.
    makeFiles(dir, "ui", {"0.jpg", "9.png", "10000.jpg", "10001.png", "zebra.jpg"});
    const std::vector<std::string> names = numberImages(dir, "ui");
    ASSERT_EQ(names, std::vector<std::string>({"10000.jpg", "10001.png", "10002.jpg", "10003.png", "10004.jpg"}));
    expectMoved(dir, "ui", {{"10000.jpg", "10000.jpg"}, {"10001.png", "10001.png"}, {"10002.jpg", "0.jpg"},
                            {"10003.png", "9.png"}, {"10004.jpg", "zebra.jpg"}});
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
    expectMoved(dir, "map", {{"10000.jpg", "10000.jpg"}, {"10001.png", "10000.png"}, {"10002.png", "10001.png"},
                             {"10003.png", "10002.png"}, {"10004.bmp", "10004.bmp"}});
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
    expectMoved(dir, "sound", {{"1000.wav", "1000.ogg"}, {"1001.wav", "door.ogg"}, {"1002.wav", "hit.wav"},
                               {"1003.wav", "shot.wav"}});
    EXPECT_EQ(numberFolder(folder), names);
}

TEST(NumberedNames, MissingFolderGivesNoEntries) { EXPECT_TRUE(numberImages(testutil::TempDir(), "nothing").empty()); }

}  // namespace
