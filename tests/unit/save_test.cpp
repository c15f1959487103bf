// Saving projects in a copy of the bundled data: the writers' exact bytes,
// round trips of every game through the loaders, saves that fail without
// touching the old files or ending the program, and a save killed at each step.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

#include "core/file_write.h"
#include "core/file_write_internal.h"
#include "core/script.h"
#include "core/system.h"
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

// A save that cannot be completed changes nothing under the game's folder,
// leaves nothing behind, reports the failure with its cause, says nothing
// was saved and returns to the program; a named pipe in a file's place fails
// the save at once instead of holding it for good.
TEST_F(SaveTest, FailedSavesChangeNothingAndReportNoSuccess)
{
    enum inTheWayKind { nothing, folder, pipe };
    struct fault {
        const char* what;
        std::string name;
        const char* file;      // the game's file that something else takes the place of
        inTheWayKind inTheWay;
        rlim_t fileSizeLimit;  // as a full device: no file written grows past it
        int exchangeError;     // the exchange of the new folder with the old one fails so
        const char* reason;    // of the log line before the notice's
    };
    const fault faults[] = {
        {"the device fills up while map.cfg is written", "sample", nullptr, nothing, 4096, 0,
         "map.cfg cannot be written whole: File too large"},
        {"ui.cfg fails after the world's files were written", "sample", "ui.cfg", folder, RLIM_INFINITY, 0,
         "games/sample/system/ui.cfg is a folder"},
        {"a named pipe in logic.cfg's place", "sample", "logic.cfg", pipe, RLIM_INFINITY, 0,
         "games/sample/system/logic.cfg is a named pipe"},
        {"a disk error when the folders are exchanged", "sample", nullptr, nothing, RLIM_INFINITY, EIO,
         "games/sample/system cannot be replaced: Input/output error"},
        {"a name that is more than one folder", "../escaped", nullptr, nothing, RLIM_INFINITY, 0,
         "the game name is not a single folder name"},
    };
    load("sample");
    ASSERT_TRUE(save());
    signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
    rlimit unlimited{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    for (const fault& f : faults) {
        SCOPED_TRACE(f.what);
        console = debugConsole();
        world.setGameName(f.name);
        const fs::path inTheWay = fs::path("games/sample/system") / (f.file ? f.file : "");
        const std::string kept = f.file ? dir.read(inTheWay.string()) : "";
        if (f.inTheWay != nothing) fs::remove(inTheWay);
        if (f.inTheWay == folder) fs::create_directories(inTheWay / "in the way");
        if (f.inTheWay == pipe) {
            ASSERT_EQ(mkfifo(inTheWay.c_str(), 0600), 0);
        }
        const auto before = tree("games");

        rlimit limited = unlimited;
        limited.rlim_cur = f.fileSizeLimit;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        failWriteCall(writeCall::exchange, f.exchangeError);
        EXPECT_FALSE(save());
        failWriteCall(writeCall::exchange, 0);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &unlimited), 0);
        EXPECT_EQ(notice.getTitle(), "^yERROR");
        EXPECT_EQ(notice.getMessage(), "Error opening: " + f.name + ". Aborting.");
        EXPECT_TRUE(consoleHas("^rERROR: ^wThe save was not written: "));
        EXPECT_TRUE(consoleHas(f.reason));
        EXPECT_TRUE(consoleHas("^rERROR: ^wError opening: " + f.name + ". Aborting."));
        EXPECT_FALSE(consoleHas("successfully saved"));
        const auto after = tree("games");
        EXPECT_EQ(names(after), names(before));
        EXPECT_TRUE(after == before);

        if (f.inTheWay != nothing) {
            fs::remove_all(inTheWay);
            dir.write(inTheWay.string(), kept);
        }
    }
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(fs::exists("escaped"));
}

// A user's own files in the game's system folder, whatever their names, come
// through every save unchanged: two saves in a row, a save on a file system
// that cannot exchange two folders (the files are then replaced one by one,
// and nothing is carried, so a pipe that could not be is no matter), and one
// on a file system that cannot link files (the others are copied). What
// others write into the folder once its entries are carried (a new file, one
// in a sub-folder, a file replaced by a rename, one appended to) is kept,
// each named in a warning. The lines that say the save succeeded come once
// the files are in place, world, menus and project in that order.
TEST_F(SaveTest, TheUsersOwnFilesSurviveEverySave)
{
    load("sample");
    const std::string system = "games/sample/system/";
    dir.write(system + "notes.tmp", "the user's notes\n");
    dir.write(system + "backup.cfg.tmp", std::string("\0 older map \xff", 14));
    dir.write(system + "old/map.cfg", "an older map\n");
    fs::create_symlink("notes.tmp", system + "notes.link");
    ASSERT_EQ(mkfifo((system + "pipe").c_str(), 0600), 0);
    const std::map<std::string, std::string> meanwhile = {
        {"added.txt", "written meanwhile\n"}, {"old/added.cfg", "written meanwhile\n"},
        {"notes.tmp", "replaced meanwhile\n"}, {"backup.cfg.tmp", "appended meanwhile\n"}};
    auto writeMeanwhile = [&] {
        dir.write(system + "added.txt", meanwhile.at("added.txt"));
        dir.write(system + "old/added.cfg", meanwhile.at("old/added.cfg"));
        fs::rename(dir.write("replacement", meanwhile.at("notes.tmp")), system + "notes.tmp");
        std::ofstream(system + "backup.cfg.tmp", std::ios::binary | std::ios::app) << meanwhile.at("backup.cfg.tmp");
    };

    struct round {
        const char* what;
        int exchangeError, linkError;  // 0: the call runs
    };
    const round rounds[] = {
        {"a save", 0, 0},
        {"a second save", 0, 0},
        {"no exchange of two folders, nor a second link", EINVAL, EPERM},
        {"no second link to a file", 0, EPERM},
    };
    for (const round& r : rounds) {
        SCOPED_TRACE(r.what);
        if (r.linkError && !r.exchangeError) fs::remove(system + "pipe");  // a pipe can be linked, not copied
        for (const char* added : {"added.txt", "old/added.cfg"}) fs::remove(system + added);  // new in each save
        world.setPhrase(0, r.what);
        auto expected = tree("games/sample");
        expected["system/map.cfg"] = mapFileText();
        expected["system/logic.cfg"] = logicFileText();
        expected["system/ui.cfg"] = uiFileText();
        const bool swapped = r.exchangeError == 0;
        for (const auto& [file, text] : meanwhile) {
            if (!swapped) break;
            std::string& now = expected["system/" + file];
            now = file == "backup.cfg.tmp" ? now + text : text;  // appended to, or written whole
        }

        console = debugConsole();
        failWriteCall(writeCall::exchange, r.exchangeError);
        failWriteCall(writeCall::link, r.linkError);
        setWriteStageHook([&](writeStage stage) {
            if (stage == writeStage::othersCarried) writeMeanwhile();
        });
        const bool saved = save();
        setWriteStageHook(nullptr);
        failWriteCall(writeCall::exchange, 0);
        failWriteCall(writeCall::link, 0);
        ASSERT_TRUE(saved);
        const auto after = tree("games/sample");
        EXPECT_EQ(names(after), names(expected));
        EXPECT_TRUE(after == expected);
        for (const char* file : {"added.txt", "old/added.cfg", "notes.tmp"})
            EXPECT_EQ(consoleHas(system + file + "^w was written while the save ran; it is kept."), swapped) << file;

        // Console lines count from the newest: an earlier line has a higher number.
        const int staged = consoleLineOf("Outputting UI data");
        const int worldSaved = consoleLineOf("Game has been successfully saved!");
        const int menusSaved = consoleLineOf("UI has been successfully saved!");
        const int projectSaved = consoleLineOf("The project has been successfully saved.");
        EXPECT_TRUE(staged > worldSaved && worldSaved > menusSaved && menusSaved > projectSaved && projectSaved >= 0)
            << staged << ' ' << worldSaved << ' ' << menusSaved << ' ' << projectSaved;
        const int notAtomic = consoleLineOf("is not atomic");
        EXPECT_EQ(notAtomic >= 0, !swapped);
        EXPECT_TRUE(notAtomic < 0 || notAtomic > worldSaved);
    }
}

// For its length, the test runs as a user whom file modes bind: its own, or,
// when that is root (whom they do not bind), the unprivileged user 65534,
// who is given `root`'s tree. False from bound() when neither can be had.
class modesBindingUser {
public:
    explicit modesBindingUser(const std::string& root)
    {
        if (geteuid() != 0) return;
        bool given = ::lchown(root.c_str(), nobody, nobody) == 0;
        for (fs::recursive_directory_iterator it(root), end; given && it != end; ++it)
            given = ::lchown(it->path().c_str(), nobody, nobody) == 0;
        switched = given && ::seteuid(nobody) == 0;
    }
    ~modesBindingUser()
    {
        if (switched && ::seteuid(0) != 0) std::abort();
    }
    bool bound() const { return geteuid() != 0; }

private:
    static constexpr uid_t nobody = 65534;
    bool switched = false;
};

// A save that fails never blocks the next: a sub-folder of the system
// folder that cannot be read fails that save with its reason, and once it
// can be read the next save succeeds; a read-only sub-folder is carried
// with its mode.
TEST_F(SaveTest, AFailedSaveNeverBlocksTheNext)
{
    load("sample");
    ASSERT_TRUE(save());
    const struct {
        const char* what;
        const char* folder;  // made, with a file in it, then given the mode
        mode_t mode;
        const char* reason;  // of the save that fails; none when it succeeds
    } rows[] = {
        {"a sub-folder that cannot be read", "system/private", 0300,
         "the folder games/sample/system/private cannot be read: Permission denied"},
        {"a read-only sub-folder", "system/private", 0555, nullptr},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const std::string folder = "games/sample/" + std::string(r.folder);
        dir.write(folder + "/kept.txt", "the user's\n");
        ASSERT_EQ(chmod(folder.c_str(), r.mode), 0);
        {
            modesBindingUser user("games/sample");
            if (!user.bound()) GTEST_SKIP() << "no user whom file modes bind";
            console = debugConsole();
            EXPECT_EQ(save(), r.reason == nullptr);
            EXPECT_TRUE(!r.reason || consoleHas(r.reason));
            struct stat info {};
            EXPECT_TRUE(r.reason || (stat(folder.c_str(), &info) == 0 && (info.st_mode & 07777) == r.mode));
            EXPECT_EQ(chmod(folder.c_str(), 0755), 0);
            EXPECT_TRUE(save());
        }
        EXPECT_FALSE(fs::exists(newFolderFor("games/sample/system")));
        EXPECT_EQ(dir.read(folder + "/kept.txt"), "the user's\n");
        fs::remove_all("games/sample/system/private");
    }
}

// Whatever others do in the game's system folder while a save runs, nothing
// of theirs is lost: each row is a save with something done to the folder
// at its steps (through a handle on it, as a program working in it holds it,
// which after the exchange is the old folder), then a plain second save.
// Afterwards every entry of the user's is in system/ or in the one folder
// kept beside it, each named in a warning; the game's files are the second
// save's, and nothing of the writer's is left.
TEST_F(SaveTest, NothingOthersWriteDuringASaveIsLost)
{
    load("sample");
    const std::string game = "games/sample/", system = game + "system/", leftover = game + ".quorvane-saving-system/";
    const std::string gone = "<gone>", keptMark = "<kept>";
    int held = -1;
    auto writeAt = [&held](const char* name, const std::string& text) {
        const int fd = openat(held, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        const bool written = fd >= 0 && write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        if (fd >= 0) close(fd);
        return written;
    };
    // The same number of bytes written over a file, its modification time
    // put back, as `touch -r` or `rsync -t --inplace` do: only its change
    // time tells, so the rewrite waits for the clock to give it a new one.
    auto rewriteKeepingTime = [](const std::string& path, const std::string& text) {
        struct stat was {}, is {};
        ASSERT_EQ(stat(path.c_str(), &was), 0);
        ASSERT_EQ(static_cast<size_t>(was.st_size), text.size());
        do {
            std::fstream(path, std::ios::in | std::ios::out | std::ios::binary) << text;
            const timespec times[2] = {was.st_atim, was.st_mtim};
            ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
            ASSERT_EQ(stat(path.c_str(), &is), 0);
        } while (is.st_ctim.tv_sec == was.st_ctim.tv_sec && is.st_ctim.tv_nsec == was.st_ctim.tv_nsec);
    };
    struct row {
        const char* what;
        int linkError;     // links refused so: the entries are copied
        bool asBoundUser;  // saved as a user whom file modes bind
        std::function<void()> before;
        std::function<void(writeStage, int)> during;  // at each step of the first save, and its occurrence
        std::map<std::string, std::string> changed;   // under games/sample, "<kept>/" for the kept folder
        std::vector<std::string> warned;              // paths under games/sample that warnings name
    };
    const std::vector<row> rows = {
        {"files written into the old folder while it is removed", 0, false, [] {},
         [&](writeStage stage, int occurrence) {
             if (stage == writeStage::foldersSwapped) {
                 EXPECT_TRUE(writeAt("late.txt", "written late\n"));
             } else if (stage == writeStage::oldFolderCleared && occurrence == 1) {
                 EXPECT_TRUE(writeAt("later.txt", "written later\n"));
             } else if (stage == writeStage::oldFolderRemoved) {
                 EXPECT_FALSE(writeAt("lost.txt", "never written\n"));  // the old folder is gone
             }
         },
         {{"system/late.txt", "written late\n"}, {"system/later.txt", "written later\n"}},
         {"system/late.txt", "system/later.txt"}},
        {"sub/ replaced by a file before the exchange", 0, false, [] {},
         [&](writeStage stage, int) {
             if (stage != writeStage::othersCarried) return;
             fs::remove_all(system + "sub");
             dir.write(system + "sub", "a file in sub's place\n");
         },
         {{"system/sub", "a file in sub's place\n"}, {"system/sub/inner.txt", gone}}, {"system/sub"}},
        {"sub/ replaced by a link before the exchange", 0, false, [] {},
         [&](writeStage stage, int) {
             if (stage != writeStage::othersCarried) return;
             fs::remove_all(system + "sub");
             fs::create_symlink("help.cfg", system + "sub");
         },
         {{"system/sub", "<link to help.cfg>"}, {"system/sub/inner.txt", gone}}, {"system/sub"}},
        {"a rewrite that keeps size and time where files are copied", EPERM, false, [] {},
         [&](writeStage stage, int) {
             if (stage == writeStage::othersCarried) rewriteKeepingTime(system + "notes.txt", "THE USER'S NOTES\n");
         },
         {{"system/notes.txt", "THE USER'S NOTES\n"}}, {"system/notes.txt"}},
        {"a leftover of a killed save holding the user's files",
         0, false,
         [&] {
             dir.write(leftover + "map.cfg", "a killed save's map\n");
             dir.write(leftover + "draft.txt", "the user's draft\n");
             dir.write(leftover + "notes.txt", "a later note\n");
             fs::create_directories(leftover + "sub");
             fs::create_hard_link(system + "help.cfg", leftover + "help.cfg");
             fs::create_hard_link(system + "sub/inner.txt", leftover + "sub/inner.txt");
         },
         [](writeStage, int) {}, {{"system/draft.txt", "the user's draft\n"}, {"<kept>/notes.txt", "a later note\n"}},
         {"system/draft.txt"}},
        {"a read-only folder copied into the old folder", 0, true, [] {},
         [&](writeStage stage, int) {
             if (stage != writeStage::foldersSwapped) return;
             ASSERT_EQ(mkdirat(held, "photos", 0755), 0);
             EXPECT_TRUE(writeAt("photos/a.png", "a photo\n"));
             ASSERT_EQ(fchmodat(held, "photos", 0555, 0), 0);
         },
         {{"<kept>/photos", folderMark}, {"<kept>/photos/a.png", "a photo\n"}}, {}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        fs::remove_all(game);
        copyTree(fs::path(QV_DATA_DIR) / game, game);
        dir.write(system + "sub/inner.txt", "inside sub\n");
        dir.write(system + "notes.txt", "the user's notes\n");
        auto expected = tree(game);
        r.before();

        std::unique_ptr<modesBindingUser> user;
        if (r.asBoundUser) user = std::make_unique<modesBindingUser>(game);
        if (user && !user->bound()) GTEST_SKIP() << "no user whom file modes bind";
        console = debugConsole();
        std::map<writeStage, int> seen;
        failWriteCall(writeCall::link, r.linkError);
        setWriteStageHook([&](writeStage stage) {
            if (stage == writeStage::othersCarried) held = open(system.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            r.during(stage, ++seen[stage]);
        });
        world.setPhrase(0, std::string(r.what) + ": the first save");
        EXPECT_TRUE(save());
        setWriteStageHook(nullptr);
        failWriteCall(writeCall::link, 0);
        close(held);
        held = -1;
        world.setPhrase(0, std::string(r.what) + ": the second save");
        EXPECT_TRUE(save());
        user.reset();

        EXPECT_FALSE(consoleHas("The save was not written"));
        for (const std::string& path : r.warned) EXPECT_TRUE(consoleHas("WARNING: ^w^y" + game + path + "^w")) << path;
        std::string kept;
        for (fs::directory_iterator it(game), end; it != end; ++it) {
            const std::string name = it->path().filename().string();
            if (name.rfind("system.kept-", 0) == 0) kept = name;
        }
        std::map<std::string, std::string> after;
        for (const auto& [path, text] : tree(game)) {
            if (!kept.empty() && path.rfind(kept + "/", 0) == 0)
                after[keptMark + path.substr(kept.size())] = text;
            else if (path != kept)
                after[path] = text;
        }
        const bool keepsSome = std::any_of(r.changed.begin(), r.changed.end(),
                                           [&](const auto& c) { return c.first.rfind(keptMark + "/", 0) == 0; });
        EXPECT_EQ(!kept.empty(), keepsSome);
        EXPECT_TRUE(kept.empty() || consoleHas("is kept in ^y" + game + kept + "^w: ")) << kept;
        expected["system/map.cfg"] = mapFileText();
        expected["system/logic.cfg"] = logicFileText();
        expected["system/ui.cfg"] = uiFileText();
        for (const auto& [path, text] : r.changed) {
            if (text == gone)
                expected.erase(path);
            else
                expected[path] = text;
        }
        EXPECT_EQ(names(after), names(expected));
        EXPECT_TRUE(after == expected);
    }
}

// A saving process killed with SIGKILL at each step of a save, held there
// through the writer's hook: the game's map, logic and menu files are all
// the old ones or all the new ones, a load reads only them, and the next
// save leaves nothing of the killed one behind, nor a temporary file that an
// older save left, while the user's own files stay.
TEST_F(SaveTest, ASaveKilledAtAnyStepLeavesAllOldOrAllNewAndNoLeftover)
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
        {writeStage::newFolderMade, 1, false},  {writeStage::fileWritten, 1, false},
        {writeStage::fileWritten, 3, false},    {writeStage::othersCarried, 1, false},
        {writeStage::foldersSwapped, 1, true},  {writeStage::oldFolderCleared, 1, true},
        {writeStage::oldFolderRemoved, 1, true},
    };
    for (const round& r : rounds) {
        SCOPED_TRACE(std::to_string(static_cast<int>(r.heldAt)) + "/" + std::to_string(r.occurrence));
        for (const auto& [file, text] : oldTree)
            if (text != folderMark) dir.write("games/sample/" + file, text);
        dir.write(temporaryFileFor("games/sample/system/logic.cfg"), "left by an older save");

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

        const auto& expected = r.allNew ? newTree : oldTree;
        for (const char* file : {"system/map.cfg", "system/logic.cfg", "system/ui.cfg", "system/help.cfg"})
            EXPECT_TRUE(dir.read("games/sample/" + std::string(file)) == expected.at(file)) << file;
        load("sample");
        EXPECT_TRUE(dumpProject() == (r.allNew ? newDump : oldDump));

        edit();
        ASSERT_TRUE(save());
        const auto saved = tree("games/sample");
        EXPECT_EQ(names(saved), names(newTree));
        EXPECT_TRUE(saved == newTree);
    }
}

}  // namespace
