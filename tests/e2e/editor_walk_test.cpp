// A newcomer's way through the editors on the bundled data, mouse and keys
// alone: the last game edited opens from the front end in the editor's hub,
// then its world; F5 playtests, the player walks, Escape returns, and a second
// playtest starts as the first did (the walk left no trace in the world); the
// hub's dialog leaves the editor, and a name typed into the front end makes a
// new game in the world editor. A new object given the sample's first own
// image from the image picker, a rule written with the mouse and the arrows
// in its logic, and a phrase typed into the phrase editor (through a click in
// the window's top right corner, which it swallows), are saved, and the rule
// works when the game is played.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "tests/e2e/harness.h"

namespace {

const char* const title = "Quorvane Editor Walk";
constexpr int funcOpenDialog = 4, funcLoadGameEditor = 9, funcEditGame = 11;
constexpr int dialogLeaveEditor = 2, textGameToEdit = 1, textboxGameToCreate = 2;
// The welcome panel's checkmark and the dialog's first button show the OK
// image, which the test makes plain green.
constexpr int checkmarkX = e2e::welcomeCheckmarkX, checkmarkY = e2e::welcomeCheckmarkY;
constexpr int dialogOkX = 300, dialogOkY = 370;
constexpr e2e::Region ground{0, 480, 800, 600};  // below the player, clear of its phrase and score

using e2e::plainGreenAt;
const auto checkmarkShown = e2e::welcomeCheckmarkShown;
const auto bannerShown = e2e::playtestBannerShown;

e2e::ScreenTest unlikeIn(const e2e::Image& before, const e2e::Region& r = e2e::wholeWindow)
{
    return [&before, r](const e2e::Image& s) { return !e2e::sameIn(s, before, r); };
}
e2e::ScreenTest like(const e2e::Image& shown, const e2e::Region& r)
{
    return [&shown, r](const e2e::Image& s) { return e2e::sameIn(s, shown, r); };
}

// The sample game opened from the front end in the world editor, through the
// editor's hub, with the welcome panel closed; what the window showed on the way.
struct SampleEditor {
    e2e::Image frontEnd, hub, editor;
};

// The world editor's door icon at the top of its toolbar, which leads back to
// the hub; the screens over the editor (welcome panel, logic editor,
// playtest) do not show it.
constexpr int doorX = 30, doorY = 50;
constexpr e2e::Region door{doorX - 10, doorY - 10, doorX + 10, doorY + 10};

void openSampleEditor(e2e::App& app, SampleEditor& walk)
{
    app.writeFile("system/system.cfg", e2e::settingsFile(title, 0, 0) + "s lastGameEdited sample\n");
    app.copyFixture("images/font_green.png", "uireq/ok.png");
    app.usePlainSplash();
    ASSERT_TRUE(app.start(title));
    const e2e::MenuFile front(app.path("system/ui.cfg")), game(app.path("games/sample/system/ui.cfg"));
    int x = 0, y = 0;

    walk.frontEnd = app.leaveSplash(400, 580);
    ASSERT_TRUE(walk.frontEnd.valid());
    ASSERT_TRUE(front.button(0, funcLoadGameEditor, x, y, textGameToEdit));
    // The loading screen rests while a long step runs: the hub is what rests once the load is done.
    ASSERT_TRUE(app.clickUntil(x, y, unlikeIn(walk.frontEnd)).valid());
    ASSERT_TRUE(app.waitForLog("Game: sample has been loaded successfully."));
    walk.hub = app.waitForRest([](const e2e::Image&) { return true; });
    ASSERT_TRUE(walk.hub.valid());
    ASSERT_TRUE(game.button(game.number("editormainmenu"), funcEditGame, x, y));
    ASSERT_TRUE(app.clickUntil(x, y, checkmarkShown).valid());
    ASSERT_TRUE(app.click(checkmarkX, checkmarkY));
    walk.editor = app.waitForRest([](const e2e::Image& s) { return !checkmarkShown(s); }, door);
    ASSERT_TRUE(walk.editor.valid());
}

TEST(EditorWalk, SampleGamePlaytestedLeftAndANewGameCreated)
{
    e2e::App app;
    SampleEditor walk;
    ASSERT_NO_FATAL_FAILURE(openSampleEditor(app, walk));
    const e2e::MenuFile front(app.path("system/ui.cfg")), game(app.path("games/sample/system/ui.cfg"));
    const int hubMenu = game.number("editormainmenu");
    int x = 0, y = 0;
    const e2e::Image &frontEnd = walk.frontEnd, &hub = walk.hub, &editor = walk.editor;
    ASSERT_FALSE(bannerShown(editor));

    ASSERT_TRUE(app.key("F5"));
    const e2e::Image firstTest = app.waitForRest(bannerShown, ground);
    ASSERT_TRUE(firstTest.valid());
    ASSERT_TRUE(app.xdotool("keydown Up"));
    const bool walked = app.waitForScreen(unlikeIn(firstTest, ground)).valid();
    ASSERT_TRUE(app.xdotool("keyup Up"));
    ASSERT_TRUE(walked);
    ASSERT_TRUE(app.key("Escape"));
    ASSERT_TRUE(app.waitForScreen(like(editor, door)).valid());
    ASSERT_TRUE(app.key("F5"));
    const e2e::Image secondTest = app.waitForRest(bannerShown, ground);
    EXPECT_TRUE(e2e::sameIn(secondTest, firstTest, ground));
    ASSERT_TRUE(app.key("Escape"));
    ASSERT_TRUE(app.waitForScreen(like(editor, door)).valid());

    ASSERT_TRUE(app.clickUntil(doorX, doorY, like(hub, e2e::wholeWindow)).valid());
    ASSERT_TRUE(game.button(hubMenu, funcOpenDialog, x, y, dialogLeaveEditor));
    ASSERT_TRUE(app.clickUntil(x, y, [](const e2e::Image& s) { return plainGreenAt(s, dialogOkX, dialogOkY); }).valid());
    ASSERT_TRUE(app.clickUntil(dialogOkX, dialogOkY, like(frontEnd, e2e::wholeWindow)).valid());

    front.textbox(0, textboxGameToCreate, x, y);
    ASSERT_TRUE(app.click(x, y));
    ASSERT_TRUE(app.type("newworld"));
    ASSERT_TRUE(app.key("Return"));
    ASSERT_TRUE(app.waitForLog("Game: newworld has been created successfully."));
    ASSERT_TRUE(app.waitForScreen(checkmarkShown).valid());
    ASSERT_TRUE(app.click(checkmarkX, checkmarkY));
    EXPECT_TRUE(app.waitForScreen(like(editor, door)).valid());
}

// The row of a new rule in the logic editor, and its words as the font lays
// them out (9 pixels a glyph): "Key pressed" starts at x 71, its letter value
// follows at 190, "then" at 219 and the action at 275.
constexpr int addObjectX = 30, addObjectY = 350, localLogicX = 30, localLogicY = 440;
// The object panel's "Image:" plus, and the picker's cell after the sample's
// 18 built-in images (the ninth of its second row), its first own image 200.
constexpr int objectImageX = 91, objectImageY = 512, firstOwnImageX = 630, firstOwnImageY = 120;
constexpr int pickerCloseX = 730, pickerCloseY = 410;
// The picker's first row (built-in images, none animated) with the frame of
// the new object's image 1, and its close button.
constexpr e2e::Region pickerFirstRow{120, 26, 720, 94}, pickerClose{710, 390, 750, 430};
constexpr int plusX = 40, ruleY = 80, conditionX = 100, letterX = 194, actionX = 285;
constexpr int logicBackX = 775, logicBackY = 575, saveX = 30, saveY = 80;
constexpr int conditionSteps = 11;  // "When object" (100) to "Key pressed" (111)
constexpr int letterSteps = 16;     // "a" to "q"
constexpr int actionSteps = 69;     // "and" (700) to "end game" (773), past the four hidden ids 748 to 751
// The start of the rule row, before the object's (animated) image.
constexpr e2e::Region ruleRow{60, 70, 220, 90}, wordList{200, 100, 320, 500};
// The phrase editor: its button on the logic editor, its textbox and
// checkmark, its close button, and the stored text of the phrase shown.
constexpr int phrasesX = 45, phrasesY = 575, phraseBoxX = 400, phraseBoxY = 330;
constexpr int storeX = 660, storeY = 380, phraseCloseX = 668, phraseCloseY = 464;
constexpr e2e::Region phrasePanel{100, 100, 700, 500}, storedPhrase{125, 278, 690, 293};
// The top right corner of the editors, where a menu once stood a button over
// every screen of the world editor.
constexpr int cornerX = 725, cornerY = 48;
constexpr e2e::Region playButton{330, 305, 470, 335};  // the sample game's menu

TEST(EditorWalk, ARuleWrittenWithTheMouseWorksInPlay)
{
    std::string saved[3];
    const char* const files[3] = {"map.cfg", "logic.cfg", "ui.cfg"};
    {
        e2e::App app;
        SampleEditor walk;
        ASSERT_NO_FATAL_FAILURE(openSampleEditor(app, walk));
        const e2e::Image added = app.clickUntil(addObjectX, addObjectY, unlikeIn(walk.editor, {15, 425, 45, 455}));
        ASSERT_TRUE(added.valid());
        const e2e::Region& row = pickerFirstRow;
        const e2e::Image images = app.clickUntil(objectImageX, objectImageY, unlikeIn(added, row), row);
        ASSERT_TRUE(images.valid());
        const e2e::Image chosen = app.clickUntil(firstOwnImageX, firstOwnImageY, unlikeIn(images, row), row);
        ASSERT_TRUE(chosen.valid());
        ASSERT_TRUE(app.clickUntil(pickerCloseX, pickerCloseY, unlikeIn(chosen, pickerClose), pickerClose).valid());
        const e2e::Image logic = app.clickUntil(localLogicX, localLogicY, unlikeIn(walk.editor, ruleRow), ruleRow);
        ASSERT_TRUE(logic.valid());
        const e2e::Image rule = app.clickUntil(plusX, ruleY, unlikeIn(logic, ruleRow), ruleRow);
        ASSERT_TRUE(rule.valid());

        ASSERT_TRUE(app.clickUntil(conditionX, ruleY, unlikeIn(rule, wordList), wordList).valid());
        for (int i = 0; i < conditionSteps; ++i) ASSERT_TRUE(app.xdotool("click 5"));  // the wheel steps the list
        ASSERT_TRUE(app.key("Return"));
        ASSERT_TRUE(app.xdotool("mousemove --window " + app.windowId() + " " + std::to_string(letterX) + " " +
                                std::to_string(ruleY)));
        for (int i = 0; i < letterSteps; ++i) ASSERT_TRUE(app.key("Right"));  // steps the value under the pointer
        ASSERT_TRUE(app.clickUntil(actionX, ruleY, unlikeIn(rule, wordList), wordList).valid());
        for (int i = 0; i < actionSteps; ++i) ASSERT_TRUE(app.key("Down"));
        ASSERT_TRUE(app.key("Return"));

        // A phrase typed into the phrase editor (phrase 3, which the sample
        // does not use) outlives a click in the corner: the checkmark stores it.
        const e2e::Image phrases = app.clickUntil(phrasesX, phrasesY, unlikeIn(rule, phrasePanel), phrasePanel);
        ASSERT_TRUE(phrases.valid());
        ASSERT_TRUE(app.key("Right Right Right"));
        const e2e::Image unused = app.waitForRest(unlikeIn(phrases, storedPhrase), storedPhrase);
        ASSERT_TRUE(unused.valid());
        ASSERT_TRUE(app.click(phraseBoxX, phraseBoxY));
        ASSERT_TRUE(app.type("Hello"));
        ASSERT_TRUE(app.click(cornerX, cornerY));
        ASSERT_TRUE(app.clickUntil(storeX, storeY, unlikeIn(unused, storedPhrase), storedPhrase).valid());
        // Its door icon closes it, checkmark and all. The logic editor under it
        // lets the world show through faintly, where the new object's animated
        // image keeps changing, so the panel's area is not waited on to rest.
        ASSERT_TRUE(plainGreenAt(phrases, storeX, storeY));
        ASSERT_TRUE(app.click(phraseCloseX, phraseCloseY));
        ASSERT_TRUE(app.waitForScreen([](const e2e::Image& s) { return !plainGreenAt(s, storeX, storeY); }).valid());

        ASSERT_TRUE(app.clickUntil(logicBackX, logicBackY, like(walk.editor, door), door).valid());
        ASSERT_TRUE(app.click(saveX, saveY));
        ASSERT_TRUE(app.waitForLog("The project has been successfully saved."));
        EXPECT_NE(app.readFile("games/sample/system/logic.cfg").find("sentence0 111 16 300 400 0 600 773 0"),
                  std::string::npos);
        const std::string map = app.readFile("games/sample/system/map.cfg");
        EXPECT_NE(map.find("\ns phrase3 Hello\n"), std::string::npos);
        // The new object, the map's seventeenth: x y z w h d, then its image.
        EXPECT_TRUE(std::regex_search(map, std::regex("\ns map0object16 (\\S+ ){6}200 ")));
        for (int f = 0; f < 3; ++f) saved[f] = app.readFile("games/sample/system/" + std::string(files[f]));
        ASSERT_TRUE(app.closeWindow());
        EXPECT_EQ(app.waitExit(), 0);
    }

    e2e::App app;
    for (int f = 0; f < 3; ++f) app.writeFile("games/sample/system/" + std::string(files[f]), saved[f]);
    app.writeFile("system/system.cfg", e2e::settingsFile(title, 1, 0));  // debug mode: no splash
    ASSERT_TRUE(app.start(title));
    ASSERT_TRUE(app.openConsole());
    ASSERT_TRUE(app.type("loadgame sample"));
    ASSERT_TRUE(app.key("Return"));
    ASSERT_TRUE(app.waitForLog("Game: sample has been loaded successfully."));
    ASSERT_TRUE(app.waitConsoleClosed());  // loadgame closes the console itself
    const e2e::Image menu = app.waitForRest([](const e2e::Image&) { return true; }, playButton);
    ASSERT_TRUE(menu.valid());
    ASSERT_TRUE(app.clickUntil(400, 320, unlikeIn(menu, playButton), playButton).valid());
    bool ended = false;  // "end game": back to the game's menu, once a click has closed the opening phrase
    for (int attempt = 0; attempt < 5 && !ended; ++attempt) {
        ASSERT_TRUE(app.click(400, 450));
        ASSERT_TRUE(app.key("q"));
        ended = app.waitForScreen(like(menu, playButton), 4000).valid();
    }
    EXPECT_TRUE(ended);
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

}  // namespace
