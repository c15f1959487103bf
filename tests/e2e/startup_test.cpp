// Start-up and shutdown of the real program: settings read, window made as
// they say, progress logged in order, the bundled menus and sounds loaded
// without complaint, the games listed and nothing renamed, settings written
// back when the window is closed.
#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <map>

#include "tests/e2e/harness.h"

namespace {

namespace fs = boost::filesystem;

// Every file of the working directory with its size, but the two a run writes.
std::map<std::string, uintmax_t> tree(const std::string& root)
{
    std::map<std::string, uintmax_t> files;
    for (fs::recursive_directory_iterator it(root), end; it != end; ++it)
        if (fs::is_regular_file(it->path()))
            files[fs::relative(it->path(), root).string()] = fs::file_size(it->path());
    files.erase("log.txt");
    files.erase("system/system.cfg");
    return files;
}

std::string settings(const std::string& fscreen, const std::string& x, const std::string& y, const std::string& w,
                     const std::string& h, const std::string& name)
{
    return "f windowfscreen " + fscreen + "\nf windowx " + x + "\nf windowy " + y + "\nf windowwidth " + w +
           "\nf windowheight " + h + "\ns progName " + name +
           "\nf fps 60\nf debugMode 0\ns lastGameEdited sample\nf sound 1\nf soundVolume 0.5\nf firstTime 1\n";
}

TEST(Startup, LogsItsProgressOpensTheWindowAndSavesOnClose)
{
    e2e::App app;
    app.writeFile("system/system.cfg", settings("0", "40", "30", "900", "700", "Quorvane Test"));
    const auto before = tree(app.dir());
    ASSERT_TRUE(app.start("Quorvane Test"));
    ASSERT_TRUE(app.waitForLog("Building file structure for Quorvane Directory"));
    EXPECT_TRUE(app.logHasInOrder({
        "Quorvane",
        "Quorvane Engine Initializing...",
        "Creating log file: log.txt. Refer to this file for diagnostic information.",
        "system/system.cfg has been successfully loaded",
        "system/dialog.cfg has been successfully loaded",
        "Setting glutInitDisplayMode to GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH",
        "Checking for fullscreen...",
        "Storing window information",
        "Setting up the Window Viewport",
        "Setting up openGL Display Function",
        "Setting up I/O",
        "Initializing DeviL Image Library",
        "Quorvane User Interface Initializing...",
        "Reading System Images...",
        "System images successfully read and loaded.",
        "system/ui.cfg has been successfully loaded",
        "Reading and Loading UI Images. Please wait...",
        "Loading splash images",
        "UI Images successfully loaded.",
        "The User Interface has been Successfully Built.",
        "Building file structure for Quorvane Directory",
        "Game: sample",
    }));
    const std::vector<std::string> lines = app.logLines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Quorvane");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[4], "Quorvane Engine Initializing...");
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find('^'), std::string::npos) << line;
        for (const char* complaint : {"WARNING", "ERROR: The", "Exceeded", "No splash images", "out of array"})
            EXPECT_EQ(line.find(complaint), std::string::npos) << line;
    }

    EXPECT_EQ(app.windowName(), "Quorvane Test");
    const e2e::Geometry g = app.windowGeometry();
    EXPECT_EQ(g.x, 40);
    EXPECT_EQ(g.y, 30);
    EXPECT_EQ(g.width, 900);
    EXPECT_EQ(g.height, 700);

    app.removeFile("system/system.cfg");
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
    const std::string saved = app.readFile("system/system.cfg");
    EXPECT_NE(saved.find("\nf windowfscreen 0\n"), std::string::npos);
    EXPECT_NE(saved.find("\nf windowx 40\n\n// Window Y Coordinate\nf windowy 30\n"), std::string::npos);
    EXPECT_NE(saved.find("\nf windowwidth 900\n"), std::string::npos);
    EXPECT_NE(saved.find("\ns progName Quorvane Test\n"), std::string::npos);
    EXPECT_NE(saved.find("\nf fps 60\n"), std::string::npos);
    EXPECT_NE(saved.find("\ns lastGameEdited sample\n"), std::string::npos);
    EXPECT_NE(saved.find("\nf soundVolume 0.5\n"), std::string::npos);
    EXPECT_NE(saved.find("\nf firstTime 1\n"), std::string::npos);
    EXPECT_EQ(app.logLines().back(), "Closing log file ");
    EXPECT_NE(app.programOutput().find("Successfully saved system settings."), std::string::npos);
    EXPECT_EQ(tree(app.dir()), before);  // the bundled folders are numbered already
}

TEST(Startup, FullScreenFillsTheDisplayAndIsSavedBack)
{
    e2e::App app;
    app.writeFile("system/system.cfg", settings("1.9", "0", "0", "800", "600", "Quorvane Full"));
    ASSERT_TRUE(app.start("Quorvane Full"));
    ASSERT_TRUE(app.waitForLog("Building file structure"));
    // The switch to full screen is carried out once the main loop runs.
    EXPECT_TRUE(app.waitForScreen([](const e2e::Image& s) { return s.width == 1024 && s.height == 768; }).valid());
    const e2e::Geometry g = app.windowGeometry();
    EXPECT_EQ(g.x, 0);
    EXPECT_EQ(g.y, 0);
    EXPECT_EQ(g.width, 1024);
    EXPECT_EQ(g.height, 768);
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
    const std::string saved = app.readFile("system/system.cfg");
    EXPECT_NE(saved.find("\nf windowfscreen 1\n"), std::string::npos);
    EXPECT_NE(saved.find("\nf windowwidth 800\n"), std::string::npos);
}

TEST(Startup, InvalidWindowFallsBackToTheDefaultGeometry)
{
    e2e::App app;
    app.writeFile("system/system.cfg", settings("2", "100", "100", "799", "900", "Quorvane Small"));
    ASSERT_TRUE(app.start("Quorvane Small"));
    ASSERT_TRUE(app.waitForLog("INVALID WINDOW PARAMETERS ENTERED! Defaulting to 0x0x800x600"));
    const e2e::Geometry g = app.windowGeometry();
    EXPECT_EQ(g.x, 0);
    EXPECT_EQ(g.y, 0);
    EXPECT_EQ(g.width, 800);
    EXPECT_EQ(g.height, 600);
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

TEST(Startup, MissingSettingsFileUsesEveryFallback)
{
    e2e::App app;
    app.removeFile("system/system.cfg");
    app.removeFile("games");
    ASSERT_TRUE(app.start("NULL"));
    ASSERT_TRUE(app.waitForLog("Building file structure"));
    EXPECT_TRUE(app.logHasInOrder({"ERROR: Error loading/reading file system/system.cfg",
                                   "INVALID WINDOW PARAMETERS ENTERED! Defaulting to 0x0x800x600",
                                   "ERROR: Invalid FPS Value entered, resetting to 30 fps",
                                   "Building file structure for Quorvane Directory", "ERROR: Unable to list the folder games"}));
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
    const std::string saved = app.readFile("system/system.cfg");
    EXPECT_NE(saved.find("\nf fps -1\n"), std::string::npos);
    EXPECT_NE(saved.find("\nf soundVolume 0\n"), std::string::npos);
    EXPECT_NE(saved.find("\nf debugMode 1\n"), std::string::npos);
    EXPECT_NE(saved.find("\ns progName NULL\n"), std::string::npos);
}

}  // namespace
