// The menu data model: storing, growing, copying and bounds-checking menus,
// their items and the textbox texts.
#include "menus/ui.h"

#include "core/log.h"

UI gameUI;
uiString uiScriptString;

namespace {

const char* const buttonMissing = QV_ERROR "Attempt to access a button not in memory!";
const char* const textboxMissing = QV_ERROR "Attempt to access a Textbox that does not exist in memory!";
const char* const textlineMissing = QV_ERROR "Attempt to access a textline not in memory!";

// Writing at index: the list grows to index + 1, the new places (and any
// storage held past the count) holding default elements.
template <typename T>
T* growFor(std::vector<T>& list, int& count, int index)
{
    if (index < 0) return nullptr;
    if (index >= count) {
        const size_t newSize = static_cast<size_t>(index) + 1;
        list.resize(static_cast<size_t>(count));
        list.resize(newSize);
        count = index + 1;
    }
    return &list[static_cast<size_t>(index)];
}

template <typename T>
const T* existing(const std::vector<T>& list, int count, int index)
{
    if (index < 0 || index >= count) return nullptr;
    return &list[static_cast<size_t>(index)];
}

template <typename T>
void setCount(std::vector<T>& list, int& count, int n)
{
    if (n < 0) n = 0;
    if (static_cast<size_t>(n) > list.size()) {
        list.resize(static_cast<size_t>(count));
        list.resize(static_cast<size_t>(n));
    }
    count = n;
}

}  // namespace

// uiString

uiString::uiString() : strings(1) {}

void uiString::setString(std::string text, int index)
{
    if (index < 0 || index > uiStringIndexMax) return;
    if (index > stringCount) {
        strings.resize(static_cast<size_t>(index) + 1);
        stringCount = index;
    }
    strings[static_cast<size_t>(index)] = std::move(text);
}

std::string uiString::getString(int index) const
{
    if (index < 0 || index > stringCount) return "";
    return strings[static_cast<size_t>(index)];
}

// Text, Button, Textbox

void Text::modifyText(float nx, float ny, float nr, float ng, float nb, std::string ntext)
{
    x = nx;
    y = ny;
    r = nr;
    g = ng;
    b = nb;
    text = std::move(ntext);
}

void Text::getText(float& ox, float& oy, float& orr, float& og, float& ob, std::string& otext) const
{
    ox = x;
    oy = y;
    orr = r;
    og = g;
    ob = b;
    otext = text;
}

void Button::modifyButton(float nx, float ny, float nw, float nh, int ntex, int nfunc, int nfunc2)
{
    x = nx;
    y = ny;
    w = nw;
    h = nh;
    tex = ntex;
    func = nfunc;
    func2 = nfunc2;
}

void Button::getButton(float& ox, float& oy, float& ow, float& oh, int& otex, int& ofunc, int& ofunc2) const
{
    ox = x;
    oy = y;
    ow = w;
    oh = h;
    otex = tex;
    ofunc = func;
    ofunc2 = func2;
}

void Textbox::modifyTextbox(float nx, float ny, float nw, float nh, int ntext)
{
    x = nx;
    y = ny;
    w = nw;
    h = nh;
    text = ntext;
}

void Textbox::getTextbox(float& ox, float& oy, float& ow, float& oh, int& otext) const
{
    ox = x;
    oy = y;
    ow = w;
    oh = h;
    otext = text;
}

// Menu

void Menu::menuModifyButton(float x, float y, float w, float h, int tex, int func, int func2, int index)
{
    if (Button* button = growFor(UIButtons, buttonCount, index)) button->modifyButton(x, y, w, h, tex, func, func2);
}

bool Menu::menuGetButton(float& x, float& y, float& w, float& h, int& tex, int& func, int& func2, int index) const
{
    const Button* button = existing(UIButtons, buttonCount, index);
    if (!button) systemMsg(buttonMissing);
    (button ? *button : Button()).getButton(x, y, w, h, tex, func, func2);
    return button != nullptr;
}

void Menu::menuModifyTextbox(float x, float y, float w, float h, int text, int index)
{
    if (Textbox* textbox = growFor(UITextboxes, textboxCount, index)) textbox->modifyTextbox(x, y, w, h, text);
}

bool Menu::menuGetTextbox(float& x, float& y, float& w, float& h, int& text, int index) const
{
    const Textbox* textbox = existing(UITextboxes, textboxCount, index);
    if (!textbox) systemMsg(textboxMissing);
    (textbox ? *textbox : Textbox()).getTextbox(x, y, w, h, text);
    return textbox != nullptr;
}

void Menu::menuModifyText(float x, float y, float r, float g, float b, std::string text, int index)
{
    if (Text* line = growFor(UIText, textCount, index)) line->modifyText(x, y, r, g, b, std::move(text));
}

bool Menu::menuGetText(float& x, float& y, float& r, float& g, float& b, std::string& text, int index) const
{
    const Text* line = existing(UIText, textCount, index);
    if (!line) systemMsg(textlineMissing);
    (line ? *line : Text()).getText(x, y, r, g, b, text);
    return line != nullptr;
}

void Menu::menuSetLinkedButton(int button, int textbox)
{
    if (textbox >= 0 && textbox < textboxCount) UITextboxes[static_cast<size_t>(textbox)].setLinkedButton(button);
}

int Menu::menuGetLinkedButton(int textbox) const
{
    const Textbox* box = existing(UITextboxes, textboxCount, textbox);
    return box ? box->getLinkedButton() : linkedButtonNone;
}

bool Menu::menuDeleteTextline(int index)
{
    if (textCount == 0 || index < 0 || index >= textCount) return true;
    UIText.resize(static_cast<size_t>(textCount));
    UIText.erase(UIText.begin() + index);
    --textCount;
    return true;
}

void Menu::setButtonCount(int n)
{
    setCount(UIButtons, buttonCount, n);
}

void Menu::setTextboxCount(int n)
{
    setCount(UITextboxes, textboxCount, n);
}

void Menu::setTextlineCount(int n)
{
    setCount(UIText, textCount, n);
}

// UI

Menu* UI::menuAt(int m)
{
    return validMenu(m) ? &UIMenus[static_cast<size_t>(m)] : nullptr;
}

const Menu& UI::menuOrEmpty(int m) const
{
    static const Menu emptyMenu = [] {
        Menu menu;
        menu.setBackgroundTex(menuBackgroundNone);
        return menu;
    }();
    return validMenu(m) ? UIMenus[static_cast<size_t>(m)] : emptyMenu;
}

void UI::allocateMenu(int n)
{
    if (n < 0) n = 0;
    if (menuCount < n) {
        const size_t kept = menuCount > 0 ? static_cast<size_t>(menuCount) : 0;
        UIMenus.resize(kept);
        UIMenus.resize(static_cast<size_t>(n));
    }
    menuCount = n;
}

void UI::setMenuCount(int n)
{
    if (n > static_cast<int>(UIMenus.size())) UIMenus.resize(static_cast<size_t>(n));
    menuCount = n < -1 ? -1 : n;
}

void UI::setMenuBackgroundTex(int m, int tex)
{
    if (Menu* menu = menuAt(m)) menu->setBackgroundTex(tex);
}

int UI::getMenuBackgroundTex(int m) const
{
    return menuOrEmpty(m).getBackgroundTex();
}

void UI::uiModifyButton(float x, float y, float w, float h, int tex, int func, int func2, int m, int b)
{
    if (Menu* menu = menuAt(m)) menu->menuModifyButton(x, y, w, h, tex, func, func2, b);
}

bool UI::uiGetButton(float& x, float& y, float& w, float& h, int& tex, int& func, int& func2, int m, int b) const
{
    return menuOrEmpty(m).menuGetButton(x, y, w, h, tex, func, func2, b);
}

void UI::uiModifyTextbox(float x, float y, float w, float h, int text, int m, int t)
{
    if (Menu* menu = menuAt(m)) menu->menuModifyTextbox(x, y, w, h, text, t);
}

bool UI::uiGetTextbox(float& x, float& y, float& w, float& h, int& text, int m, int t) const
{
    return menuOrEmpty(m).menuGetTextbox(x, y, w, h, text, t);
}

void UI::uiSetLinkedButton(int button, int t, int m)
{
    if (Menu* menu = menuAt(m)) menu->menuSetLinkedButton(button, t);
}

int UI::uiGetLinkedButton(int t, int m) const
{
    return menuOrEmpty(m).menuGetLinkedButton(t);
}

void UI::uiModifyText(float x, float y, float r, float g, float b, std::string text, int m, int l)
{
    if (Menu* menu = menuAt(m)) menu->menuModifyText(x, y, r, g, b, std::move(text), l);
}

bool UI::uiGetText(float& x, float& y, float& r, float& g, float& b, std::string& text, int m, int l) const
{
    return menuOrEmpty(m).menuGetText(x, y, r, g, b, text, l);
}

bool UI::uiDeleteTextline(int l, int m)
{
    if (Menu* menu = menuAt(m)) menu->menuDeleteTextline(l);
    return true;
}

void UI::menuSetButtonCount(int m, int n)
{
    if (Menu* menu = menuAt(m)) menu->setButtonCount(n);
}

int UI::menuGetButtonCount(int m) const
{
    return menuOrEmpty(m).getButtonCount();
}

void UI::menuSetTextboxCount(int m, int n)
{
    if (Menu* menu = menuAt(m)) menu->setTextboxCount(n);
}

int UI::menuGetTextboxCount(int m) const
{
    return menuOrEmpty(m).getTextboxCount();
}

void UI::menuSetTextlineCount(int m, int n)
{
    if (Menu* menu = menuAt(m)) menu->setTextlineCount(n);
}

int UI::menuGetTextlineCount(int m) const
{
    return menuOrEmpty(m).getTextlineCount();
}

void UI::setCurrentTT(int id, int index, int time)
{
    currentTT = id;
    currentTT2 = index;
    lastToolTipTime = time;
}

void UI::getCurrentTT(int& id, int& index, int& time) const
{
    id = currentTT;
    index = currentTT2;
    time = lastToolTipTime;
}

void clearMenuInteraction()
{
    gameUI.setHoverButton(-1);
    gameUI.setPressedButton(pressedButtonNone);
    gameUI.setHoverTextbox(-1);
}
