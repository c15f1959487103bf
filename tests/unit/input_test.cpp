// Keyboard routing during play (key states and auto-repeat), and the editing
// rules of textbox texts and menu text lines.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <string>
#include <vector>

#include "core/input.h"
#include "core/system.h"
#include "core/window_internal.h"
#include "menus/console.h"
#include "menus/help.h"

namespace {

std::vector<bool> repeatCalls;
void recordAutoRepeat(bool on) { repeatCalls.push_back(on); }

float ninePerCharacter(const std::string& text) { return 9.0f * static_cast<float>(text.size()); }

class PlayKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        repeatCalls.clear();
        setAutoRepeatSwitch(recordAutoRepeat);
        gameSys.resetKeyState();
        gameSys.setGameState(gameStatePlay);
        gameSys.setInputState(inputStateNormal);
        uiHelp.setHelpState(false);
    }
};

TEST_F(PlayKeys, LettersEnterSpaceAndArrowsBecomeKeyStates)
{
    keyboard('d', 0, 0);
    EXPECT_EQ(gameSys.getAlphabetKeyState(3), keyStatePressed);
    EXPECT_EQ(gameSys.getCurrentAlphabetKey(), 3);
    keyboard(keyCodeEnter, 0, 0);
    keyboard(keyCodeSpace, 0, 0);
    processSpecialKeys(GLUT_KEY_LEFT, 0, 0);
    for (int key : {keyEnter, keySpace, keyLeft}) EXPECT_EQ(gameSys.getKeyState(key), keyStatePressed) << key;
    EXPECT_EQ(repeatCalls, (std::vector<bool>{false, false, false, false}));

    repeatCalls.clear();
    keyboardUp('d', 0, 0);
    keyboardUp(keyCodeEnter, 0, 0);
    specialKeysUp(GLUT_KEY_LEFT, 0, 0);
    EXPECT_EQ(gameSys.getAlphabetKeyState(3), keyStateIdle);
    for (int key : {keyEnter, keyLeft}) EXPECT_EQ(gameSys.getKeyState(key), keyStateIdle) << key;
    EXPECT_EQ(gameSys.getKeyState(keySpace), keyStatePressed);
    EXPECT_EQ(repeatCalls, (std::vector<bool>{true, true, true}));
}

TEST_F(PlayKeys, UpperCaseSetsNothingAndDisabledKeysStayDisabled)
{
    keyboard('D', 0, 0);
    EXPECT_EQ(gameSys.getAlphabetKeyState(3), keyStateIdle);
    EXPECT_TRUE(repeatCalls.empty());

    gameSys.setAlphabetKeyState(4, keyStateDisabled);
    gameSys.setKeyState(keyUp, keyStateDisabled);
    for (int i = 0; i < 3; ++i) {
        keyboard('e', 0, 0);
        keyboardUp('e', 0, 0);
        processSpecialKeys(GLUT_KEY_UP, 0, 0);
        specialKeysUp(GLUT_KEY_UP, 0, 0);
    }
    EXPECT_EQ(gameSys.getAlphabetKeyState(4), keyStateDisabled);
    EXPECT_EQ(gameSys.getKeyState(keyUp), keyStateDisabled);
    EXPECT_TRUE(repeatCalls.empty());
    keyboard('f', 0, 0);
    EXPECT_EQ(gameSys.getAlphabetKeyState(5), keyStatePressed);
}

TEST_F(PlayKeys, ConsoleHelpAndOtherStatesKeepKeysFromTheGame)
{
    for (bool help : {true, false}) {  // the help open in play, then the world editor
        uiHelp.setHelpState(help);
        gameSys.setGameState(help ? gameStatePlay : gameStateWorldEditor);
        keyboard('a', 0, 0);
        processSpecialKeys(GLUT_KEY_DOWN, 0, 0);
        EXPECT_EQ(gameSys.getAlphabetKeyState(0), keyStateIdle) << help;
        EXPECT_EQ(gameSys.getKeyState(keyDown), keyStateIdle) << help;
    }

    // A held key is released in play whatever the input state.
    gameSys.setGameState(gameStatePlaytest);
    keyboard('a', 0, 0);
    gameSys.setInputState(inputStateConsole);
    keyboardUp('a', 0, 0);
    EXPECT_EQ(gameSys.getAlphabetKeyState(0), keyStateIdle);
    gameSys.setInputState(inputStateNormal);
}

TEST_F(PlayKeys, F2TogglesTheDebugOverlay)
{
    gameSys.setDebugState(false, true);
    processSpecialKeys(GLUT_KEY_F2, 0, 0);
    EXPECT_TRUE(gameSys.getDebugState());
    processSpecialKeys(GLUT_KEY_F2, 0, 0);
    EXPECT_FALSE(gameSys.getDebugState());
}

// Menu textboxes take only letters and digits; a 100 wide box takes a blank
// while 8 x length < 93 and other characters while the drawn width (9 a
// character here) is below w - 13.
TEST(TextboxEditing, FiltersControlKeysAndWidthLimits)
{
    const std::string a11(11, 'a'), b9(9, 'b');
    const textboxKind menu = textboxKindMenu, sys = textboxKindSystem;
    const textboxKeyResult dropped = textboxKeyDropped, edited = textboxKeyEdited;
    const struct { std::string text; unsigned char key; textboxKind kind; float width; textboxKeyResult result;
                   std::string after; } cases[] = {
        {"ab", ' ', menu, 200, dropped, "ab"}, {"ab", '-', menu, 200, dropped, "ab"},
        {"ab", 'Z', menu, 200, edited, "abZ"}, {"ab", '7', menu, 200, edited, "ab7"},
        {"ab", ' ', sys, 200, edited, "ab "}, {"ab", '-', sys, 200, edited, "ab-"},
        {"x", keyCodeEscape, menu, 200, textboxKeyEscape, "x"}, {"x", keyCodeEnter, menu, 200, textboxKeyEnter, "x"},
        {"x", keyCodeBackspace, menu, 200, edited, ""}, {"", keyCodeBackspace, sys, 200, dropped, ""},
        {a11, ' ', sys, 100, edited, a11 + " "}, {a11 + " ", ' ', sys, 100, dropped, a11 + " "},
        {b9, 'c', menu, 100, edited, b9 + "c"}, {b9 + "c", 'c', menu, 100, dropped, b9 + "c"}};
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(editTextboxText(text, c.key, c.kind, c.width, ninePerCharacter), c.result)
            << '"' << c.text << "\" + " << int(c.key) << " kind " << c.kind;
        EXPECT_EQ(text, c.after) << '"' << c.text << "\" + " << int(c.key) << " kind " << c.kind;
    }
}

TEST(TextLineEditing, HasNoFilterAndEndsOnEnterOrEscape)
{
    std::string line = "Title";
    for (char key : std::string(" -^")) EXPECT_TRUE(editTextLine(line, key)) << key;
    EXPECT_EQ(line, "Title -^");
    EXPECT_TRUE(editTextLine(line, keyCodeBackspace));
    EXPECT_EQ(line, "Title -");
    EXPECT_FALSE(editTextLine(line, keyCodeEnter));
    EXPECT_FALSE(editTextLine(line, keyCodeEscape));
    EXPECT_EQ(line, "Title -");
    std::string empty;
    EXPECT_TRUE(editTextLine(empty, keyCodeBackspace));
    EXPECT_EQ(empty, "");
}

}  // namespace
