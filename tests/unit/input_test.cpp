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
void recordAutoRepeat(bool on)
{
    repeatCalls.push_back(on);
}

float ninePerCharacter(const std::string& text)
{
    return 9.0f * static_cast<float>(text.size());
}

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
    void TearDown() override
    {
        gameSys.resetKeyState();
        gameSys.setGameState(gameStateMenu);
        setAutoRepeatSwitch(nullptr);
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
    EXPECT_EQ(gameSys.getKeyState(keyEnter), keyStatePressed);
    EXPECT_EQ(gameSys.getKeyState(keySpace), keyStatePressed);
    EXPECT_EQ(gameSys.getKeyState(keyLeft), keyStatePressed);
    EXPECT_EQ(repeatCalls, (std::vector<bool>{false, false, false, false}));

    repeatCalls.clear();
    keyboardUp('d', 0, 0);
    keyboardUp(keyCodeEnter, 0, 0);
    specialKeysUp(GLUT_KEY_LEFT, 0, 0);
    EXPECT_EQ(gameSys.getAlphabetKeyState(3), keyStateIdle);
    EXPECT_EQ(gameSys.getKeyState(keyEnter), keyStateIdle);
    EXPECT_EQ(gameSys.getKeyState(keyLeft), keyStateIdle);
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
    uiHelp.setHelpState(true);
    keyboard('a', 0, 0);
    processSpecialKeys(GLUT_KEY_DOWN, 0, 0);
    EXPECT_EQ(gameSys.getAlphabetKeyState(0), keyStateIdle);
    EXPECT_EQ(gameSys.getKeyState(keyDown), keyStateIdle);
    uiHelp.setHelpState(false);

    gameSys.setGameState(gameStateWorldEditor);
    keyboard('a', 0, 0);
    processSpecialKeys(GLUT_KEY_DOWN, 0, 0);
    EXPECT_EQ(gameSys.getAlphabetKeyState(0), keyStateIdle);
    EXPECT_EQ(gameSys.getKeyState(keyDown), keyStateIdle);

    // A held key is released in play whatever the input state.
    gameSys.setGameState(gameStatePlaytest);
    keyboard('a', 0, 0);
    gameSys.setInputState(inputStateConsole);
    keyboardUp('a', 0, 0);
    EXPECT_EQ(gameSys.getAlphabetKeyState(0), keyStateIdle);
    gameSys.setInputState(inputStateNormal);
}

TEST_F(PlayKeys, EscapeClosesAnOpenGameBrowser)
{
    gameSys.setGameState(gameStateMenu);
    gameSys.setDirTextbox(1);
    keyboard(keyCodeEscape, 0, 0);
    EXPECT_EQ(gameSys.getDirTextbox(), dirTextboxNone);
}

TEST_F(PlayKeys, F2TogglesTheDebugOverlay)
{
    gameSys.setDebugState(false, true);
    processSpecialKeys(GLUT_KEY_F2, 0, 0);
    EXPECT_TRUE(gameSys.getDebugState());
    processSpecialKeys(GLUT_KEY_F2, 0, 0);
    EXPECT_FALSE(gameSys.getDebugState());
}

TEST(TextboxEditing, MenuTextboxesTakeOnlyLettersAndDigits)
{
    std::string text = "ab";
    EXPECT_EQ(editTextboxText(text, ' ', textboxKindMenu, 200, ninePerCharacter), textboxKeyDropped);
    EXPECT_EQ(editTextboxText(text, '-', textboxKindMenu, 200, ninePerCharacter), textboxKeyDropped);
    EXPECT_EQ(editTextboxText(text, 'Z', textboxKindMenu, 200, ninePerCharacter), textboxKeyEdited);
    EXPECT_EQ(editTextboxText(text, '7', textboxKindMenu, 200, ninePerCharacter), textboxKeyEdited);
    EXPECT_EQ(text, "abZ7");
    EXPECT_EQ(editTextboxText(text, ' ', textboxKindSystem, 200, ninePerCharacter), textboxKeyEdited);
    EXPECT_EQ(editTextboxText(text, '-', textboxKindSystem, 200, ninePerCharacter), textboxKeyEdited);
    EXPECT_EQ(text, "abZ7 -");
}

TEST(TextboxEditing, ControlKeysLeaveConfirmAndRemove)
{
    std::string text = "x";
    EXPECT_EQ(editTextboxText(text, keyCodeEscape, textboxKindMenu, 200, ninePerCharacter), textboxKeyEscape);
    EXPECT_EQ(editTextboxText(text, keyCodeEnter, textboxKindMenu, 200, ninePerCharacter), textboxKeyEnter);
    EXPECT_EQ(text, "x");
    EXPECT_EQ(editTextboxText(text, keyCodeBackspace, textboxKindMenu, 200, ninePerCharacter), textboxKeyEdited);
    EXPECT_EQ(text, "");
    EXPECT_EQ(editTextboxText(text, keyCodeBackspace, textboxKindSystem, 200, ninePerCharacter),
              textboxKeyDropped);
    EXPECT_EQ(text, "");
}

TEST(TextboxEditing, WidthLimitsBlanksAndCharacters)
{
    // A 100 wide box takes a blank while 8 x length < 93.
    std::string text(11, 'a');
    EXPECT_EQ(editTextboxText(text, ' ', textboxKindSystem, 100, ninePerCharacter), textboxKeyEdited);
    ASSERT_EQ(text.size(), 12u);
    EXPECT_EQ(editTextboxText(text, ' ', textboxKindSystem, 100, ninePerCharacter), textboxKeyDropped);

    // Other characters while the drawn width is below w - 13 (87 here: 9 x 9 = 81 fits, 90 does not).
    std::string drawn(9, 'b');
    EXPECT_EQ(editTextboxText(drawn, 'c', textboxKindMenu, 100, ninePerCharacter), textboxKeyEdited);
    EXPECT_EQ(editTextboxText(drawn, 'c', textboxKindMenu, 100, ninePerCharacter), textboxKeyDropped);
    EXPECT_EQ(drawn, std::string(9, 'b') + "c");
}

TEST(TextLineEditing, HasNoFilterAndEndsOnEnterOrEscape)
{
    std::string line = "Title";
    EXPECT_TRUE(editTextLine(line, ' '));
    EXPECT_TRUE(editTextLine(line, '-'));
    EXPECT_TRUE(editTextLine(line, '^'));
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
