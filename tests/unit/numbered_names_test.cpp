// Numbered renaming of image and sound folders: order, extensions, stable
// names on a second load, renumbering after a removal, collisions that must
// never overwrite a file, numbers held by entries that never move, renames
// that fail, and files a walk cut short left set aside.
#include <gtest/gtest.h>
#include <sys/stat.h>

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
    testing::internal::CaptureStdout();
    const std::vector<std::string> names = numberImages(dir, "map");
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_EQ(names, std::vector<std::string>({"10000.jpg", "10001.png", "10002.png", "10003.png", "10004.bmp"}));
    expectMoved(dir, "map", {{"10000.jpg", "10000.jpg"}, {"10001.png", "10000.png"}, {"10002.png", "10001.png"},
                             {"10003.png", "10002.png"}, {"10004.bmp", "10004.bmp"}});
    EXPECT_EQ(namesIn(dir, "map").size(), 5u);  // no temporary name left behind
    // Each file whose number changed is named once: its index changes too.
    for (const char* was : {"10000.png", "10001.png", "10002.png"}) {
        const std::string line = std::string("WARNING: map/") + was + " is renumbered to ";
        EXPECT_NE(out.find(line), std::string::npos) << out;
        EXPECT_EQ(out.find(line), out.rfind(line)) << out;
    }
    EXPECT_EQ(out.find("map/10000.jpg"), std::string::npos) << out;
    EXPECT_EQ(out.find("map/10004.bmp"), std::string::npos) << out;
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

enum entryKind { entryFile, entryFolder, entryPipe, entrySetAside };

// Entries that never move hold numbers out of the sequence (a folder, a
// named pipe, a file whose number another extension shares): every file
// ends under a numbered name with its own extension, no file shares a
// number with such an entry, nothing keeps a name set aside during the
// walk, and a second load changes nothing. A file that cannot be renamed
// keeps its name and its number goes to the next file; files set aside by a
// walk cut short (entrySetAside: under the name the walk gives the entry at
// that place) are numbered with their own extensions. The log says what
// happened and nothing that did not.
TEST(NumberedNames, NumbersHeldByEntriesThatNeverMoveAreSkipped)
{
    const std::string longExtension(249, 'x');  // "99999." and it: the longest name a file may have
    const std::string longName = "a." + std::string(252, 'x');  // "10000." and its extension pass that length
    const struct {
        const char* title;
        numberedFolder folder;
        std::vector<std::pair<std::string, entryKind>> entries;
        std::vector<std::string> listed;
        std::vector<std::pair<std::string, std::string>> moves;  // a file's name after, its name before
        std::vector<std::string> said, notSaid;                  // in the log of the two loads
    } rows[] = {
        {"a folder and a pipe ahead of the sequence",
         {"map/", imageNumberFirst, ""},
         {{"10000.png", entryFile}, {"10001.png", entryFile}, {"10002.png", entryFile},
          {"10003.png", entryFile}, {"10004.png", entryFile}, {"10005.png", entryFile},
          {"10006.png", entryFolder}, {"10008.png", entryPipe}, {"c.png", entryFile}, {"e.png", entryFile}},
         {"10000.png", "10001.png", "10002.png", "10003.png", "10004.png", "10005.png", "10006.png", "10007.png",
          "10008.png", "10009.png"},
         {{"10005.png", "10005.png"}, {"10007.png", "c.png"}, {"10009.png", "e.png"}},
         {},
         {}},
        {"a folder of another extension",
         {"map/", imageNumberFirst, ""},
         {{"10000.jpg", entryFile}, {"10001.bmp", entryFolder}, {"a.png", entryFile}},
         {"10000.jpg", "10001.bmp", "10002.png"},
         {{"10000.jpg", "10000.jpg"}, {"10002.png", "a.png"}},
         {},
         {}},
        {"a folder behind files that claim one number",
         {"ui/", imageNumberFirst, ""},
         {{"10000.a", entryFile}, {"10000.c", entryFile}, {"10001.b", entryFolder}},
         {"10000.a", "10001.b", "10002.c"},
         {{"10000.a", "10000.a"}, {"10002.c", "10000.c"}},
         {},
         {}},
        {"sounds",
         {"sound/", soundNumberFirst, soundExtension},
         {{"1001.wav", entryFolder}, {"1003.wav", entryPipe}, {"x.ogg", entryFile}, {"y.wav", entryFile},
          {"z.mp3", entryFile}},
         {"1000.wav", "1001.wav", "1002.wav", "1003.wav", "1004.wav"},
         {{"1000.wav", "x.ogg"}, {"1002.wav", "y.wav"}, {"1004.wav", "z.mp3"}},
         {},
         {}},
        {"renames the file system refuses: names too long for their new numbers",
         {"map/", 99999, ""},
         {{"99999.a", entryFile}, {"99999." + longExtension, entryFile}, {longName, entryFile}, {"b.png", entryFile}},
         {"99999.a", "100000.png"},
         {{"99999." + longExtension, "99999." + longExtension}, {longName, longName}, {"100000.png", "b.png"}},
         {"(File name too long); it keeps its name.", "is not numbered in sequence and is not loaded."},
         {"is renumbered"}},
        {"files set aside by a walk cut short",
         {"map/", imageNumberFirst, ""},
         {{"10000.png", entryFile}, {"x.jpg", entrySetAside}, {"y.tga", entrySetAside},
          {"z.final.png", entrySetAside}},
         {"10000.png", "10001.jpg", "10002.tga", "10003.final.png"},
         {{"10001.jpg", "x.jpg"}, {"10002.tga", "y.tga"}, {"10003.final.png", "z.final.png"}},
         {"set aside by a renaming that did not finish, is taken back as 10001.jpg."},
         {}},
    };
    for (const auto& r : rows) {
        testutil::TempDir dir;
        std::set<std::string> kept;  // entries that are neither listed nor moved
        for (size_t place = 0; place < r.entries.size(); ++place) {
            const auto& [name, kind] = r.entries[place];
            const fs::path path = dir.path() / r.folder.prefix / name;
            if (kind == entryFile) makeFiles(dir, r.folder.prefix, {name});
            if (kind == entrySetAside) dir.write(r.folder.prefix + setAsideName(place, name), "content of " + name);
            if (kind == entryFolder) fs::create_directories(path);
            if (kind == entryPipe) {
                ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << r.title;
            }
            if (kind == entryFolder || kind == entryPipe) kept.insert(name);
        }
        for (const auto& move : r.moves) kept.insert(move.first);
        testutil::ScopedCwd cwd(dir.path());
        testing::internal::CaptureStdout();
        for (int load = 1; load <= 2; ++load) {
            EXPECT_EQ(numberFolder(r.folder), r.listed) << r.title << ", load " << load;
            expectMoved(dir, r.folder.prefix, r.moves);
            std::set<std::string> expected(r.listed.begin(), r.listed.end());
            expected.insert(kept.begin(), kept.end());
            EXPECT_EQ(namesIn(dir, r.folder.prefix), expected) << r.title << ", load " << load;
        }
        const std::string out = testing::internal::GetCapturedStdout();
        for (const std::string& line : r.said) EXPECT_NE(out.find(line), std::string::npos) << r.title << ": " << out;
        for (const std::string& line : r.notSaid) EXPECT_EQ(out.find(line), std::string::npos) << r.title;
    }
}

TEST(NumberedNames, MissingFolderGivesNoEntries) { EXPECT_TRUE(numberImages(testutil::TempDir(), "nothing").empty()); }

}  // namespace
