// Creating and loading games in a copy of the bundled data: the sample game
// loads whole and renames nothing; refused names change nothing on disk; a
// load or a create over a loaded game clears it; a game whose files would
// exhaust the machine loads bounded or is refused, and the program goes on;
// folders, links, named pipes and oversized files left in a game are named,
// never renamed, and none but the files among them opened; a reset restores the loaded game and leaving it
// returns to the front end; the sample is won with an arrow held.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <thread>

#include <GL/freeglut.h>

#include "core/camera.h"
#include "core/frame.h"
#include "core/frame_internal.h"
#include "core/input.h"
#include "core/log.h"
#include "core/script.h"
#include "core/system.h"
#include "core/window_internal.h"
#include "editor/editor.h"
#include "media/image_loading.h"
#include "media/image_loading_internal.h"
#include "media/model.h"
#include "media/sound.h"
#include "media/texture.h"
#include "menus/console.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "tests/unit/test_util.h"
#include "world/game_leave.h"
#include "world/game_load.h"
#include "world/movement.h"
#include "world/render_primitives.h"
#include "world/world.h"

namespace {

namespace fs = boost::filesystem;

using testutil::noTexture;

// Every file under the folder with its size, to see that nothing moved.
std::map<std::string, uintmax_t> tree(const fs::path& root)
{
    std::map<std::string, uintmax_t> files;
    for (fs::recursive_directory_iterator it(root), end; it != end; ++it)
        if (fs::is_regular_file(it->path())) files[fs::relative(it->path(), root).string()] = fs::file_size(it->path());
    return files;
}

std::vector<std::string> consoleLines()
{
    std::vector<std::string> lines;
    for (int i = console.getLineCount() - 1; i >= 0; --i) lines.push_back(console.getLine(i));
    return lines;
}

bool inOrder(const std::vector<std::string>& lines, const std::vector<std::string>& wanted)
{
    size_t next = 0;
    for (const std::string& line : lines)
        if (next < wanted.size() && line.find(wanted[next]) != std::string::npos) ++next;
    return next == wanted.size();
}

using testutil::consoleHas;

std::vector<int> modelCounts()
{
    int models = -1, textures = -1;
    world.worldGetModel(models, textures);
    return {models, textures};
}

class GameLoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testutil::copyTree(QV_DATA_DIR, dir.path());
        cwd = std::make_unique<testutil::ScopedCwd>(dir.path());
        setImageFileLoader(noTexture);
        console = debugConsole();
        world = gameWorld();
        gameUI = UI();
        scriptUI.clear();
        scriptMap.clear();
        scriptLogic.clear();
        gameSys.setGameState(gameStateMenu);
        gameSys.setDebugState(false, true);
    }
    void TearDown() override
    {
        setImageFileLoader(nullptr);
        cwd.reset();
    }
    void loadQuietly(const std::string& game)
    {
        testing::internal::CaptureStdout();  // the 3DS reader's diagnostics
        loadGame(game);
        testing::internal::GetCapturedStdout();
    }
    testutil::TempDir dir;
    std::unique_ptr<testutil::ScopedCwd> cwd;
};

TEST_F(GameLoadTest, SampleGameLoadsWholeInOrderAndRenamesNothing)
{
    const auto before = tree(dir.path());
    loadQuietly("sample");

    EXPECT_TRUE(inOrder(consoleLines(), {
        "^2^ysample^g Game World Initializing...",
        "^2^ysample ^wUser Interface Initializing...",
        "games/sample/system/ui.cfg ^whas been successfully loaded",
        "UI Images successfully loaded.",
        "The User Interface has been Successfully Built.",
        "^2^ysample^w Game Initializing...",
        "Images loaded for^y sample",
        "games/sample/system/map.cfg",
        "Loading map configuration files for the game sample",
        "Loading game logic for the game sample",
        "Logic loaded for the game sample",
        "Game: sample has been loaded successfully.",
        "^2^ysample^g Game World Initialization Successful",
    })) << ::testing::PrintToString(consoleLines());
    for (const char* bad : {"ERROR", "WARNING"}) EXPECT_FALSE(consoleHas(bad)) << ::testing::PrintToString(consoleLines());

    EXPECT_TRUE(world.getGameLoaded());
    EXPECT_EQ(world.getGameName(), "sample");
    ASSERT_EQ(world.getMapCount(), 2);
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, 1);
    EXPECT_EQ(name, "Snowfield");
    EXPECT_EQ(world.worldGetObjectCount(0), 16);
    EXPECT_EQ(std::vector<int>({world.worldGetObjectType(1, 0), world.worldGetObjectType(11, 0), world.worldGetObjectType(2, 0)}),
              std::vector<int>({objectTypeModel, objectTypeSquare, objectTypeBillboard}));
    EXPECT_NE(world.worldGetTileHeight(5, 5, 0), world.worldGetTileHeight(8, 8, 0));
    EXPECT_EQ(world.getGameImageCount(), gameImgOwnBase + 5);
    EXPECT_TRUE(gameImg[200].getAnimState());
    EXPECT_EQ(gameImg[200].getFrameCount(), 3);
    EXPECT_EQ(modelCounts(), std::vector<int>({1, 1}));
    EXPECT_GT(object[0].polygons_qty, 0);
    EXPECT_EQ(world.mapGlobalGetSentenceAmount(0), 9);
    EXPECT_EQ(world.mapLocalGetSentenceAmount(0, 0), 8);
    EXPECT_NE(world.getPhrase(0).find("Meadow"), std::string::npos);
    EXPECT_EQ(gameUI.getIngameMenu(), 1);
    EXPECT_EQ(gameUI.getEditorMainMenu(), 2);
    EXPECT_EQ(gameUI.getUIImageCount(), 29 + 1 + 1);  // program images, the game's own, one splash
    EXPECT_EQ(gameSys.getGameState(), gameStateSplash);
    EXPECT_EQ(worldBackup.getMapCount(), 2);
    EXPECT_EQ(worldBackup.worldGetTileHeight(5, 5, 0), world.worldGetTileHeight(5, 5, 0));
    // The built world keeps nothing of the map and logic files.
    EXPECT_EQ(scriptMap.getLineAmount() + scriptLogic.getLineAmount(), 0);
    EXPECT_EQ(tree(dir.path()), before);
}

TEST_F(GameLoadTest, RefusedNamesChangeNothing)
{
    loadQuietly("sample");
    world.setGlobalScore(1, 9);
    const auto before = tree(dir.path());
    const struct {
        std::string name;
        std::string line;
        std::string noticeTitle;
    } refusals[] = {
        {"", "^rERROR:^w Enter a valid game name for a game to be loaded.", "Game Load"},
        {"mainui", "You cannot load ^ymainui ^wor ^yingameui^w as a game!", "Game Load"},
        {"ingameui", "You cannot load ^ymainui ^wor ^yingameui^w as a game!", "Game Load"},
        {"missing", "^rERROR: ^wUnable to open game: ^ymissing", "^yERROR"},
        {"../x", "^rERROR: ^wUnable to open game: ^y../x", "^yERROR"},
        {"..", "^rERROR: ^wUnable to open game: ^y..", "^yERROR"},
        {"sample/../sample", "^rERROR: ^wUnable to open game: ^ysample/../sample", "^yERROR"},
        {"a\\b", "^rERROR: ^wUnable to open game: ^ya\\b", "^yERROR"},
        {"bell\a", "^rERROR: ^wUnable to open game: ^ybell\a", "^yERROR"},
    };
    fs::create_directories(dir.path() / "x/system");
    testutil::copyFile(dir.path() / "games/sample/system/map.cfg", dir.path() / "x/system/map.cfg");
    const auto withOutside = tree(dir.path());
    for (const auto& r : refusals) {
        console = debugConsole();
        loadGame(r.name);
        EXPECT_TRUE(consoleHas(r.line)) << r.name;
        EXPECT_EQ(notice.getTitle(), r.noticeTitle) << r.name;
        EXPECT_EQ(world.getGameName(), "sample") << r.name;
        EXPECT_TRUE(world.getGameLoaded());
        EXPECT_EQ(world.getGlobalScore(1), 9);
    }
    EXPECT_EQ(tree(dir.path()), withOutside);
    fs::remove_all(dir.path() / "x");
    EXPECT_EQ(tree(dir.path()), before);

    gameSys.setGameState(gameStateWorldEditor);
    console = debugConsole();
    loadGame("sample");
    EXPECT_TRUE(consoleHas("Cannot load game, the editor is currently active."));
    EXPECT_EQ(notice.getMessage(), "Cannot load game, the editor is currently active.");
    EXPECT_EQ(world.getGlobalScore(1), 9);
}

TEST_F(GameLoadTest, LoadingOverAnotherGameClearsItsPhrasesAndScores)
{
    loadQuietly("sample");
    world.setGlobalScore(3, 5);
    world.setPhrase(500, "left over");
    dir.write("games/other/system/map.cfg",
              "f version 1\nf map0w 2\nf map0h 2\ns map0name Tiny\nf map0layer 7\ns map0object0 endObjectLoad\n"
              "s map1 endMapLoad\n");
    console = debugConsole();
    loadQuietly("other");
    EXPECT_TRUE(consoleHas("Game already loaded, clearing previous game"));
    EXPECT_EQ(world.getGameName(), "other");
    EXPECT_EQ(world.getMapCount(), 1);
    EXPECT_EQ(world.getGlobalScore(3), 0);
    EXPECT_EQ(world.getPhrase(500), "");
    EXPECT_EQ(world.getPhrase(0), "");
    EXPECT_EQ(world.mapGlobalGetSentenceAmount(0), 0);
    EXPECT_EQ(modelCounts(), std::vector<int>({0, 0}));
    EXPECT_TRUE(consoleHas("Unable to load specific game UI, using default instead."));
}

TEST_F(GameLoadTest, CreatingOverALoadedGameClearsItFirst)
{
    loadQuietly("sample");
    world.setPhrase(7, "old");
    uiScriptString.setString("fresh", uiStringGameToCreate);
    console = debugConsole();
    createGame("fresh", 3, 4);

    EXPECT_TRUE(consoleHas("Game: fresh has been created successfully."));
    EXPECT_TRUE(world.getGameLoaded());
    ASSERT_EQ(world.getMapCount(), 1);
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, 0);
    EXPECT_EQ(std::to_string(w) + "x" + std::to_string(h) + " " + name, "3x4 fresh");
    EXPECT_EQ(world.worldGetObjectCount(0), 0);  // nothing of the sample's first map is left
    EXPECT_EQ(world.mapGlobalGetSentenceAmount(0), 0);
    EXPECT_EQ(world.getPhrase(7), "");
    EXPECT_EQ(scriptMap.getLineAmount() + scriptLogic.getLineAmount(), 0);
    EXPECT_EQ(world.getGameImageCount(), gameImgOwnBase);
    EXPECT_EQ(uiScriptString.getString(uiStringGameToCreate), "");
    EXPECT_EQ(gameSys.getGameState(), gameStateWorldEditor);
    EXPECT_EQ(gameUI.getCurrentMenu(), gameUI.getEditorMenu());
    for (int k = 0; k < renderLayerCount; ++k) EXPECT_TRUE(worldEditor.getRenderLayer(k));
    int timer = 0, panel = -1;
    worldEditor.getWelcome(timer, panel);
    EXPECT_EQ(std::vector<int>({timer, panel}), std::vector<int>({1, welcomeMenuNewGame}));
    EXPECT_FALSE(fs::exists(dir.path() / "games/fresh"));  // nothing is written until a save
}

TEST_F(GameLoadTest, CreateRefusesBadNamesAndSizes)
{
    const struct {
        std::string name;
        int w, h;
        std::string line;
    } refusals[] = {
        {"ingameui", 10, 10, "Cannot create game, the name: ^yingameui^w is a registered name"},
        {"../up", 10, 10, "Cannot create game, the name: ^y../up^w is a registered name"},
        {"", 10, 10, "Cannot create game, no game name has been entered."},
        {"default", 10, 10, "^yDefault^w is a reserved name and CANNOT be used."},
        {"wide", 0, 10, "Cannot create game, invalid map size specified."},
        {"sample", 10, 10, "^rERROR: ^wCannot create game, a game named ^ysample^w already exists."},
    };
    const auto before = tree(dir.path());
    for (const auto& r : refusals) {
        console = debugConsole();
        createGame(r.name, r.w, r.h);
        EXPECT_TRUE(consoleHas(r.line)) << r.name;
        EXPECT_FALSE(world.getGameLoaded()) << r.name;
    }
    EXPECT_EQ(notice.getTitle(), "Create Game");
    EXPECT_EQ(notice.getMessage(), "A game named ^ysample^w already exists. Choose another name.");
    EXPECT_EQ(tree(dir.path()), before);
    gameSys.setGameState(gameStateWorldEditor);
    createGame("Default", 1, 1);
    EXPECT_TRUE(consoleHas("Cannot create game, the editor is currently active."));
    EXPECT_FALSE(world.getGameLoaded());
    gameSys.setGameState(gameStateMenu);
    createGame("Default", 1, 1);
    EXPECT_TRUE(world.getGameLoaded());
}

TEST_F(GameLoadTest, PredefinedMenusOpenOnlyTheRegisteredProjects)
{
    loadPredefinedUI("sample");
    EXPECT_FALSE(world.getGameLoaded());
    EXPECT_EQ(console.getLineCount(), 0);
    loadPredefinedUI("ingameui");
    EXPECT_TRUE(world.getGameLoaded());
    EXPECT_EQ(world.getGameName(), "ingameui");
    EXPECT_EQ(gameSys.getGameState(), gameStateUIEditor);
    EXPECT_EQ(gameUI.getCurrentMenu(), 0);
    EXPECT_EQ(gameUI.getEditorMenu(), 3);
}

TEST_F(GameLoadTest, OversizedGameFilesAreBoundedOrRefusedAndTheProgramGoesOn)
{
    // 1,023 objects in a few bytes, each declaring a billion rules of which
    // the file holds one for object 5: the counts are cut, the game loads.
    std::ostringstream logic;
    logic << "f version 1\n";
    for (int o = 0; o < 1023; ++o) logic << "f map0object" << o << "sentencecount 1000000000\n";
    logic << "s map0object5sentence0 101 1 301 400 0 600 713 1\n";
    dir.write("games/rules/system/map.cfg", "s map0object1023 endObjectLoad\ns map1 endMapLoad\n");
    dir.write("games/rules/system/logic.cfg", logic.str());
    loadQuietly("rules");
    ASSERT_TRUE(world.getGameLoaded());
    EXPECT_EQ(world.worldGetObjectCount(0), 1023);
    EXPECT_EQ(world.mapLocalGetSentenceAmount(5, 0), 1);
    EXPECT_EQ(world.mapLocalGetSentenceAmount(6, 0), 0);
    EXPECT_TRUE(consoleHas("^yWARNING: ^wMap ^y0^w object ^y1022^w declares 1000000000 rules but the file holds 0"));

    // Maps beyond the tile budget, and map files whose lists run into their
    // limits for want of end markers: the loaded game is gone, no game is
    // loaded, the notice says what failed and the program's own menus are back.
    std::ostringstream maps;
    for (int i = 0; i < 103; ++i) maps << "f map" << i << "w 700\nf map" << i << "h 700\n";
    maps << "s map103 endMapLoad\n";
    dir.write("games/huge/system/map.cfg", maps.str());
    dir.write("games/markers/system/map.cfg", "f version 1\nf map0w 3\nf map0h 3\ns map0name Field\n");
    dir.write("games/empty/system/map.cfg", "");
    const char garbage[] = "\x89PNG\0\xff s s f f\n";
    dir.write("games/garbage/system/map.cfg", std::string(garbage, sizeof garbage - 1));
    const std::string objectLimit = "a map lists more than 1024 objects (no endObjectLoad?)";
    const struct {
        std::string game, reason, notice;
    } refused[] = {
        {"huge", "^rERROR: ^wThe maps of ^yhuge^w hold 50470000 tiles", "more tiles than a game may!"},
        {"markers", "Terminating due to exceeding maximum objects", objectLimit},
        {"empty", "Terminating due to exceeding maximum objects", objectLimit},
        {"garbage", "Terminating due to exceeding maximum objects", objectLimit},
    };
    for (const auto& r : refused) {
        loadQuietly("sample");
        console = debugConsole();
        loadQuietly(r.game);
        EXPECT_TRUE(inOrder(consoleLines(), {r.reason, "Error loading Game: " + r.game + ". Map Loading Error!"}))
            << ::testing::PrintToString(consoleLines());
        EXPECT_NE(notice.getMessage().find(r.notice), std::string::npos) << notice.getMessage();
        EXPECT_FALSE(world.getGameLoaded()) << r.game;
        EXPECT_EQ(std::vector<int>({world.getMapCount(), worldBackup.getMapCount(), world.getGameImageCount(),
                                    scriptMap.getLineAmount()}),
                  std::vector<int>(4, 0)) << r.game;
        EXPECT_EQ(gameSys.getGameState(), gameStateMenu) << r.game;
        EXPECT_EQ(notice.getTitle(), "Load Game") << r.game;
        EXPECT_TRUE(consoleHas("^2^ydefault ^wUser Interface Initializing...")) << r.game;
    }
    loadQuietly("sample");
    EXPECT_TRUE(world.getGameLoaded());
}

std::vector<std::string> imagesAsked;

unsigned int recordingNoTexture(const checkedImage& image)
{
    imagesAsked.push_back(image.path);
    return 0;
}

enum hostileKind {
    hostileFolder, hostileFolderLink, hostilePipe, hostileDeviceLink, hugePng, hugeJpeg, hugeModel, hugeSound
};

std::string bigEndian(uint32_t v, int bytes)
{
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(v >> (8 * i) & 0xff);
    return out;
}

// A program waiting to write into the named pipe at `path`: its open of the
// pipe returns only once something opens the pipe for reading. Made, it is
// waiting in that open; gone, it is let go.
class waitingWriter {
public:
    explicit waitingWriter(std::string pipe) : path(std::move(pipe)), writer([this] { write(); })
    {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!inItsOpen() && !opened && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~waitingWriter()
    {
        const int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
        writer.join();
        if (reader >= 0) ::close(reader);
    }
    bool stillWaiting() const { return !opened && inItsOpen(); }

private:
    void write()
    {
        thread = static_cast<pid_t>(::syscall(SYS_gettid));
        const int fd = ::open(path.c_str(), O_WRONLY);
        opened = true;
        if (fd >= 0) ::close(fd);
    }
    // The writer's thread is inside its open, by the system call it is in.
    bool inItsOpen() const
    {
        std::ifstream call("/proc/self/task/" + std::to_string(thread.load()) + "/syscall");
        long number = -1;
        return thread.load() != 0 && (call >> number) && (number == SYS_openat || number == SYS_open);
    }
    const std::string path;
    std::atomic<pid_t> thread{0};
    std::atomic<bool> opened{false};
    std::thread writer;
};

void makeHostile(const fs::path& p, hostileKind kind)
{
    switch (kind) {
    case hostileFolder: fs::create_directories(p); break;
    case hostileFolderLink: fs::create_directory_symlink(".", p); break;
    case hostilePipe: ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); break;
    case hostileDeviceLink: fs::create_symlink("/dev/zero", p); break;
    case hugePng:
        std::ofstream(p.string(), std::ios::binary)
            << "\x89PNG\r\n\x1a\n" << bigEndian(13, 4) << "IHDR" << bigEndian(16384, 4) << bigEndian(16384, 4);
        break;
    case hugeJpeg:  // an APP0 segment, a frame of 100 x 9000, then the start of its scan
        std::ofstream(p.string(), std::ios::binary) << "\xff\xd8\xff\xe0" << bigEndian(6, 2) << "JFIF" << "\xff\xc0"
                                                    << bigEndian(11, 2) << '\x08' << bigEndian(9000, 2)
                                                    << bigEndian(100, 2) << std::string("\x01\x01\x11\x00\xff\xda", 6)
                                                    << bigEndian(8, 2) << std::string("\x01\x01\x00\x00\x3f\x00", 6);
        break;
    case hugeModel:
    case hugeSound:
        std::ofstream(p.string(), std::ios::binary).put('R');
        // Sparse: no disk is spent.
        fs::resize_file(p, (kind == hugeModel ? modelFileMaxBytes : soundFileMaxBytes) + 1);
        break;
    }
}

// Entries that no loader should open, one at a time in each place a game is
// read from, through the real loader: each is named once, never handed to a
// reader, never renamed, and the game loads without it where it can. A
// program waiting to write into each named pipe is still waiting after the
// load: nothing opened the pipe, not even to look at it (the images, model
// and sound in numbered slots would be loaded there).
TEST_F(GameLoadTest, FoldersLinksPipesAndOversizedFilesAreNamedSkippedAndNeverRenamed)
{
    setenv("ALSOFT_DRIVERS", "null", 1);
    ASSERT_TRUE(initSound());  // so that the sound folder is walked
    setImageFileLoader(recordingNoTexture);
    const std::string skipped = ", not a regular file; it is skipped.";
    const std::string pipeRead = "^w: it is a named pipe";
    const struct {
        std::string path;
        hostileKind kind;
        std::string line;
        bool loads;
    } rows[] = {
        {"games/sample/model/extra", hostileFolder, "games/sample/model/extra^w is a folder" + skipped, true},
        {"games/sample/model/10001.3ds", hostileFolderLink, "10001.3ds^w is a link to a folder" + skipped, true},
        {"games/sample/model/10000.3ds", hostileDeviceLink, "10000.3ds^w is a device" + skipped, true},
        {"games/sample/model/new.3ds", hostilePipe, "model/new.3ds^w is a named pipe" + skipped, true},
        {"games/sample/model/10000.3ds", hostilePipe, "model/10000.3ds^w is a named pipe" + skipped, true},
        {"games/sample/model/10001.3ds", hugeModel, "10001.3ds^w is 67108865 bytes, more than the 67108864", true},
        {"games/sample/modeltex/10000.png", hostilePipe, "10000.png^w is a named pipe" + skipped, true},
        {"games/sample/map/10000.png", hostilePipe, "games/sample/map/10000.png^w is a named pipe" + skipped, true},
        {"games/sample/map/10005.png", hugePng, "declares 16384 x 16384 pixels, more than 8192 on a side", true},
        {"games/sample/map/10005.jpg", hugeJpeg, "declares 100 x 9000 pixels, more than 8192 on a side", true},
        {"map/zz", hostileFolderLink, "^ymap/zz^w is a link to a folder" + skipped, true},
        {"games/sample/ui/10000.jpg", hostileFolder, "ui/10000.jpg^w is a folder" + skipped, true},
        {"ui/zz.png", hostilePipe, "^yui/zz.png^w is a named pipe" + skipped, true},
        {"games/sample/sound/1001.wav", hostilePipe, "sound/1001.wav^w is a named pipe" + skipped, true},
        {"games/sample/sound/1001.wav", hugeSound, "1001.wav^w: it is 67108865 bytes, more than the 67108864", true},
        {"games/sample/splash0.jpg", hostilePipe, "splash0.jpg^w is a named pipe" + skipped, true},
        {"games/sample/system/ui.cfg", hostilePipe, "games/sample/system/ui.cfg" + pipeRead, true},
        {"games/sample/system/help.cfg", hostilePipe, "games/sample/system/help.cfg" + pipeRead, true},
        {"games/sample/system/logic.cfg", hostilePipe, "games/sample/system/logic.cfg" + pipeRead, true},
        {"games/sample/system/map.cfg", hostilePipe, "^rERROR: ^wUnable to open game: ^ysample", false},
        {"games/sample/system/map.cfg", hostileFolder, "^rERROR: ^wUnable to open game: ^ysample", false},
        {"games/pipe", hostilePipe, "^ygames/pipe^w is a named pipe, not a game folder; it is skipped.", false},
    };
    for (const auto& r : rows) {
        const fs::path path = dir.path() / r.path, aside = dir.path() / "aside";
        if (fs::exists(fs::symlink_status(path))) fs::rename(path, aside);
        makeHostile(path, r.kind);
        std::optional<waitingWriter> writer;
        if (r.kind == hostilePipe) writer.emplace(path.string());
        ASSERT_TRUE(!writer || writer->stillWaiting()) << r.path;
        const auto before = tree(dir.path());
        world = gameWorld();
        console = debugConsole();
        imagesAsked.clear();
        const bool gameList = r.path.rfind('/') == std::string("games").size();
        if (gameList) updateGameList();
        else loadQuietly("sample");

        const std::vector<std::string> lines = consoleLines();
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [&](const std::string& l) { return l.find(r.line) != std::string::npos; }), 1)
            << r.path << ::testing::PrintToString(lines);
        EXPECT_EQ(world.getGameLoaded(), r.loads) << r.path;
        EXPECT_EQ(std::count(imagesAsked.begin(), imagesAsked.end(), r.path), 0) << r.path;
        EXPECT_TRUE(fs::exists(fs::symlink_status(path))) << r.path;
        EXPECT_EQ(tree(dir.path()), before) << r.path;
        for (int i = 0; gameList && i < gameListSize; ++i) EXPECT_NE(gameSys.getDirName(i), path.filename().string());
        EXPECT_TRUE(!writer || writer->stillWaiting()) << r.path << ": the pipe was opened";

        writer.reset();
        fs::remove_all(path);
        if (fs::exists(fs::symlink_status(aside))) fs::rename(aside, path);
    }
    loadQuietly("sample");
    EXPECT_TRUE(world.getGameLoaded());
    freeSystemSounds();
}

// Folders linked into a game lead outside it: neither walked nor renamed,
// each named once, and the game loads without them. A game folder that is
// itself a link is a game kept elsewhere: listed, loaded, and its own folders
// numbered as usual.
TEST_F(GameLoadTest, LinkedFoldersRenameNothingOutsideTheGameAndALinkedGameLoads)
{
    setenv("ALSOFT_DRIVERS", "null", 1);
    ASSERT_TRUE(initSound());  // so that the sound folder is walked
    for (const char* name : {"taxes.pdf", "cv.docx", "holiday.png"}) dir.write(std::string("home/") + name, name);
    const std::vector<std::string> linked = {"games/sample/map", "games/sample/ui", "games/sample/model",
                                             "games/sample/modeltex", "games/sample/sound", "map", "ui"};
    for (const std::string& folder : linked) {
        fs::remove_all(dir.path() / folder);
        fs::create_directory_symlink(dir.path() / "home", dir.path() / folder);
    }
    const auto home = tree(dir.path() / "home");
    loadQuietly("sample");
    EXPECT_TRUE(world.getGameLoaded());
    EXPECT_EQ(tree(dir.path() / "home"), home);
    const std::vector<std::string> lines = consoleLines();
    for (const std::string& folder : linked) {
        const std::string line = "^y" + folder + "^w is a link to a folder; its files are neither renamed nor loaded.";
        EXPECT_EQ(std::count(lines.begin(), lines.end(), QV_WARNING + line), 1) << folder;
    }

    testutil::copyTree(fs::path(QV_DATA_DIR) / "games/sample", dir.path() / "elsewhere/kept");
    fs::create_directory_symlink(dir.path() / "elsewhere/kept", dir.path() / "games/kept");
    dir.write("elsewhere/kept/map/added.png", "added");
    console = debugConsole();
    updateGameList();
    EXPECT_TRUE(consoleHas("^yGame: ^wkept"));
    EXPECT_FALSE(consoleHas("WARNING"));
    loadQuietly("kept");
    EXPECT_TRUE(world.getGameLoaded());
    EXPECT_EQ(world.getGameName(), "kept");
    EXPECT_EQ(dir.read("elsewhere/kept/map/10005.png"), "added");  // after the game's five images
    freeSystemSounds();
}

// The process's address space held to a little more than it uses now: a
// game of 100 full-size maps runs out of memory halfway through its maps.
TEST_F(GameLoadTest, RunningOutOfMemoryDropsTheGameAndTheProgramGoesOn)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves the address space a limit would cut";
#else
    std::ostringstream maps;
    for (int i = 0; i < 100; ++i)
        maps << "f map" << i << "w 700\nf map" << i << "h 700\ns map" << i << "object0 endObjectLoad\n";
    maps << "s map100 endMapLoad\n";
    dir.write("games/big/system/map.cfg", maps.str());
    loadQuietly("sample");
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    constexpr rlim_t headroom = 200ull << 20;  // bytes; the maps need about twice that
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + headroom;
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    loadQuietly("big");
    setrlimit(RLIMIT_AS, &saved);
    EXPECT_TRUE(consoleHas("^rERROR: ^wNot enough memory to load the game ^ybig^w; no game is loaded."));
    EXPECT_FALSE(world.getGameLoaded());
    EXPECT_EQ(world.getMapCount(), 0);
    EXPECT_EQ(worldBackup.getMapCount(), 0);
    EXPECT_EQ(gameSys.getGameState(), gameStateMenu);
    loadQuietly("sample");
    EXPECT_TRUE(world.getGameLoaded());
#endif
}

}  // namespace

// Play has moved, hidden and scored objects, changed phrases and scores and
// held keys; a reset puts every one back, and leaving returns to the front end.
TEST_F(GameLoadTest, ResetRestoresTheLoadedGameAndLeavingTwiceKeepsTheFrontEnd)
{
    setAutoRepeatSwitch([](bool) {});
    loadQuietly("sample");
    ASSERT_TRUE(world.getGameLoaded());
    float x, y, z, w, h, d;
    int tex, layer;
    world.worldGetObject(x, y, z, w, h, d, tex, layer, 0, 0);
    world.worldSetObject(x + 5, y - 2, z + 1, w, h, d, tex + 1, layer, 0, 0);
    world.worldSetObjectVisible(false, 3, 0);
    world.worldSetObjectLife(false, 4, 0);
    world.worldSetObjectScore(9, 2, 0);
    world.worldSetTileHeight(4.5f, 1, 1, 0);
    world.setGlobalScore(4, 12);
    world.setPhrase(7, "changed");
    world.setGameBox(gameBoxTimerStart, 201);
    world.setGameScore(30);
    world.setCurrentMap(1);
    gameSys.setKeyState(keyUp, keyStatePressed);
    gameSys.setAlphabetKeyState(3, keyStatePressed);

    resetGame();
    // Place, size, texture, visibility, life and score of an object.
    auto objectState = [](gameWorld& w, int o, int m) {
        float v[6];
        int tex, layer;
        w.worldGetObject(v[0], v[1], v[2], v[3], v[4], v[5], tex, layer, o, m);
        return std::vector<float>({v[0], v[1], v[2], v[3], v[4], v[5], float(tex), float(w.worldGetObjectVisible(o, m)),
                                   float(w.worldGetObjectLife(o, m)), float(w.worldGetObjectScore(o, m))});
    };
    EXPECT_EQ(world.getCurrentMap(), worldBackup.getCurrentMap());
    ASSERT_EQ(world.getMapCount(), worldBackup.getMapCount());
    for (int m = 0; m < world.getMapCount(); ++m) {
        ASSERT_EQ(world.worldGetObjectCount(m), worldBackup.worldGetObjectCount(m));
        for (int o = 0; o < world.worldGetObjectCount(m); ++o) {
            EXPECT_EQ(objectState(world, o, m), objectState(worldBackup, o, m)) << "map " << m << " object " << o;
        }
    }
    EXPECT_EQ(world.worldGetTileHeight(1, 1, 0), worldBackup.worldGetTileHeight(1, 1, 0));
    EXPECT_EQ(world.getGlobalScore(4), 0);
    EXPECT_EQ(world.getPhrase(7), worldBackup.getPhrase(7));
    int timer = 0, image = 0;
    world.getGameBox(timer, image);
    EXPECT_EQ(timer, gameBoxTimerNone);
    EXPECT_EQ(world.getGameScore(), 0);
    EXPECT_EQ(gameSys.getKeyState(keyUp), keyStateIdle);
    EXPECT_EQ(gameSys.getAlphabetKeyState(3), keyStateIdle);

    gameSys.setGameState(gameStatePlay);
    world.setPhrase(7, "changed");
    leaveGame();
    EXPECT_TRUE(consoleHas("Leaving current game."));
    EXPECT_FALSE(world.getGameLoaded());
    EXPECT_EQ(world.getPhrase(7), "");
    EXPECT_EQ(std::vector<int>({world.getGameImageCount(), world.getGameSoundCount()}), std::vector<int>({0, 0}));
    EXPECT_EQ(modelCounts(), std::vector<int>({0, 0}));
    EXPECT_EQ(gameSys.getGameState(), gameStateMenu);
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
    EXPECT_EQ(gameUI.getCurrentMenu(), 0);
    EXPECT_EQ(gameUI.menuGetButtonCount(0), 8);  // the front end's first menu
    const int menuImages = gameUI.getUIImageCount();
    EXPECT_GT(menuImages, 0);

    notice.leaveNotice();
    leaveGame();  // nothing to leave: reported, and the menu images stay
    EXPECT_TRUE(consoleHas("^rERROR: ^wUnable to leave game because it is currently not loaded"));
    EXPECT_TRUE(notice.isShown());
    EXPECT_EQ(notice.getTitle(), "^yERROR");
    EXPECT_EQ(gameUI.getUIImageCount(), menuImages);
    setAutoRepeatSwitch(nullptr);
}

namespace {

// One drawn frame of play as far as the rules see it: their frame work, and
// the image box counting down as its renderer does.
void playFrame()
{
    updateFrameLogic();
    int timer = 0, image = 0;
    world.getGameBox(timer, image);
    if (timer > gameBoxTimerReady) world.setGameBox(lowerDisplayTimer(timer), image);
}

}  // namespace

// The player walks past the flag with the up arrow held: it stops where it
// touched the flag, and the win panel stays, also when the arrow is let go,
// until Enter returns to the game's menus.
TEST_F(GameLoadTest, TheSampleIsWonWithAnArrowHeldAndItsPanelStaysUntilEnter)
{
    setAutoRepeatSwitch([](bool) {});
    loadQuietly("sample");
    gameSys.setGameState(gameStatePlay);
    world.setChangeMap(1);
    playFrame();
    ASSERT_EQ(world.getCurrentMap(), 1);
    constexpr int player = 0, flag = 1, winPanel = gameImgOwnBase + 2;
    constexpr float besideTheFlag = 3.05f;  // the flag's solid box reaches 2 to each side, the player's 1
    const objectRecord pole = readObjectRecord(flag, 1);
    objectRecord start = readObjectRecord(player, 1);
    start.x = pole.x - 6.0f;
    start.y = pole.y + besideTheFlag;
    storeObjectRecord(start, player, 1);

    camera.SetRot(0.0f, 90.0f);  // the player takes the camera's heading: along x
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    for (int frame = 0; frame < 100 && world.getGameCondition() != gameConditionWin; ++frame) playFrame();
    ASSERT_EQ(world.getGameCondition(), gameConditionWin);
    const float wonAt = readObjectRecord(player, 1).x;
    EXPECT_GT(wonAt, start.x);
    for (int frame = 0; frame < 60; ++frame) playFrame();
    specialKeysUp(GLUT_KEY_UP, 0, 0);
    playFrame();
    EXPECT_EQ(readObjectRecord(player, 1).x, wonAt);
    int timer = 0, image = 0;
    world.getGameBox(timer, image);
    EXPECT_GT(timer, gameBoxTimerNone);
    EXPECT_EQ(image, winPanel);

    keyboard(keyCodeEnter, 0, 0);
    EXPECT_EQ(gameSys.getGameState(), gameStateMenu);
}
