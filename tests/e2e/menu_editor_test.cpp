// The front end changed in the menu editor on the real program: `editui
// mainui` opens it, saving at once writes the file back byte for byte, a new
// text line typed into and a button moved with the arrow keys are all that a
// second save changes, and the leave icon returns to the front end showing them.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace {

const char* const title = "Quorvane Menu Editor";
// The bar's controls in the menu editor's first mode, and where a new text line stands.
constexpr int addTextX = 605, barControlY = 560, saveX = 750, leaveX = 780;
constexpr int newTextX = 430, newTextY = 300;
constexpr e2e::Region bar{0, 540, 800, 600};
constexpr e2e::Region newText{396, 292, 480, 308};
constexpr int nudge = 5;  // one arrow key

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    return at == std::string::npos ? "" : text.replace(at, from.size(), to);
}

TEST(MenuEditor, AFrontEndEditIsSavedExactlyAndShownAfterLeaving)
{
    e2e::App app;
    app.writeFile("system/system.cfg", e2e::settingsFile(title, 0, 0));
    app.usePlainSplash();
    ASSERT_TRUE(app.start(title));
    const std::string original = app.readFile("system/ui.cfg");
    const e2e::MenuFile front(app.path("system/ui.cfg"));
    const int x = front.number("menu0button0x"), y = front.number("menu0button0y");
    int lines = 0;
    while (lines < 99 && original.find("s menu0text" + std::to_string(lines) + " endTextLoad") == std::string::npos)
        ++lines;
    const std::string line = "menu0text" + std::to_string(lines);

    const e2e::Image frontEnd = app.leaveSplash(400, 580);
    ASSERT_TRUE(frontEnd.valid());
    ASSERT_TRUE(app.openConsole());
    ASSERT_TRUE(app.type("editui mainui") && app.key("Return"));
    const e2e::Image editor = app.waitForRest(
        [&](const e2e::Image& s) { return e2e::consoleShownClosed(s) && !e2e::sameIn(s, frontEnd, bar); });
    ASSERT_TRUE(editor.valid());

    ASSERT_TRUE(app.click(saveX, barControlY) && app.sync());
    EXPECT_EQ(app.readFile("system/ui.cfg"), original);

    ASSERT_TRUE(app.click(addTextX, barControlY));
    ASSERT_TRUE(app.waitForScreen([&](const e2e::Image& s) { return !e2e::sameIn(s, editor, newText); }).valid());
    ASSERT_TRUE(app.click(newTextX, newTextY) && app.type("Hi"));
    ASSERT_TRUE(app.click(x, y) && app.key("Right Right Down"));
    ASSERT_TRUE(app.click(saveX, barControlY) && app.sync());
    std::string expected = replaced(original, "f menu0button0x " + std::to_string(x) + "\nf menu0button0y " +
                                                  std::to_string(y) + "\n",
                                    "f menu0button0x " + std::to_string(x + 2 * nudge) + "\nf menu0button0y " +
                                        std::to_string(y + nudge) + "\n");
    expected = replaced(expected, "s " + line + " endTextLoad",
                        "f " + line + "x 400\nf " + line + "y 300\nf " + line + "r 1\nf " + line + "g 1\nf " + line +
                            "b 1\ns " + line + "string New TextHi\n// Menu 0 Textline " + std::to_string(lines + 1) +
                            "\ns menu0text" + std::to_string(lines + 1) + " endTextLoad");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(app.readFile("system/ui.cfg"), expected);

    ASSERT_TRUE(app.click(leaveX, barControlY));
    EXPECT_TRUE(app.waitForScreen([&](const e2e::Image& s) {
                       return e2e::sameIn(s, frontEnd, bar) && !e2e::sameIn(s, frontEnd, newText);
                   }).valid());
}

}  // namespace
