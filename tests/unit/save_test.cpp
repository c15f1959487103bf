// Saving projects in a copy of the bundled data: the writers' exact bytes,
// round trips of every game through the loaders, saves that fail without
// touching the old files or ending the program, and a save killed midway.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "core/file_write.h"
#include "core/script.h"
#include "core/system.h"
#include "editor/save_project.h"
#include "editor/save_ui.h"
#include "editor/save_world.h"
#include "media/image_loading.h"
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

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string fixture(const std::string& name)
{
    return fileText(std::string(QV_FIXTURES_DIR) + "/save/" + name);
}

using testutil::consoleHas;

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
    ASSERT_TRUE(save(saveGameWorld));
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

// A save that cannot be completed leaves the files it did not finish as they
// were, reports the failure, shows no success and returns to the program.
TEST_F(SaveTest, FailedSavesKeepTheOldFilesAndReportNoSuccess)
{
    struct fault {
        const char* what;
        std::string name;
        const char* blocked;  // made a folder (cannot be opened) or a full device
        bool fullDevice;
        bool worldSaved;  // before the failure
    };
    const fault faults[] = {
        {"no new file can be made beside map.cfg", "sample", "map.cfg.tmp", false, false},
        {"logic.cfg fails after map.cfg was written", "sample", "logic.cfg.tmp", true, false},
        {"the menu file fails after the world was saved", "sample", "ui.cfg.tmp", false, true},
        {"a name that is more than one folder", "../escaped", nullptr, false, false},
    };
    load("sample");
    ASSERT_TRUE(save());
    const std::string before = files("sample");
    for (const fault& f : faults) {
        SCOPED_TRACE(f.what);
        console = debugConsole();
        world.setGameName(f.name);
        const fs::path blocked = fs::path("games/sample/system") / (f.blocked ? f.blocked : "");
        if (f.fullDevice) {
            fs::create_symlink("/dev/full", blocked);
        } else if (f.blocked) {
            fs::create_directories(blocked / "in the way");
        }

        EXPECT_FALSE(save());
        EXPECT_EQ(notice.getTitle(), "^yERROR");
        EXPECT_EQ(notice.getMessage(), "Error opening: " + f.name + ". Aborting.");
        EXPECT_TRUE(consoleHas("^rERROR: ^wError opening: " + f.name + ". Aborting."));
        EXPECT_FALSE(consoleHas("The project has been successfully saved."));
        EXPECT_EQ(consoleHas("Game has been successfully saved!"), f.worldSaved);
        EXPECT_EQ(files("sample"), before);
        for (const char* leftover : {"map.cfg.tmp", "logic.cfg.tmp", "ui.cfg.tmp"}) {
            if (f.blocked && std::string(leftover) == f.blocked) continue;
            EXPECT_FALSE(fs::exists(fs::symlink_status(fs::path("games/sample/system") / leftover))) << leftover;
        }
        if (f.blocked) fs::remove_all(blocked);
    }
    EXPECT_FALSE(fs::exists("escaped"));
}

// A saving process killed with SIGKILL while it writes: each file is the
// old one or the complete new one. A temporary file made a pipe holds the
// writer at a chosen byte; the last round lets it finish.
TEST_F(SaveTest, ASaveKilledMidwayLeavesEachFileOldOrCompleteNew)
{
    constexpr int side = 400;
    world.setGameName("big");
    world.allocateMaps(1);
    world.worldSetMap(side, side, "Big", 0);
    for (int x = 0; x < side; ++x)
        for (int y = 0; y < side; ++y) {
            world.worldSetTile(1 + (x + y) % 50, x, y, 0);
            world.worldSetTileHeight(0.5f + (x * y) % 7, x, y, 0);
        }
    for (int o = 0; o < 1000; ++o) {
        world.worldSetObject(float(o), 1, 1, 1, 1, 1, o, 0, o, 0);
        for (int s = 0; s < 20; ++s) world.mapLocalAddSentence(o, 0);
    }
    ASSERT_TRUE(save(saveGameWorld));
    const std::string oldMap = mapFileText(), oldLogic = logicFileText();
    world.worldSetTileHeight(-3.0f, side - 1, side - 1, 0);
    world.mapLocalChangeSentence(0, sentenceStepAction, 713, 999, 0);
    const std::string newMap = mapFileText(), newLogic = logicFileText();

    const std::string folder = "games/big/system/";
    // The writer blocks on the pipe only while more than the pipe holds is unread.
    constexpr size_t pipeSlack = 256 * 1024;  // a pipe holds 64 KiB
    ASSERT_GT(newLogic.size(), 2 * pipeSlack);
    struct round {
        const char* heldFile;
        size_t heldAt;  // bytes read from it before the kill
    };
    const round rounds[] = {{"map.cfg", 0}, {"map.cfg", newMap.size() / 2}, {"map.cfg", newMap.size() - pipeSlack},
                            {"logic.cfg", newLogic.size() - pipeSlack}, {nullptr, 0}};
    for (const round& r : rounds) {
        SCOPED_TRACE(r.heldFile ? r.heldFile : "finished");
        const std::string pipe = r.heldFile ? temporaryFileFor(folder + r.heldFile) : "";
        if (r.heldFile) {
            ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
        }
        std::fflush(stdout);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (!std::freopen("/dev/null", "w", stdout)) _exit(2);
            _exit(saveGameWorld() ? 0 : 1);
        }
        if (r.heldFile) {
            std::ifstream held(pipe, std::ios::binary);
            std::string part(r.heldAt, '\0');
            held.read(part.data(), static_cast<std::streamsize>(part.size()));
            const std::string& whole = std::string(r.heldFile) == "map.cfg" ? newMap : newLogic;
            EXPECT_EQ(part, whole.substr(0, r.heldAt));
            kill(child, SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_EQ(r.heldFile ? WIFSIGNALED(status) : WIFEXITED(status) && WEXITSTATUS(status) == 0, true);
        const std::string map = dir.read(folder + "map.cfg"), logic = dir.read(folder + "logic.cfg");
        EXPECT_TRUE(map == (r.heldFile ? oldMap : newMap));
        EXPECT_TRUE(logic == (r.heldFile ? oldLogic : newLogic));
        if (r.heldFile) fs::remove(pipe);
    }
}

}  // namespace
