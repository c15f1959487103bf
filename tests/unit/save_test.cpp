// Saving projects in a copy of the bundled data: the writers' exact bytes,
// round trips of every game through the loaders, saves that fail at each step
// before or after their commit, the user's entries and others' work in the
// game's folder left as they are, a save killed at each step, and what a save
// cut short left finished by the next load or save.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

#include "core/file_read_internal.h"
#include "core/file_write.h"
#include "core/file_write_internal.h"
#include "core/folder_lock_internal.h"
#include "core/frame.h"
#include "core/init.h"
#include "core/log.h"
#include "core/script.h"
#include "core/system.h"
#include "editor/editor_entry.h"
#include "editor/save_project.h"
#include "editor/save_ui.h"
#include "editor/save_world.h"
#include "media/image_loading.h"
#include "media/image_loading_internal.h"
#include "menus/console.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "tests/unit/test_util.h"
#include "world/game_load.h"
#include "world/world.h"

namespace {

namespace fs = boost::filesystem;

using testutil::copyTree;
using testutil::noTexture;

bool saveWorldAlone() { return saveGameWorld(); }

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string fixture(const std::string& name) { return fileText(std::string(QV_FIXTURES_DIR) + "/save/" + name); }

using testutil::consoleHas;

constexpr const char* folderMark = "<folder>";

// What stands at `path`: a file's bytes, a link's target, or a mark for a
// folder or another kind (never opened).
std::string entryText(const fs::path& path)
{
    const fs::file_status status = fs::symlink_status(path);
    if (fs::is_directory(status)) return folderMark;
    if (fs::is_symlink(status)) return "<link to " + fs::read_symlink(path).string() + ">";
    if (fs::is_regular_file(status)) return fileText(path.string());
    return "<kind " + std::to_string(static_cast<int>(status.type())) + ">";
}

// Every entry under `root` by its relative path (a link by its own), with
// what stands there.
std::map<std::string, std::string> tree(const std::string& root)
{
    std::map<std::string, std::string> entries;
    for (fs::recursive_directory_iterator it(root), end; it != end; ++it)
        entries[it->path().lexically_relative(root).string()] = entryText(it->path());
    return entries;
}

// The newest console line holding `text`, counted from the newest line; -1
// when none does.
int consoleLineOf(const std::string& text)
{
    for (int i = 0; i < console.getLineCount(); ++i)
        if (console.getLine(i).find(text) != std::string::npos) return i;
    return -1;
}

// The sample game's and the program's own system folder's entries, by
// their paths from the working directory.
std::map<std::string, std::string> sampleAndSystemTree()
{
    std::map<std::string, std::string> entries;
    for (const char* root : {"games/sample", "system"})
        for (const auto& [path, text] : tree(root)) entries[root + ("/" + path)] = text;
    return entries;
}

std::string names(const std::map<std::string, std::string>& entries)
{
    std::string list;
    for (const auto& entry : entries) list += entry.first + "\n";
    return list;
}

// Everything the files store, read through the model's accessors, floats at
// full precision: two loads of one game give the same dump.
std::string dumpProject()
{
    std::ostringstream s;
    s.precision(9);
    for (int m = 0; m < world.getMapCount(); ++m) {
        int w, h, sky[6], tex, layer;
        std::string name;
        bool fog;
        float d, r, g, b, x, y, z, ow, oh, od, rx, ry, rz, bw, bh, bd;
        world.worldGetMap(w, h, name, m);
        world.worldGetFog(fog, d, r, g, b, m);
        world.worldGetSkybox(sky[0], sky[1], sky[2], sky[3], sky[4], sky[5], m);
        s << w << ' ' << h << ' ' << name << ' ' << world.worldGetTileStretch(m) << world.worldGetMapLayerCount(m)
          << fog << d << r << g << b << sky[0] << sky[1] << sky[2] << sky[3] << sky[4] << sky[5] << '\n';
        for (int tx = 0; tx < w; ++tx)
            for (int ty = 0; ty < h; ++ty) {
                world.worldGetTile(tex, tx, ty, m);
                s << tex << ':' << world.worldGetTileHeight(tx, ty, m) << ' ';
            }
        auto rules = [&s](const sentence& rule) {
            for (int k = 0; k < sentenceStepCount; ++k) s << ' ' << rule.getSentenceStep(k);
        };
        for (int i = 0; i < world.mapGlobalGetSentenceAmount(m); ++i) rules(world.mapGlobalGetWholeSentence(m, i));
        for (int o = 0; o < world.worldGetObjectCount(m); ++o) {
            world.worldGetObject(x, y, z, ow, oh, od, tex, layer, o, m);
            world.getObstructionSize(bw, bh, bd, o, m);
            world.worldGetRot(rx, ry, rz, o, m);
            s << "\nobject " << x << ' ' << y << ' ' << z << ' ' << ow << ' ' << oh << ' ' << od << ' ' << tex << ' '
              << layer << ' ' << bw << ' ' << bh << ' ' << bd << ' ' << world.worldGetObjectObstructionState(o, m)
              << world.worldGetObjectName(o, m) << world.worldGetObjectType(o, m) << rx << ' ' << ry << ' ' << rz;
            for (int i = 0; i < world.mapLocalGetSentenceAmount(o, m); ++i)
                rules(world.mapLocalGetWholeSentence(i, o, m));
        }
        s << '\n';
    }
    for (int p = 0; p < phraseCount; ++p) s << world.getPhrase(p) << '|';
    for (int i = 0; i < world.getGameImageCount(); ++i)
        if (gameImg[i].getAnimState()) s << "\nimage " << i << ' ' << gameImg[i].getFrameCount() << ' ' << gameImg[i].getAnimSpeed();
    for (int m = 0; m < gameUI.getMenuCount(); ++m) {
        float x, y, w, h, r, g, b;
        int tex, f, f2;
        std::string text;
        s << "\nmenu " << gameUI.getMenuBackgroundTex(m);
        for (int i = 0; i < gameUI.menuGetButtonCount(m); ++i) {
            gameUI.uiGetButton(x, y, w, h, tex, f, f2, m, i);
            s << " button " << x << ' ' << y << ' ' << w << ' ' << h << ' ' << tex << ' ' << f << ' ' << f2;
        }
        for (int i = 0; i < gameUI.menuGetTextboxCount(m); ++i) {
            gameUI.uiGetTextbox(x, y, w, h, tex, m, i);
            s << " textbox " << x << ' ' << y << ' ' << w << ' ' << h << ' ' << tex << ' ' << gameUI.uiGetLinkedButton(i, m);
        }
        for (int i = 0; i < gameUI.menuGetTextlineCount(m); ++i) {
            gameUI.uiGetText(x, y, r, g, b, text, m, i);
            s << " text " << x << ' ' << y << ' ' << r << ' ' << g << ' ' << b << ' ' << text;
        }
    }
    return s.str();
}

class SaveTest : public ::testing::Test {
protected:
    testutil::TempDir dir;
    std::unique_ptr<testutil::ScopedCwd> cwd;

    void SetUp() override
    {
        copyTree(QV_DATA_DIR, dir.path());
        copyTree(fs::path(QV_FIXTURES_DIR) / "save/generated", dir.path() / "games/generated");
        cwd = std::make_unique<testutil::ScopedCwd>(dir.path());
        setImageFileLoader(noTexture);
        console = debugConsole();
        notice = uiNotice();
        world = gameWorld();
        gameUI = UI();
        gameSys.setGameState(gameStateMenu);
        gameSys.setDebugState(true, true);  // no splash sequence after a load
    }
    void TearDown() override
    {
        setImageFileLoader(nullptr);
        cwd.reset();
        world = gameWorld();
        gameUI = UI();
        scriptUI.clear();
    }
    void load(const std::string& game)
    {
        testing::internal::CaptureStdout();  // the loaders' and the 3DS reader's lines
        loadGame(game);
        testing::internal::GetCapturedStdout();
    }
    bool save(bool (*saver)() = saveProject)
    {
        testing::internal::CaptureStdout();
        const bool saved = saver();
        testing::internal::GetCapturedStdout();
        return saved;
    }
    std::string files(const std::string& game) const
    {
        const std::string f = "games/" + game + "/system/";
        return dir.read(f + "map.cfg") + "\n---\n" + dir.read(f + "logic.cfg") + "\n---\n" + dir.read(f + "ui.cfg");
    }
};

TEST_F(SaveTest, MenuAndWorldFilesAreWrittenByteForByte)
{
    // The small menu system of the layout's worked example, saved as the front end.
    scriptUI.readFile(std::string(QV_FIXTURES_DIR) + "/save/ui_example.cfg");
    gameUI.allocateMenu(1);
    gameUI.setMenuBackgroundTex(0, 1);
    gameUI.uiModifyButton(400, 300, 64, 16, 2, 1, 0, 0, 0);
    gameUI.uiModifyText(320, 200.5f, 1, 1, 0.5f, "^wHello", 0, 0);
    gameUI.menuSetButtonCount(0, 1);
    gameUI.menuSetTextboxCount(0, 0);
    gameUI.menuSetTextlineCount(0, 1);
    uiImage.assign(5, img());
    uiImage[4].setAnimState(true);
    uiImage[4].setFrameCount(4);
    uiImage[4].setAnimSpeed(200);
    gameUI.setUIImageCount(5);
    fs::remove_all("games");
    world.setGameName("mainui");
    ASSERT_TRUE(save());
    EXPECT_EQ(dir.read("system/ui.cfg"), fixture("ui_example.cfg"));
    EXPECT_FALSE(fs::exists("games"));
    EXPECT_EQ(notice.getMessage(), "The project^y mainui^w has been successfully saved.");

    // A world with each case of the map and logic layout.
    world.allocateMaps(2);
    world.worldSetMap(5, 3, "Field", 0);
    world.worldSetTile(3, 1, 1, 0);
    world.worldSetTileHeight(1.5f, 4, 2, 0);
    world.worldSetTile(7, 0, 0, 0);
    world.worldSetTileHeight(-1.0f, 0, 0, 0);
    world.worldSetTileStretch(true, 0);
    world.worldSetFog(false, 0.4f, 0.2f, 0.3f, 1.0f, 0);
    world.worldSetSkybox(1, 2, 3, 4, 5, 6, 0);
    world.worldSetObject(12.345678f, 1000000.0f, -1, 1, 1, 0.00001f, 200, 3, 0, 0);
    world.worldSetObjectName("big crate", 0, 0);
    world.worldSetObject(0, 0, 0, 2.5f, 1, 1, 1, 6, 1, 0);
    world.worldSetObjectType(objectTypeModel, 1, 0);
    world.worldSetObjectObstructionState(false, 1, 0);
    world.setObstructionSize(0.5f, 0.25f, 2, 1, 0);
    world.worldSetRot(0, 90, -45, 1, 0);
    world.mapGlobalAddSentence(0);
    world.mapLocalAddSentence(1, 0);
    world.mapLocalChangeSentence(0, sentenceStepAction, 713, 1, 0);
    world.worldSetMap(1, 1, "New Map", 1);
    world.worldSetSkybox(7, 8, 9, 10, 11, 12, 1);
    world.setPhrase(0, "Hello");
    world.setPhrase(1, "NULL");
    world.setPhrase(3, "two\nlines");
    gameImg.assign(4, img());
    gameImg[2].setAnimState(true);
    gameImg[2].setFrameCount(3);
    gameImg[2].setAnimSpeed(250);
    world.setGameImageCount(4);
    world.setGameName("golden");
    ASSERT_TRUE(save(saveWorldAlone));
    EXPECT_EQ(dir.read("games/golden/system/map.cfg"), fixture("map_golden.cfg"));
    EXPECT_EQ(dir.read("games/golden/system/logic.cfg"), fixture("logic_golden.cfg"));
    for (const char* sub : {"map", "sound", "model", "modeltex"}) EXPECT_TRUE(fs::is_directory("games/golden/" + std::string(sub)));
    EXPECT_EQ(notice.getTitle(), "World Saved");
}

// Every game of the data folder and a generated one that uses every stored
// field: load, save, load gives the same project; the second save the same bytes.
TEST_F(SaveTest, EveryGameRoundTripsThroughSaveAndLoad)
{
    for (fs::directory_iterator it("games"), end; it != end; ++it) {
        if (!fs::is_directory(it->path())) continue;
        const std::string game = it->path().filename().string();
        SCOPED_TRACE(game);
        load(game);
        ASSERT_TRUE(world.getGameLoaded());
        const std::string loaded = dumpProject();
        ASSERT_TRUE(save());
        EXPECT_EQ(notice.getTitle(), "Project Saved");
        const std::string saved = files(game);
        load(game);
        EXPECT_EQ(dumpProject(), loaded);
        ASSERT_TRUE(save());
        EXPECT_EQ(files(game), saved);
    }
    // The generated game's script strings are written back as they were read.
    EXPECT_NE(files("generated").find("s menu0string1 credit\nf menu0string1x 700\nf menu0string1y 580\n"
                                      "f menu0string1r 0.5\nf menu0string1g 0.5\nf menu0string1b 1\n"
                                      "f menu0string1string 2\ns menu0string2 end\n"),
              std::string::npos);
}

// A save that fails before its commit changes nothing under the games folder,
// leaves nothing behind, reports the failure with its cause, says nothing was
// saved and returns to the program, and no later load puts any of it in
// place. One that fails after its commit is saved, with a warning naming the
// cause, and the next load puts its files in place and leaves nothing behind.
// A named pipe in a file's place fails the save at once instead of holding it
// for good; so does another copy of the program holding the game past the
// wait. What others do meanwhile at the writer's own names fails the save:
// the record's rename never replaces an entry at its name, and a temporary
// of the save found gone is never taken for in place (when it goes after
// the renames began, the files renamed in before stay, and it is named).
TEST_F(SaveTest, AFailureBeforeTheCommitChangesNothingAndOneAfterItIsFinishedByTheNextLoad)
{
    enum inTheWayKind { nothing, folder, pipe };
    enum meddlingKind { none, gameHeld, recordNameTaken, temporaryRemoved, temporaryRemovedMidway };
    struct fault {
        const char* what;
        std::string name;
        const char* file;      // the game's file that something else takes the place of
        inTheWayKind inTheWay;
        rlim_t fileSizeLimit;  // as a full device: no file written grows past it
        writeCall call;        // fails with `error` once `passing` calls of it have run
        int error, passing;
        meddlingKind meddling;  // by another program, once the record is written or in place
        bool committed;
        const char* reason;  // in the log: the failure's, or the warning's
    };
    constexpr rlim_t unlimitedSize = RLIM_INFINITY;
    const std::string userEntry = "system/.quorvane-saving-commit";
    const fault faults[] = {
        {"the device fills up while map.cfg is written", "sample", nullptr, nothing, 4096, writeCall::write, 0, 0, none,
         false, "games/sample/system/.quorvane-saving-map.cfg cannot be written whole: File too large"},
        {"ui.cfg is a folder, after the world's files were staged", "sample", "ui.cfg", folder, unlimitedSize,
         writeCall::write, 0, 0, none, false, "games/sample/system/ui.cfg is a folder"},
        {"a named pipe in logic.cfg's place", "sample", "logic.cfg", pipe, unlimitedSize, writeCall::write, 0, 0, none,
         false, "games/sample/system/logic.cfg is a named pipe"},
        {"map.cfg's flush fails", "sample", nullptr, nothing, unlimitedSize, writeCall::flush, EIO, 0, none, false,
         "games/sample/system/.quorvane-saving-map.cfg cannot be written whole: Input/output error"},
        {"the record's write fails", "sample", nullptr, nothing, unlimitedSize, writeCall::write, EIO, 3, none, false,
         "games/sample/system/.quorvane-saving-commit.new cannot be written whole: Input/output error"},
        {"the folder's flush before the record's rename fails", "sample", nullptr, nothing, unlimitedSize,
         writeCall::flush, EIO, 4, none, false,
         "the folder games/sample/system cannot be flushed to the disk: Input/output error"},
        {"the record's rename fails", "sample", nullptr, nothing, unlimitedSize, writeCall::recordRename, EIO, 0, none,
         false, "games/sample/system/.quorvane-saving-commit cannot be put in place: Input/output error"},
        {"a name that is more than one folder", "../escaped", nullptr, nothing, unlimitedSize, writeCall::write, 0, 0,
         none, false, "the game name is not a single folder name"},
        {"another copy of the program holds the game", "sample", nullptr, nothing, unlimitedSize, writeCall::write, 0,
         0, gameHeld, false, "another copy of the program is at work on games/sample/system"},
        {"a file is put at the record's name as the record is written", "sample", nullptr, nothing, unlimitedSize,
         writeCall::write, 0, 0, recordNameTaken, false,
         "games/sample/system/.quorvane-saving-commit cannot be put in place: File exists"},
        {"logic.cfg's temporary is removed once the record is in place", "sample", nullptr, nothing, unlimitedSize,
         writeCall::write, 0, 0, temporaryRemoved, false,
         "games/sample/system/.quorvane-saving-logic.cfg, the new text of games/sample/system/logic.cfg, is gone"},
        {"ui.cfg's temporary is removed once map.cfg is in place", "sample", nullptr, nothing, unlimitedSize,
         writeCall::write, 0, 0, temporaryRemovedMidway, false,
         "games/sample/system/ui.cfg was not put in place: its new text, games/sample/system/.quorvane-saving-ui.cfg, "
         "is gone"},
        {"the flush after the record's rename fails", "sample", nullptr, nothing, unlimitedSize, writeCall::flush, EIO,
         5, none, true, "the folder games/sample/system cannot be flushed to the disk: Input/output error"},
        {"logic.cfg's rename fails", "sample", nullptr, nothing, unlimitedSize, writeCall::applyRename, EIO, 1, none,
         true, "games/sample/system/logic.cfg cannot be replaced: Input/output error"},
        {"the flush after the renames fails", "sample", nullptr, nothing, unlimitedSize, writeCall::flush, EIO, 6, none,
         true, "the folder games/sample/system cannot be flushed to the disk: Input/output error"},
    };
    load("sample");
    ASSERT_TRUE(save());
    signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
    rlimit unlimited{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    setFolderLockWait(std::chrono::milliseconds(50));
    for (const fault& f : faults) {
        SCOPED_TRACE(f.what);
        console = debugConsole();
        world.setGameName(f.name);
        world.setPhrase(0, f.what);
        const fs::path inTheWay = fs::path("games/sample/system") / (f.file ? f.file : "");
        const std::string kept = f.file ? dir.read(inTheWay.string()) : "";
        if (f.inTheWay != nothing) fs::remove(inTheWay);
        if (f.inTheWay == folder) fs::create_directories(inTheWay / "in the way");
        if (f.inTheWay == pipe) {
            ASSERT_EQ(mkfifo(inTheWay.c_str(), 0600), 0);
        }
        auto before = tree("games");
        if (f.meddling == recordNameTaken) before["sample/" + userEntry] = "the user's own\n";
        auto saved = before;
        saved["sample/system/map.cfg"] = mapFileText();
        saved["sample/system/logic.cfg"] = logicFileText();
        saved["sample/system/ui.cfg"] = uiFileText();
        folderLock otherCopy;
        std::string held;
        if (f.meddling == gameHeld) {
            ASSERT_TRUE(otherCopy.take("games/sample/system", held));
        }
        setWriteStageHook([&](writeStage stage) {
            if (f.meddling == recordNameTaken && stage == writeStage::recordWritten)
                dir.write("games/sample/" + userEntry, "the user's own\n");
            if (f.meddling == temporaryRemoved && stage == writeStage::committed)
                fs::remove(temporaryFileFor("games/sample/system/logic.cfg"));
            if (f.meddling == temporaryRemovedMidway && stage == writeStage::fileApplied)
                fs::remove(temporaryFileFor("games/sample/system/ui.cfg"));
        });

        rlimit limited = unlimited;
        limited.rlim_cur = f.fileSizeLimit;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        failWriteCall(f.call, f.error, f.passing);
        EXPECT_EQ(save(), f.committed);
        failWriteCall(f.call, 0);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &unlimited), 0);
        setWriteStageHook(nullptr);
        otherCopy.release();
        EXPECT_TRUE(consoleHas(f.reason));
        if (f.committed) {
            EXPECT_EQ(notice.getTitle(), "Project Saved");
            EXPECT_TRUE(consoleHas("^yWARNING: ^wThe files of ^ygames/sample/system^w are saved, but "));
            EXPECT_TRUE(fs::exists(commitRecordFor("games/sample/system")));  // for the next load to finish
        } else {
            EXPECT_EQ(notice.getTitle(), "^yERROR");
            EXPECT_EQ(notice.getMessage(), "Error opening: " + f.name + ". Aborting.");
            EXPECT_TRUE(consoleHas("^rERROR: ^wThe save was not written: "));
            EXPECT_TRUE(consoleHas("^rERROR: ^wError opening: " + f.name + ". Aborting."));
            EXPECT_FALSE(consoleHas("successfully saved"));
            EXPECT_TRUE(tree("games") == before || f.meddling == temporaryRemovedMidway);
        }
        load("sample");
        auto expected = f.committed ? saved : before;
        if (f.meddling == temporaryRemovedMidway) {  // the files renamed in before it stay
            expected = saved;
            expected["sample/system/ui.cfg"] = before.at("sample/system/ui.cfg");
        }
        const auto after = tree("games");
        EXPECT_EQ(names(after), names(expected));
        EXPECT_TRUE(after == expected);

        fs::remove("games/sample/" + userEntry);
        if (f.inTheWay != nothing) {
            fs::remove_all(inTheWay);
            dir.write(inTheWay.string(), kept);
        }
    }
    setFolderLockWait(folderLockWait);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(fs::exists("escaped"));
}

// A game's file, the settings or a menu system's file that is a link to a
// file stays that link, and the file it leads to receives the save whole,
// with its mode; where a game's file links to another file system, which the
// game's files cannot reach all or none, or a game's file or the settings
// link to no file, the save writes nothing, names the link and leaves it,
// and nothing is made where it leads. A folder or a link at a lone file's
// temporary name fails its write and is left. A save flushes its folder before the record's rename,
// and after the renames every folder a file went into.
TEST_F(SaveTest, ALinkedFileStaysALinkAndTheFileItLeadsToIsSaved)
{
    // A link to a file on the game's file system or another, or to no file.
    enum entryKind { linkNear, linkAway, linkToNothing, emptyFolder };
    enum writer { gameSave, frontEndSave, settingsWrite };
    struct row {
        const char* what;
        const char* path;  // where the entry of `kind` is made
        entryKind kind;
        writer by;
        const char* file;  // the file written
        bool written;
        const char* reason;
    };
    const char* const map = "games/sample/system/map.cfg";
    const char* const settings = "system/system.cfg";
    const row rows[] = {
        {"map.cfg links to a file", map, linkNear, gameSave, map, true, nullptr},
        {"logic.cfg links to a file", "games/sample/system/logic.cfg", linkNear, gameSave,
         "games/sample/system/logic.cfg", true, nullptr},
        {"the settings link to a file", settings, linkNear, settingsWrite, settings, true, nullptr},
        {"a folder at the settings' temporary name", "system/.quorvane-saving-system.cfg", emptyFolder, settingsWrite,
         settings, false,
         "system/.quorvane-saving-system.cfg is a folder, at the name this program saves through; it is left as it "
         "is: move it away"},
        {"a link at the front end's temporary name", "system/.quorvane-saving-ui.cfg", linkNear, frontEndSave,
         "system/ui.cfg", false,
         "system/.quorvane-saving-ui.cfg is a symbolic link, at the name this program saves through; it is left as "
         "it is: move it away"},
        {"map.cfg links to no file", map, linkToNothing, gameSave, map, false,
         "games/sample/system/map.cfg is a link that leads to no file"},
        {"the settings link to no file", settings, linkToNothing, settingsWrite, settings, false,
         "system/system.cfg is a link that leads to no file"},
        {"the settings link to a file on another file system", settings, linkAway, settingsWrite, settings, true,
         nullptr},
        {"map.cfg links to a file on another file system", map, linkAway, gameSave, map, false,
         ", on another file system than games/sample/system: the files of games/sample/system cannot be saved "
         "through it all or none, so nothing was written"},
    };
    const std::string settingsText = "f fps 30\n";
    load("sample");
    ASSERT_TRUE(save());
    const fs::path anotherFileSystem = testutil::folderOnAnotherFileSystem(dir.path());
    std::vector<std::string> calls;  // "flush <path>", "rename <temporary>" and the step "applied", in order
    int k = 0;
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        if (r.kind == linkAway && anotherFileSystem.empty())
            GTEST_SKIP() << "no folder on another file system than " << dir.path() << " to link to";
        const testutil::TempDir away(r.kind == linkAway ? anotherFileSystem : dir.path() / "elsewhere");
        const fs::path led = fs::absolute(away.path() / ("linked-" + std::to_string(k++) + ".cfg"));
        const bool targetLinked = r.path == std::string(r.file);
        const std::string kept = targetLinked ? dir.read(r.path) : "";
        if (r.kind == emptyFolder) {
            fs::create_directories(r.path);
        } else {
            if (r.kind != linkToNothing) {
                std::ofstream(led.string(), std::ios::binary) << (targetLinked ? kept : "the user's own\n");
                ASSERT_EQ(chmod(led.c_str(), 0640), 0);
            }
            fs::remove(r.path);
            fs::create_symlink(led, r.path);
        }
        const std::string ledBefore = fileText(led.string());
        const auto before = sampleAndSystemTree();

        world.setGameName(r.by == frontEndSave ? "mainui" : "sample");
        world.setPhrase(0, r.what);
        std::map<std::string, std::string> newTexts = {{r.file, settingsText}};
        if (r.by != settingsWrite) newTexts = {{"system/ui.cfg", uiFileText()}};
        if (r.by == gameSave)
            newTexts = {{map, mapFileText()},
                        {"games/sample/system/logic.cfg", logicFileText()},
                        {"games/sample/system/ui.cfg", uiFileText()}};
        console = debugConsole();
        calls.clear();
        setWriteCallHook([&](writeCall call, const std::string& path) {
            if (call == writeCall::flush) calls.push_back("flush " + path);
            if (call == writeCall::recordRename || call == writeCall::applyRename) calls.push_back("rename " + path);
        });
        setWriteStageHook([&](writeStage stage) {
            if (stage == writeStage::applied) calls.push_back("applied");
        });
        std::string reason;
        const bool written = r.by == settingsWrite ? replaceFile(settings, settingsText, &reason) : save();
        setWriteCallHook(nullptr);
        setWriteStageHook(nullptr);
        EXPECT_EQ(written, r.written);
        EXPECT_TRUE(!r.reason || reason.find(r.reason) != std::string::npos || consoleHas(r.reason)) << reason;
        EXPECT_TRUE(r.written || !targetLinked || r.kind == linkToNothing ||
                    consoleHas(std::string(r.path) + " is a link to " + fs::canonical(led).string()));

        auto expected = before;
        for (const auto& [file, text] : newTexts)
            if (r.written && !(targetLinked && file == r.file)) expected[file] = text;
        const auto after = sampleAndSystemTree();
        EXPECT_EQ(names(after), names(expected));
        EXPECT_TRUE(after == expected);
        if (r.kind == linkToNothing) {
            EXPECT_TRUE(fs::is_symlink(fs::symlink_status(r.path)) && fs::read_symlink(r.path) == led);
            EXPECT_FALSE(fs::exists(fs::symlink_status(led)));
        } else if (r.kind != emptyFolder) {
            EXPECT_EQ(fs::read_symlink(r.path), led);
            EXPECT_EQ(fileText(led.string()), r.written && targetLinked ? newTexts[r.file] : ledBefore);
            struct stat info {};
            EXPECT_TRUE(stat(led.c_str(), &info) == 0 && (info.st_mode & 07777) == 0640);
        }
        if (r.by == gameSave && r.written) {  // the folders flushed between the renames
            auto at = [&calls](const std::string& call, size_t from = 0) {
                return std::find(calls.begin() + std::min(from, calls.size()), calls.end(), call) - calls.begin();
            };
            const std::string folder = "games/sample/system";
            const auto recordWritten = at("flush " + commitRecordTemporaryFor(folder));
            const auto committed = at("rename " + commitRecordTemporaryFor(folder));
            const auto linkedApplied = at("rename " + temporaryFileFor(r.file)), allApplied = at("applied");
            EXPECT_LT(at("flush " + folder, recordWritten), committed);
            EXPECT_LT(at("flush " + folder, at("rename " + temporaryFileFor(folder + "/ui.cfg"))), allApplied);
            EXPECT_LT(at("flush " + fs::canonical(led).parent_path().string(), linkedApplied), allApplied);
            EXPECT_LT(allApplied, static_cast<long>(calls.size()));
        }

        fs::remove_all(r.path);
        if (targetLinked) dir.write(r.path, r.kind == linkToNothing ? kept : fileText(led.string()));
    }
}

constexpr uid_t unprivileged = 65534;

// Runs `work` in a child process as the unprivileged user 65534, whom file
// modes bind; true when it returned true.
bool asUnprivilegedUser(const std::function<bool()>& work)
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        if (!std::freopen("/dev/null", "w", stdout)) _exit(2);
        if (setgroups(0, nullptr) != 0 || setgid(unprivileged) != 0 || setuid(unprivileged) != 0) _exit(3);
        _exit(work() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// What an entry is: the very one (its inode), its mode, its change time, and
// what it holds.
struct entryState {
    ino_t inode = 0;
    mode_t mode = 0;
    long long changedSeconds = 0, changedNanoseconds = 0;
    std::string text;
    bool operator==(const entryState& o) const
    {
        return inode == o.inode && mode == o.mode && changedSeconds == o.changedSeconds &&
               changedNanoseconds == o.changedNanoseconds && text == o.text;
    }
};

// Every entry under `root` but `skipped`, by its relative path.
std::map<std::string, entryState> entryStates(const std::string& root, const std::vector<std::string>& skipped)
{
    std::map<std::string, entryState> states;
    for (const auto& [path, text] : tree(root)) {
        if (std::find(skipped.begin(), skipped.end(), path) != skipped.end()) continue;
        struct stat info {};
        EXPECT_EQ(lstat((root + "/" + path).c_str(), &info), 0) << path;
        states[path] = {info.st_ino, info.st_mode, static_cast<long long>(info.st_ctim.tv_sec),
                        static_cast<long long>(info.st_ctim.tv_nsec), text};
    }
    return states;
}

// The user's entries in and beside the game's system folder, of every kind,
// some the saving user may not read, and the folders earlier versions of the
// writer left: after a load and two saves by a user whom file modes bind,
// each is the very same entry, with its mode, change time and bytes, and
// nothing of the writer's is left.
TEST_F(SaveTest, TheUsersEntriesAreNeverTouched)
{
    if (geteuid() != 0) GTEST_SKIP() << "another user's entries need root to be made";
    enum entryKind { file, folder, link, pipe };
    const struct {
        const char* path;  // under games/sample; a folder after the entries in it
        entryKind kind;
        mode_t mode;
        bool others;  // another user's, not the saving user's
    } entries[] = {
        {"system/notes.txt", file, 0644, false},
        {"system/sub/deeper/inner.txt", file, 0644, false},
        {"system/readonly/kept.txt", file, 0444, false},
        {"system/readonly", folder, 0555, false},
        {"system/theirs.txt", file, 0600, true},
        {"system/theirs/private.txt", file, 0600, true},
        {"system/theirs", folder, 0700, true},
        {"system/outside.link", link, 0777, false},
        {"system/pipe", pipe, 0600, false},
        {"system/.quorvane-saving-notes.txt", file, 0644, false},
        {".quorvane-saving-system/map.cfg", file, 0644, false},
        {"system.kept-20240101-120000/notes.txt", file, 0644, false},
    };
    const std::string game = "games/sample";
    dir.write("outside.txt", "a file outside the game\n");
    for (const auto& e : entries) {
        const std::string path = game + "/" + e.path;
        if (e.kind == file) dir.write(path, std::string("the user's ") + e.path + "\n");
        if (e.kind == folder) fs::create_directories(path);
        if (e.kind == link) fs::create_symlink("../../../outside.txt", path);
        if (e.kind == pipe) {
            ASSERT_EQ(mkfifo(path.c_str(), e.mode), 0);
        }
    }
    for (fs::recursive_directory_iterator it(game), end; it != end; ++it)
        ASSERT_EQ(lchown(it->path().c_str(), unprivileged, unprivileged), 0);
    for (const auto& e : entries) {
        const std::string path = game + "/" + e.path;
        EXPECT_EQ(e.others ? lchown(path.c_str(), 0, 0) : 0, 0) << path;
        EXPECT_EQ(e.kind != link ? chmod(path.c_str(), e.mode) : 0, 0) << path;
    }
    load("sample");
    const std::vector<std::string> saved = {"system", "system/map.cfg", "system/logic.cfg", "system/ui.cfg"};
    const auto before = entryStates(game, saved);
    for (const auto& e : entries) EXPECT_EQ(before.count(e.path), 1u) << e.path;  // the load left them too

    EXPECT_TRUE(asUnprivilegedUser([] { return saveProject() && saveProject(); }));
    const auto after = entryStates(game, saved);
    EXPECT_EQ(after.size(), before.size());
    for (const auto& [path, state] : before) EXPECT_TRUE(after.count(path) && after.at(path) == state) << path;
    EXPECT_EQ(dir.read(game + "/system/map.cfg"), mapFileText());
    EXPECT_EQ(dir.read(game + "/system/ui.cfg"), uiFileText());
}

// Files and folders the user may not write, to a user whom file modes bind:
// a read-only game file is refused, never replaced by a rename the user did
// not allow; a game file or the settings linked into a folder the user
// cannot write is refused naming the link. Nothing is written.
TEST_F(SaveTest, AReadOnlyFileOrFolderIsRefusedAndNothingIsWritten)
{
    if (geteuid() != 0) GTEST_SKIP() << "a user whom file modes bind needs root to be made";
    const struct {
        const char* what;
        const char* path;
        bool linked;    // into a folder the user cannot write, else made read-only itself
        bool settings;  // written alone, else by a project save
        const char* reason;
    } rows[] = {
        {"a read-only map.cfg", "games/sample/system/map.cfg", false, false,
         "games/sample/system/map.cfg cannot be written: Permission denied"},
        {"map.cfg linked into a folder the user cannot write", "games/sample/system/map.cfg", true, false,
         ", which cannot be written (Permission denied): the files of games/sample/system cannot be saved through it "
         "all or none, so nothing was written"},
        {"the settings linked into a folder the user cannot write", "system/system.cfg", true, true,
         ", and nothing was written: "},
    };
    // A link is followed by its full path, through every folder above the test's own.
    const std::string top = fs::canonical(dir.path()).string();
    if (!asUnprivilegedUser([&top] { return access(top.c_str(), X_OK) == 0; }))
        GTEST_SKIP() << "user " << unprivileged << " cannot reach " << top << ": a folder above it is closed to others";
    load("sample");
    ASSERT_TRUE(save());
    for (const char* root : {"games/sample", "system"}) {
        ASSERT_EQ(lchown(root, unprivileged, unprivileged), 0);
        for (fs::recursive_directory_iterator it(root), end; it != end; ++it)
            ASSERT_EQ(lchown(it->path().c_str(), unprivileged, unprivileged), 0);
    }
    const fs::path locked = dir.path() / "locked";  // root's, which others may read but not write
    fs::create_directories(locked);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const std::string led = fs::canonical(locked).string() + "/" + fs::path(r.path).filename().string();
        if (r.linked) {
            std::ofstream(led, std::ios::binary) << fileText(r.path);
            ASSERT_EQ(lchown(led.c_str(), unprivileged, unprivileged), 0);
            fs::remove(r.path);
            fs::create_symlink(led, r.path);
        } else {
            ASSERT_EQ(chmod(r.path, 0444), 0);
        }
        const auto before = sampleAndSystemTree();
        const std::string ledBefore = r.linked ? fileText(led) : "";
        world.setPhrase(0, r.what);
        EXPECT_TRUE(asUnprivilegedUser([&r, &led] {
            std::string reason;
            const bool written = r.settings ? replaceFile(r.path, "f fps 30\n", &reason) : saveProject();
            auto said = [&reason](const std::string& text) {
                return reason.find(text) != std::string::npos || consoleHas(text);
            };
            return !written && said(r.reason) && (!r.linked || said(std::string(r.path) + " is a link to " + led));
        }));
        const auto after = sampleAndSystemTree();
        EXPECT_EQ(names(after), names(before));
        EXPECT_TRUE(after == before);
        if (r.linked) {
            EXPECT_EQ(fileText(led), ledBefore);
            fs::remove(r.path);
            std::ofstream(r.path, std::ios::binary) << ledBefore;
            ASSERT_EQ(lchown(r.path, unprivileged, unprivileged), 0);
        } else {
            ASSERT_EQ(chmod(r.path, 0644), 0);
        }
    }
}

// Another program working in the game's system folder at every step of a
// save, through a handle on the folder as a program working in it holds it:
// it writes a file, and one named with the writer's prefix, deletes one, and
// replaces a sub-folder by a file. Every change stands after the save, and
// the lines that say the save succeeded come once the files are in place.
TEST_F(SaveTest, WhatOthersDoDuringASaveStands)
{
    load("sample");
    ASSERT_TRUE(save());
    const std::string game = "games/sample", system = game + "/system/";
    constexpr int steps = 10;  // three files staged, the record written and committed, three renames, two flushes
    for (int k = 0; k < steps; ++k) {
        dir.write(system + "gone-" + std::to_string(k) + ".txt", "deleted meanwhile\n");
        dir.write(system + "sub-" + std::to_string(k) + "/inner.txt", "in a folder replaced meanwhile\n");
    }
    world.setPhrase(0, "saved while others work");
    auto expected = tree(game);
    expected["system/map.cfg"] = mapFileText();
    expected["system/logic.cfg"] = logicFileText();
    expected["system/ui.cfg"] = uiFileText();
    const int held = open(system.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    auto writeAt = [&](const std::string& name, const std::string& text) {
        const int fd = openat(held, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        EXPECT_TRUE(fd >= 0 && write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size())) << name;
        if (fd >= 0) close(fd);
        expected["system/" + name] = text;
    };
    int seen = 0;
    setWriteStageHook([&](writeStage) {
        const std::string k = std::to_string(seen++);
        writeAt("new-" + k + ".txt", "written meanwhile\n");
        writeAt(".quorvane-saving-theirs-" + k, "theirs, written meanwhile\n");
        EXPECT_EQ(unlinkat(held, ("gone-" + k + ".txt").c_str(), 0), 0);
        expected.erase("system/gone-" + k + ".txt");
        fs::remove_all(system + "sub-" + k);
        expected.erase("system/sub-" + k + "/inner.txt");
        writeAt("sub-" + k, "a file in a folder's place\n");
    });
    console = debugConsole();
    EXPECT_TRUE(save());
    setWriteStageHook(nullptr);
    close(held);
    EXPECT_EQ(seen, steps);
    const auto after = tree(game);
    EXPECT_EQ(names(after), names(expected));
    EXPECT_TRUE(after == expected);

    // Console lines count from the newest: an earlier line has a higher number.
    const int staged = consoleLineOf("Outputting UI data");
    const int worldSaved = consoleLineOf("Game has been successfully saved!");
    const int menusSaved = consoleLineOf("UI has been successfully saved!");
    const int projectSaved = consoleLineOf("The project has been successfully saved.");
    EXPECT_TRUE(staged > worldSaved && worldSaved > menusSaved && menusSaved > projectSaved && projectSaved >= 0)
        << staged << ' ' << worldSaved << ' ' << menusSaved << ' ' << projectSaved;
}

// A saving process killed with SIGKILL at each step of a save, held there
// through the writer's hook: after the next load the game's map, logic and
// menu files are all the old ones or all the new ones, the load read only
// them, and nothing of the killed save is left, nor a temporary file that an
// older save left, while the user's own files stay.
TEST_F(SaveTest, ASaveKilledAtAnyStepIsAllOldOrAllNewAfterTheNextLoad)
{
    load("sample");
    ASSERT_TRUE(save());
    dir.write("games/sample/system/logic.cfg.tmp", "the user's own\n");
    const auto oldTree = tree("games/sample");
    const std::string oldDump = dumpProject();
    auto edit = [] {  // the same change to the old game or the new one
        world.worldSetTileHeight(-3.0f, 1, 1, 0);
        world.mapGlobalChangeSentence(0, 0, sentenceStepAction, 713);
        gameUI.setMenuBackgroundTex(0, 3);
    };
    edit();
    const std::string newDump = dumpProject();
    auto newTree = oldTree;
    newTree["system/map.cfg"] = mapFileText();
    newTree["system/logic.cfg"] = logicFileText();
    newTree["system/ui.cfg"] = uiFileText();
    for (const char* file : {"system/map.cfg", "system/logic.cfg", "system/ui.cfg"})
        ASSERT_NE(newTree[file], oldTree.at(file)) << file;

    struct round {
        writeStage heldAt;
        int occurrence;  // of that step in the save
        bool allNew;
    };
    const round rounds[] = {
        {writeStage::fileStaged, 1, false},  {writeStage::fileStaged, 3, false}, {writeStage::recordWritten, 1, false},
        {writeStage::committed, 1, true},    {writeStage::fileApplied, 1, true}, {writeStage::fileApplied, 2, true},
        {writeStage::applied, 1, true},      {writeStage::finished, 1, true},
    };
    for (const round& r : rounds) {
        SCOPED_TRACE(std::to_string(static_cast<int>(r.heldAt)) + "/" + std::to_string(r.occurrence));
        for (const auto& [file, text] : oldTree)
            if (text != folderMark) dir.write("games/sample/" + file, text);
        dir.write(temporaryFileFor("games/sample/system/logic.cfg"), "left by an older save");
        edit();

        int held[2];
        ASSERT_EQ(pipe(held), 0);
        std::fflush(stdout);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (!std::freopen("/dev/null", "w", stdout)) _exit(2);
            int seen = 0;
            setWriteStageHook([&](writeStage stage) {
                if (stage != r.heldAt || ++seen != r.occurrence) return;
                if (write(held[1], "!", 1) != 1) _exit(3);
                for (;;) pause();
            });
            _exit(saveProject() ? 0 : 1);
        }
        close(held[1]);
        char reached = 0;
        EXPECT_EQ(read(held[0], &reached, 1), 1);  // end of file: the save never got there
        close(held[0]);
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status));

        load("sample");
        EXPECT_TRUE(dumpProject() == (r.allNew ? newDump : oldDump));
        const auto& expected = r.allNew ? newTree : oldTree;
        const auto after = tree("games/sample");
        EXPECT_EQ(names(after), names(expected));
        EXPECT_TRUE(after == expected);
    }
}

// The first copy's load of the sample, held at its open of map.cfg (its
// ui.cfg read already) until the second copy, which it tells to go, waits
// for the game; `secondWaited` is false when the second ended instead.
struct heldLoadPipes {
    int go = -1, waiting = -1;
    bool held = false, secondWaited = false;
};
heldLoadPipes heldLoad;

void holdLoadAtMapFile(const std::string& path)
{
    if (heldLoad.held || path != "games/sample/system/map.cfg") return;
    heldLoad.held = true;
    char sign = 0;
    heldLoad.secondWaited = write(heldLoad.go, "g", 1) == 1 && read(heldLoad.waiting, &sign, 1) == 1;
}

// Two copies of the program on one game: while the first saves, held at a
// step of its save, a second process loads the game or saves its own
// version of it; while the first loads, held in its reading, the second
// saves. The second waits for the first to let the game go; the first's
// word is true (saved, and its three files on the disk), a load reads the
// files of one save whole (the first's, or those before the second's), and
// after a save by the second the disk holds its three files, each save
// reported saved. A copy that cannot have the game within the wait is
// refused and says so; where the file system keeps no locks each goes on,
// said once.
TEST_F(SaveTest, TwoCopiesOnOneGameWaitForEachOther)
{
    load("sample");
    ASSERT_TRUE(save());
    const auto oldTree = tree("games/sample");
    const std::string oldDump = dumpProject();
    struct version {
        std::string dump;
        std::map<std::string, std::string> files;
    };
    auto edit = [&oldTree](float height) {
        world.worldSetTileHeight(height, 1, 1, 0);
        world.setPhrase(0, "saved at " + std::to_string(height));
        auto files = oldTree;
        files["system/map.cfg"] = mapFileText();
        files["system/logic.cfg"] = logicFileText();
        files["system/ui.cfg"] = uiFileText();
        return version{dumpProject(), files};
    };
    const version second = edit(-5.0f), first = edit(-3.0f);
    enum exitCode { readFirst, readOld, readOther };

    struct row {
        writeStage heldAt;
        int occurrence;  // of that step in the first save
        bool secondSaves;
        bool firstLoads;  // held in its reading instead
    };
    std::vector<row> rows;
    for (bool saves : {false, true})
        for (writeStage at : {writeStage::fileStaged, writeStage::recordWritten, writeStage::committed,
                              writeStage::fileApplied, writeStage::applied})
            rows.push_back({at, at == writeStage::fileApplied ? 2 : 1, saves, false});
    rows.push_back({writeStage::fileStaged, 0, true, true});
    setFolderLockWait(std::chrono::seconds(60));  // the first lets the game go as soon as the second waits
    for (const row& r : rows) {
        SCOPED_TRACE((r.firstLoads ? "load" : std::to_string(static_cast<int>(r.heldAt))) +
                     (r.secondSaves ? ", saved" : ", loaded"));
        for (const auto& [file, text] : oldTree)
            if (text != folderMark) dir.write("games/sample/" + file, text);
        edit(-5.0f);
        int go[2], waiting[2];
        ASSERT_EQ(pipe(go), 0);
        ASSERT_EQ(pipe(waiting), 0);
        std::fflush(stdout);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {  // the second copy
            close(go[1]);
            close(waiting[0]);
            char sign = 0;
            if (!std::freopen("/dev/null", "w", stdout) || read(go[0], &sign, 1) != 1) _exit(readOther);
            setWriteStageHook([&](writeStage stage) {
                if (stage == writeStage::folderBusy && write(waiting[1], "w", 1) != 1) _exit(readOther);
            });
            if (r.secondSaves) _exit(saveProject() ? readFirst : readOld);
            loadGame("sample");
            _exit(dumpProject() == first.dump ? readFirst : dumpProject() == oldDump ? readOld : readOther);
        }
        close(go[0]);
        close(waiting[1]);
        if (r.firstLoads) {
            heldLoad = {go[1], waiting[0]};
            setBeforeOpen(holdLoadAtMapFile);
            load("sample");
            setBeforeOpen(nullptr);
            EXPECT_TRUE(heldLoad.held && heldLoad.secondWaited);
            EXPECT_TRUE(world.getGameLoaded() && dumpProject() == oldDump);
        } else {
            edit(-3.0f);
            int seen = 0;
            setWriteStageHook([&](writeStage stage) {
                if (stage != r.heldAt || ++seen != r.occurrence) return;
                char sign = 0;
                EXPECT_EQ(write(go[1], "g", 1), 1);
                EXPECT_EQ(read(waiting[0], &sign, 1), 1);  // end of file: the second never waited
            });
            EXPECT_TRUE(save());
            setWriteStageHook(nullptr);
        }
        close(go[1]);
        close(waiting[0]);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == readFirst) << status;
        const auto after = tree("games/sample");
        const auto& expected = r.secondSaves ? second.files : first.files;
        EXPECT_EQ(names(after), names(expected));
        EXPECT_TRUE(after == expected);
    }

    // Held past the wait: the load and the editor's open are refused and
    // say so, leaving the loaded game; with no locks kept, each goes on.
    setFolderLockWait(std::chrono::milliseconds(50));
    folderLock otherCopy;
    std::string reason;
    ASSERT_TRUE(otherCopy.take("games/sample/system", reason));
    const version latest = edit(-7.0f);
    for (bool editing : {false, true}) {
        console = debugConsole();
        testing::internal::CaptureStdout();
        if (editing) loadGameEditor("sample");
        else loadGame("sample");
        testing::internal::GetCapturedStdout();
        EXPECT_TRUE(consoleHas("^rERROR: ^wThe game ^ysample^w was not loaded: another copy of the program is at work "
                               "on games/sample/system"));
        EXPECT_EQ(notice.getMessage(), "Another copy of the program is at work on ^ysample^w; try again once it is done.");
        EXPECT_EQ(gameSys.getGameState(), gameStateMenu);
        EXPECT_TRUE(world.getGameLoaded() && dumpProject() == latest.dump);
    }
    failWriteCall(writeCall::lock, ENOLCK);
    console = debugConsole();
    EXPECT_TRUE(save() && save());
    load("sample");
    failWriteCall(writeCall::lock, 0);
    setFolderLockWait(folderLockWait);
    otherCopy.release();
    int said = 0;
    for (int i = 0; i < console.getLineCount(); ++i)
        said += console.getLine(i).find("^yWARNING: ^wThe file system of ^ygames/sample/system^w keeps no locks") == 0;
    EXPECT_EQ(said, 1);
    EXPECT_TRUE(world.getGameLoaded() && dumpProject() == latest.dump);
}

// The settings and a menu system's file are held while they are written:
// held by another copy past the wait, neither is written, the save names
// that copy (the menu save with the notice every refused save gives) and
// the program goes on (a quit whose settings are so refused
// still ends with 0); once it lets them go, each is written.
TEST_F(SaveTest, TheSettingsAndTheMenuFilesAreNotWrittenWhileAnotherCopyHoldsThem)
{
    struct row {
        const char* project;  // none for the settings
        const char* file;
    };
    const row rows[] = {{nullptr, "system/system.cfg"}, {"mainui", "system/ui.cfg"}, {"ingameui", "system/ingameui.cfg"}};
    const std::string otherCopyAtWork = "another copy of the program is at work on system and has not let it go";
    const auto saveSettings = [] {
        saveSystem();
        return true;
    };
    setFolderLockWait(std::chrono::milliseconds(50));
    folderLock otherCopy;
    std::string reason;
    for (const row& r : rows) {
        SCOPED_TRACE(r.file);
        world.setGameName(r.project ? r.project : "");
        const std::string text = r.project ? uiFileText() : systemSettingsText();
        dir.write(r.file, "as the other copy left it\n");
        ASSERT_TRUE(otherCopy.take("system", reason));
        console = debugConsole();
        notice = uiNotice();
        EXPECT_EQ(save(r.project ? saveProject : +saveSettings), !r.project);
        EXPECT_EQ(dir.read(r.file), "as the other copy left it\n");
        if (r.project) {
            EXPECT_TRUE(consoleHas(QV_ERROR "The save was not written: " + otherCopyAtWork));
        } else {
            EXPECT_TRUE(consoleHas(QV_ERROR "The system settings were not saved: " + otherCopyAtWork));
            EXPECT_FALSE(consoleHas("Error opening"));
        }
        otherCopy.release();
        EXPECT_TRUE(save(r.project ? saveProject : +saveSettings));
        EXPECT_EQ(dir.read(r.file), text);
    }
    world.setGameName("");
    ASSERT_TRUE(otherCopy.take("system", reason));
    EXPECT_EXIT(quitEngine(quitStatusUser), ::testing::ExitedWithCode(quitStatusUser), "");
    otherCopy.release();
    setFolderLockWait(folderLockWait);
}

// What a save cut short left, found by the next load, the world editor's
// next open of the game, or the next save: a record with part of its
// temporaries is finished (also the first save of a new game, whose map.cfg
// is still a temporary), temporaries without a record go, and nothing else
// is touched: a user's file of another name, a folder or a link under one of
// the writer's names, a named pipe in a committed file's place, or a record
// the writer did not write or that names another file: the load (the
// editor's open once) warns of what it cannot finish, and a save fails for
// it, leaving all of it, never writing through a link.
TEST_F(SaveTest, WhatASaveCutShortLeftIsFinishedOrRemoved)
{
    // A record as a save writes it, as any later version must read it.
    const std::string record = "quorvane commit record 1\nmap.cfg\nlogic.cfg\nui.cfg\n";
    const std::string gone = "<gone>", pipeMark = "<pipe>";
    const std::string sampleMap = fileText(std::string(QV_DATA_DIR) + "/games/sample/system/map.cfg");
    enum openedBy { loading, editing, saving };
    struct row {
        const char* what;
        const char* game;
        openedBy by;
        std::map<std::string, std::string> left;     // under the game's system/: written, or a folder or a link
        std::map<std::string, std::string> changed;  // what then differs under system/, <gone> where removed
        const char* logged;                          // a line the load's warning or the save's failure holds
    };
    const std::vector<row> rows = {
        {"a record with part of its temporaries", "sample", loading,
         {{".quorvane-saving-commit", record}, {".quorvane-saving-ui.cfg", "the committed menus\n"}},
         {{".quorvane-saving-commit", gone}, {".quorvane-saving-ui.cfg", gone}, {"ui.cfg", "the committed menus\n"}},
         nullptr},
        {"a record and a temporary it does not name", "sample", loading,
         {{".quorvane-saving-commit", "quorvane commit record 1\nui.cfg\n"},
          {".quorvane-saving-ui.cfg", "the committed menus\n"}, {".quorvane-saving-logic.cfg", "never committed\n"}},
         {{".quorvane-saving-commit", gone}, {".quorvane-saving-ui.cfg", gone}, {".quorvane-saving-logic.cfg", gone},
          {"ui.cfg", "the committed menus\n"}},
         nullptr},
        {"a new game's first save, committed, opened by a load", "fresh", loading,
         {{".quorvane-saving-commit", record}, {".quorvane-saving-map.cfg", sampleMap},
          {".quorvane-saving-logic.cfg", "\n"}, {".quorvane-saving-ui.cfg", "\n"}},
         {{".quorvane-saving-commit", gone}, {".quorvane-saving-map.cfg", gone}, {".quorvane-saving-logic.cfg", gone},
          {".quorvane-saving-ui.cfg", gone}, {"map.cfg", sampleMap}, {"logic.cfg", "\n"}, {"ui.cfg", "\n"}},
         nullptr},
        {"a new game's first save, committed, opened in the world editor", "fresh", editing,
         {{".quorvane-saving-commit", record}, {".quorvane-saving-map.cfg", sampleMap}},
         {{".quorvane-saving-commit", gone}, {".quorvane-saving-map.cfg", gone}, {"map.cfg", sampleMap}}, nullptr},
        {"temporaries without a record", "sample", loading,
         {{".quorvane-saving-map.cfg", "never committed\n"}, {".quorvane-saving-logic.cfg", "never committed\n"},
          {".quorvane-saving-commit.new", record}},
         {{".quorvane-saving-map.cfg", gone}, {".quorvane-saving-logic.cfg", gone},
          {".quorvane-saving-commit.new", gone}},
         nullptr},
        {"a folder and a link under the writer's names", "sample", loading,
         {{".quorvane-saving-ui.cfg", folderMark}, {".quorvane-saving-map.cfg", "<link to notes.txt>"}}, {}, nullptr},
        {"a committed save finished by the next save, which fails", "sample", saving,
         {{".quorvane-saving-commit", record}, {".quorvane-saving-map.cfg", "the committed map\n"},
          {"ui.cfg", folderMark}},
         {{".quorvane-saving-commit", gone}, {".quorvane-saving-map.cfg", gone}, {"map.cfg", "the committed map\n"}},
         "games/sample/system/ui.cfg is a folder"},
        {"a record whose file has become a named pipe", "sample", loading,
         {{".quorvane-saving-commit", record}, {".quorvane-saving-logic.cfg", "the committed logic\n"},
          {"logic.cfg", pipeMark}},
         {},
         "games/sample/system/logic.cfg is a named pipe, not a file that can be replaced"},
        {"a folder at the record's name", "sample", loading,
         {{".quorvane-saving-commit", folderMark}, {".quorvane-saving-map.cfg", "kept\n"}}, {},
         "^yWARNING: ^wWhat a save of ^ysample^w cut short left cannot be finished: "
         "games/sample/system/.quorvane-saving-commit is a folder, not a file; it is left as it is"},
        {"a folder at the record's name, opened in the world editor", "sample", editing,
         {{".quorvane-saving-commit", folderMark}}, {},
         "games/sample/system/.quorvane-saving-commit is a folder, not a file; it is left as it is"},
        {"a file of the user's at the record's name", "sample", saving,
         {{".quorvane-saving-commit", "the user's own\n"}, {".quorvane-saving-map.cfg", "kept\n"}}, {},
         "games/sample/system/.quorvane-saving-commit is not a record of the files saved there"},
        {"a record naming a file that is not the game's", "sample", loading,
         {{".quorvane-saving-commit", "quorvane commit record 1\nnotes.txt\n"}}, {},
         "games/sample/system/.quorvane-saving-commit is not a record of the files saved there"},
        {"a link at a temporary's name, which a save never writes through", "sample", saving,
         {{".quorvane-saving-logic.cfg", "<link to notes.txt>"}}, {},
         "games/sample/system/.quorvane-saving-logic.cfg is a symbolic link, at the name this program saves "
         "through; it is left as it is: move it away"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        const std::string game = std::string("games/") + r.game, system = game + "/system/";
        gameSys.setGameState(gameStateMenu);
        fs::remove_all(game);
        if (r.game == std::string("sample")) copyTree(fs::path(QV_DATA_DIR) / game, game);
        if (r.by == saving) load(r.game);
        world.setPhrase(0, r.what);
        dir.write(system + "notes.txt", "the user's notes\n");
        dir.write(system + ".quorvane-saving-notes.txt", "the user's, under the writer's prefix\n");
        for (const auto& [name, text] : r.left) {
            fs::remove(system + name);
            if (text == folderMark)
                fs::create_directories(system + name + "/inside");
            else if (text == pipeMark)
                EXPECT_EQ(mkfifo((system + name).c_str(), 0600), 0);
            else if (text.rfind("<link to ", 0) == 0)
                fs::create_symlink(text.substr(9, text.size() - 10), system + name);
            else
                dir.write(system + name, text);
        }
        auto expected = tree(game);
        for (const auto& [name, text] : r.changed) {
            if (text == gone)
                expected.erase("system/" + name);
            else
                expected["system/" + name] = text;
        }

        console = debugConsole();
        if (r.by == saving) {
            EXPECT_FALSE(save());
        } else {
            testing::internal::CaptureStdout();
            if (r.by == loading) loadGame(r.game);
            if (r.by == editing) loadGameEditor(r.game);
            testing::internal::GetCapturedStdout();
            EXPECT_TRUE(world.getGameLoaded() && world.getGameName() == r.game);
            EXPECT_EQ(gameSys.getGameState(), r.by == editing ? gameStateWorldEditor : gameStateMenu);
        }
        EXPECT_TRUE(!r.logged || consoleHas(r.logged)) << r.logged;
        int warnings = 0;
        for (int i = 0; i < console.getLineCount(); ++i)
            warnings += console.getLine(i).find("cut short left cannot be finished") != std::string::npos;
        EXPECT_EQ(warnings, r.logged && r.by != saving ? 1 : 0);
        const auto after = tree(game);
        EXPECT_EQ(names(after), names(expected));
        EXPECT_TRUE(after == expected);
    }
}

}  // namespace
