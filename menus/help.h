// The help system: the topics of a help file (`system/help.cfg` or a game's
// own), the full-screen help panel that shows them, and its opening and
// closing.
#pragma once
#include <string>
#include <vector>

// A stored line longer than this is cut to helpLineCut characters.
constexpr size_t helpLineLimit = 59;
constexpr size_t helpLineCut = 50;

constexpr bool helpStateShown = true;
constexpr bool helpStateHidden = false;

// One help topic: its title and lines.
class helpMenu {
public:
    void setMenuTitle(std::string text) { title = std::move(text); }
    std::string getMenuTitle() const { return title; }
    // Stores line j, growing the line list to j + 1 lines when needed.
    void setMenuLine(int j, std::string line);
    // "NULL" past the last line.
    std::string getMenuLine(int j) const;
    int getLineCount() const { return lineCount; }

private:
    std::string title;
    std::vector<std::string> menuText;
    int lineCount = 0;
};

// The help as a whole: its topics, the selected topic, whether the panel is
// shown, and the title of the heading.
class help {
public:
    void clearData();
    // Both grow the topic list to t + 1 topics when needed.
    void menuSetMenuTitle(int t, std::string title);
    void menuSetMenuLine(int t, int j, std::string line);
    // Readers answer "NULL" (texts) and 0 (counts) for a topic that does not exist.
    std::string menuGetMenuTitle(int t) const;
    std::string menuGetMenuLine(int t, int j) const;
    int getLineCount(int t) const;
    int getMenuCount() const { return menuCount; }

    void setHelp(int topic) { currentHelpMenu = topic; }
    int getHelp() const { return currentHelpMenu; }
    void setHelpState(bool shown) { helpState = shown; }
    bool getHelpState() const { return helpState; }
    void setHelpTitle(std::string text) { title = std::move(text); }
    std::string getHelpTitle() const { return title; }

    // Topic selection by the arrow keys: no wrap-around at either end.
    void selectPreviousTopic();
    void selectNextTopic();

private:
    std::vector<helpMenu> menu;
    int currentHelpMenu = 0;
    bool helpState = helpStateHidden;
    int menuCount = 0;
    std::string title;

    bool growTo(int t);
};

extern help uiHelp;

// Reads a help file into uiHelp: "default" is the program's own file, any
// other name a game's folder. When no help file can be read the program ends.
void initHelp(const std::string& filename);
void enableHelp();
void disableHelp();
// Draws the help panel while it is shown and owns the input.
void helpRender();
