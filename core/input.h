// Keyboard input: the four GLUT keyboard callbacks, routed by the game state
// and the input state to the console, the help panel, the function keys and
// the key states that the game logic reads during play; the editing rules of
// textbox texts and menu text lines; and the auto-repeat switch.
#pragma once
#include <string>

// Character codes the routing knows.
constexpr unsigned char keyCodeBackspace = 8;
constexpr unsigned char keyCodeTab = 9;
constexpr unsigned char keyCodeEnter = 13;
constexpr unsigned char keyCodeEscape = 27;
constexpr unsigned char keyCodeSpace = 32;
constexpr unsigned char keyCodeBackQuote = 96;
constexpr unsigned char keyCodeDelete = 127;

void keyboard(unsigned char key, int x, int y);
void keyboardUp(unsigned char key, int x, int y);
void processSpecialKeys(int key, int x, int y);
void specialKeysUp(int key, int x, int y);

// The per-input-state handlers of `keyboard`.
void inputState0Keyboard(unsigned char key);  // normal
void inputState1Keyboard(unsigned char key);  // console command line
void inputState2Keyboard(unsigned char key);  // menu and system textboxes
void inputState3Keyboard(unsigned char key);  // a text line of the menu editor
void inputState4Keyboard(unsigned char key);  // help panel

// What one key did to the text of a textbox.
enum textboxKeyResult {
    textboxKeyDropped = 0,  // refused: the text is unchanged
    textboxKeyEdited = 1,   // the text changed
    textboxKeyEscape = 2,   // leave the textbox, the text unchanged
    textboxKeyEnter = 3,    // confirm, the text unchanged
};
enum textboxKind { textboxKindMenu = 0, textboxKindSystem = 1 };
using textWidthFunc = float (*)(const std::string& text);

// One key applied to the text of a textbox `width` wide. A menu textbox takes
// only digits and letters; a system textbox every character. A blank fits
// while 8 units a character leave 7 of the width; another character while
// the drawn text (measured by `measure`) leaves 13.
textboxKeyResult editTextboxText(std::string& text, unsigned char key, textboxKind kind, float width,
                                 textWidthFunc measure);

// One key applied to a menu text line: no limit and no filter. Returns false
// for Escape and Enter, which end the editing and leave the text unchanged.
bool editTextLine(std::string& text, unsigned char key);

// Saves a screenshot of the window into the working directory and reports it.
void saveScreenshot();
