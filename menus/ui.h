// The menu data model: the menu system `UI` with its menus (`Menu`), their
// buttons (`Button`), textboxes (`Textbox`) and text lines (`Text`), the state
// of the user's interaction with it, and `uiString`, the growable table of the
// texts typed into textboxes. Globals: gameUI and uiScriptString.
#pragma once
#include <string>
#include <vector>

// Entries of uiScriptString by convention.
enum uiStringId {
    uiStringGameToLoad = 0,
    uiStringGameToEdit = 1,
    uiStringGameToCreate = 2,
};
// Highest index a text may take; a larger one is refused.
constexpr int uiStringIndexMax = 9999;

constexpr int pressedButtonNone = -1;
constexpr int pressedButtonDialog0 = -2;
constexpr int pressedButtonDialog1 = -3;
constexpr int toolTipNone = -1;
constexpr int linkedButtonNone = -1;
constexpr int menuBackgroundNone = -1;

class uiString {
public:
    uiString();
    // Stores `text` at `index`, growing the table; an index below 0 or above
    // uiStringIndexMax is ignored.
    void setString(std::string text, int index);
    // "" outside 0..getStringCount().
    std::string getString(int index) const;
    // The HIGHEST valid index, not the number of entries.
    int getStringCount() const { return stringCount; }

private:
    std::vector<std::string> strings;
    int stringCount = 0;
};

class Text {
public:
    void modifyText(float x, float y, float r, float g, float b, std::string text);
    void getText(float& x, float& y, float& r, float& g, float& b, std::string& text) const;

private:
    float x = 0.0f, y = 0.0f;
    float r = 0.0f, g = 0.0f, b = 0.0f;
    std::string text;
};

class Button {
public:
    void modifyButton(float x, float y, float w, float h, int tex, int func, int func2);
    void getButton(float& x, float& y, float& w, float& h, int& tex, int& func, int& func2) const;

private:
    float x = 0.0f, y = 0.0f;
    float w = 1.0f, h = 1.0f;
    int tex = 0;
    int func = 0;
    int func2 = 0;
};

class Textbox {
public:
    // Leaves the linked button as it is.
    void modifyTextbox(float x, float y, float w, float h, int text);
    void getTextbox(float& x, float& y, float& w, float& h, int& text) const;
    void setLinkedButton(int button) { linkedButton = button; }
    int getLinkedButton() const { return linkedButton; }

private:
    float x = 0.0f, y = 0.0f;
    float w = 1.0f, h = 1.0f;
    int text = 0;
    int linkedButton = linkedButtonNone;
};

// One menu screen. Writing at an index at or past a list's count grows the
// list to that index + 1 with default elements; reading outside 0..count-1
// is refused with an error line, fills the outputs with a default element's
// values and returns false, so that a caller runs nothing for an element that
// does not exist.
class Menu {
public:
    void menuModifyButton(float x, float y, float w, float h, int tex, int func, int func2, int index);
    bool menuGetButton(float& x, float& y, float& w, float& h, int& tex, int& func, int& func2, int index) const;
    void menuModifyTextbox(float x, float y, float w, float h, int text, int index);
    bool menuGetTextbox(float& x, float& y, float& w, float& h, int& text, int index) const;
    void menuModifyText(float x, float y, float r, float g, float b, std::string text, int index);
    bool menuGetText(float& x, float& y, float& r, float& g, float& b, std::string& text, int index) const;
    // -1 for a textbox that does not exist; a write to one is ignored.
    void menuSetLinkedButton(int button, int textbox);
    int menuGetLinkedButton(int textbox) const;
    // Removes text line `index`, moving the later lines up; always true.
    bool menuDeleteTextline(int index);

    void setBackgroundTex(int tex) { backgroundTex = tex; }
    int getBackgroundTex() const { return backgroundTex; }
    // A count above the elements written grows the list with default
    // elements; a negative count is taken as 0.
    void setButtonCount(int n);
    int getButtonCount() const { return buttonCount; }
    void setTextboxCount(int n);
    int getTextboxCount() const { return textboxCount; }
    void setTextlineCount(int n);
    int getTextlineCount() const { return textCount; }

private:
    std::vector<Button> UIButtons;
    std::vector<Textbox> UITextboxes;
    std::vector<Text> UIText;
    int backgroundTex = 0;
    int buttonCount = 0;
    int textboxCount = 0;
    int textCount = 0;
};

// The menu system. A menu id outside 0..getMenuCount()-1 reads as an empty
// menu (no background, no items) and writes to it are ignored; the element
// getters return false when the menu or the element does not exist.
class UI {
public:
    // Grows the menu list to n menus (new menus are default menus) and makes
    // n the menu count; a smaller n keeps the menus, only the count drops.
    void allocateMenu(int n);
    void setCurrentMenu(int m) { currentMenu = m; }
    int getCurrentMenu() const { return currentMenu; }
    void setMenuCount(int n);
    int getMenuCount() const { return menuCount; }
    bool validMenu(int m) const { return m >= 0 && m < menuCount; }

    void setMenuBackgroundTex(int m, int tex);
    int getMenuBackgroundTex(int m) const;
    void uiModifyButton(float x, float y, float w, float h, int tex, int func, int func2, int m, int b);
    bool uiGetButton(float& x, float& y, float& w, float& h, int& tex, int& func, int& func2, int m, int b) const;
    void uiModifyTextbox(float x, float y, float w, float h, int text, int m, int t);
    bool uiGetTextbox(float& x, float& y, float& w, float& h, int& text, int m, int t) const;
    void uiSetLinkedButton(int button, int t, int m);
    int uiGetLinkedButton(int t, int m) const;
    void uiModifyText(float x, float y, float r, float g, float b, std::string text, int m, int l);
    bool uiGetText(float& x, float& y, float& r, float& g, float& b, std::string& text, int m, int l) const;
    bool uiDeleteTextline(int l, int m);
    void menuSetButtonCount(int m, int n);
    int menuGetButtonCount(int m) const;
    void menuSetTextboxCount(int m, int n);
    int menuGetTextboxCount(int m) const;
    void menuSetTextlineCount(int m, int n);
    int menuGetTextlineCount(int m) const;

    void setTextboxEdit(int t) { textboxEdit = t; }
    int getTextboxEdit() const { return textboxEdit; }
    void setHoverButton(int b) { hoverButton = b; }
    int getHoverButton() const { return hoverButton; }
    void setPressedButton(int b) { pressedButton = b; }
    int getPressedButton() const { return pressedButton; }
    void setHoverTextbox(int t) { hoverTextbox = t; }
    int getHoverTextbox() const { return hoverTextbox; }
    void setCurrentDialogBox(int d) { currentDialogBox = d; }
    int getCurrentDialogBox() const { return currentDialogBox; }
    void setLastGS(int s) { lastGameState = s; }
    int getLastGS() const { return lastGameState; }
    void setIngameMenu(int m) { ingameMenuID = m; }
    int getIngameMenu() const { return ingameMenuID; }
    void setEditorMenu(int m) { editorMenuID = m; }
    int getEditorMenu() const { return editorMenuID; }
    void setEditorMainMenu(int m) { editorMainMenuID = m; }
    int getEditorMainMenu() const { return editorMainMenuID; }
    void setUIImageCount(int n) { uiImageCount = n; }
    int getUIImageCount() const { return uiImageCount; }
    void setCurrentTT(int id, int index, int time);
    void getCurrentTT(int& id, int& index, int& time) const;

private:
    std::vector<Menu> UIMenus;
    int currentMenu = 0;
    int menuCount = -1;
    int textboxEdit = -1;
    int hoverButton = -1;
    int pressedButton = pressedButtonNone;
    int hoverTextbox = -1;
    int currentDialogBox = 0;
    int lastGameState = 0;
    int ingameMenuID = 0;
    int editorMenuID = 0;
    int editorMainMenuID = 0;
    int uiImageCount = 0;
    int currentTT = 0;
    int currentTT2 = 0;
    int lastToolTipTime = 0;

    Menu* menuAt(int m);
    const Menu& menuOrEmpty(int m) const;
};

extern UI gameUI;
extern uiString uiScriptString;

// No button hovered or pressed and no textbox hovered: a click or a hover that
// no menu control takes.
void clearMenuInteraction();
