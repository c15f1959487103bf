// Start-up of the real program with the bundled data: the sound library and
// the front-end menus load without complaint, the bundled folders are
// already numbered so a run renames nothing, and new menu images dropped into
// `ui/` are numbered after the bundled ones.
#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <map>

#include "tests/e2e/harness.h"

namespace {

namespace fs = boost::filesystem;

std::map<std::string, uintmax_t> tree(const std::string& root)
{
    std::map<std::string, uintmax_t> files;
    for (fs::recursive_directory_iterator it(root), end; it != end; ++it)
        if (fs::is_regular_file(it->path()))
            files[fs::relative(it->path(), root).string()] = fs::file_size(it->path());
    return files;
}

TEST(MenusAndSounds, BundledMenusAndSoundsLoadAndNothingIsRenamed)
{
    e2e::App app;
    auto before = tree(app.dir());
    ASSERT_TRUE(app.start());
    ASSERT_TRUE(app.waitForLog("Building file structure for Quorvane Directory"));
    EXPECT_TRUE(app.logHasInOrder({
        "Reading System Images...",
        "System images successfully read and loaded.",
        "system/ui.cfg has been successfully loaded",
        "Reading and Loading UI Images. Please wait...",
        "Loading splash images",
        "UI Images successfully loaded.",
        "The User Interface has been Successfully Built.",
        "Building file structure for Quorvane Directory",
    }));
    for (const std::string& line : app.logLines()) {
        EXPECT_EQ(line.find("WARNING"), std::string::npos) << line;
        EXPECT_EQ(line.find("ERROR: The"), std::string::npos) << line;
        EXPECT_EQ(line.find("Exceeded"), std::string::npos) << line;
        EXPECT_EQ(line.find("No splash images"), std::string::npos) << line;  // the bundled splash is there
        EXPECT_EQ(line.find("splash texture out of array"), std::string::npos) << line;
    }
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);

    auto after = tree(app.dir());
    for (const char* written : {"log.txt", "system/system.cfg"}) {
        before.erase(written);
        after.erase(written);
    }
    EXPECT_EQ(after, before);
}

TEST(MenusAndSounds, NewMenuImagesAreNumberedAfterTheBundledOnes)
{
    e2e::App app;
    const size_t bundled = tree(app.path("ui")).size();
    app.writeFile("ui/0-new.png", "not really an image");
    app.writeFile("ui/another.jpg", "nor this");
    ASSERT_TRUE(app.start());
    ASSERT_TRUE(app.waitForLog("UI Images successfully loaded."));
    EXPECT_TRUE(app.exists("ui/" + std::to_string(10000 + bundled) + ".png"));
    EXPECT_TRUE(app.exists("ui/" + std::to_string(10000 + bundled + 1) + ".jpg"));
    EXPECT_FALSE(app.exists("ui/0-new.png"));
    EXPECT_EQ(tree(app.path("ui")).size(), bundled + 2);
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

TEST(MenusAndSounds, WithoutTheFrontEndMenuFileTheProgramGoesOnWithAnEmptyMenu)
{
    e2e::App app;
    app.removeFile("system/ui.cfg");
    ASSERT_TRUE(app.start());
    ASSERT_TRUE(app.waitForLog("Building file structure for Quorvane Directory"));
    EXPECT_TRUE(app.logHasInOrder({"Error loading/reading file system/ui.cfg",
                                   "No menu file could be read; the menus stay empty.",
                                   "The User Interface has been Successfully Built."}));
    EXPECT_TRUE(app.running());
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

}  // namespace
