// The console commands. Each command word is accepted only in the forms its
// row lists (case matters); the first row that matches runs.
#include "menus/console_commands.h"

#include <cctype>
#include <climits>
#include <initializer_list>
#include <string>

#include "core/debug.h"
#include "core/frame.h"
#include "core/init.h"
#include "core/log.h"
#include "core/system.h"
#include "menus/console.h"
#include "menus/help.h"
#include "menus/notice.h"
#include "world/game_files.h"
#include "world/game_leave.h"
#include "world/game_load.h"
#include "world/world.h"

namespace {

const char* const notFoundWarning = QV_WARNING "That command wasn't found. Please try again.";

void echoLines(std::initializer_list<const char*> lines)
{
    for (const char* line : lines) console.echo(line);
}

void commandHelp(const std::string&)
{
    echoLines({"", "^w^3Help", "", "^wType '^ycommands^w' for a list of commands"});
}

void commandList(const std::string&)
{
    echoLines({
        "",
        "^3^wCommands",
        "",
        QV_WARNING "Improper use may crash Quorvane!",
        "^w'^ySave^w' - Saves current system settings.",
        "^w'^yQuit^w' - Terminates the program",
        "^w'^yHelp^w' - Displays a list of Help Topics",
        "^w'^yFullscreen on^w' '^yFullscreen off^w' - Changes between Window/Full Screen.",
        "^w'^yCredits^w' - Displays a list of credits",
        "^w'^ydebug on^w' '^ydebug off^w' - Turns on and off the debug mode",
        "^w'^yloadgame NAME^w' where NAME is the title of the game",
        "^w'^yloadmap #^w' where # is a currently loaded map for the game world.",
        "^w'^yloadhelp^w' '^ygamename^w' Loads the help file for the specified game",
        "^w'^yeditui^w' mainui/ingameui - Loads and edits the Main or Ingame UI",
        "^w'^yquituiedit^w' - Stops editing the current UI and returns to QV Main Menu",
        "^w'^ylog (message)^w' - Outputs a string to the log file: ^y/log.txt^w.",
    });
}

void commandSave(const std::string&)
{
    saveSystem();
}

void commandCredits(const std::string&)
{
    echoLines({
        "",
        "^3Credits",
        "",
        "^wCreated, designed and programmed by the Quorvane team",
        "^wArt assets drawn for Quorvane by its own tools",
        "^wSound effects generated for Quorvane by its own tools",
        "^wTechnical consultant: the Quorvane engine group",
    });
}

void commandQuit(const std::string&)
{
    quitEngine(quitStatusUser);
}

void commandFullscreen(const std::string& function)
{
    if (function == "off" || function == "Off") setFullScreen(false, false);
    else if (function == "on" || function == "On") setFullScreen(true, false);
}

void commandDebug(const std::string& function)
{
    if (function == "on" || function == "On") {
        debugInit();
        gameSys.setDebugState(true, false);
    } else if (function == "Off" || function == "off") {
        gameSys.setDebugState(false, true);
        console.echo("^wDebug mode ^yoff");
    }
}

void commandLoadGame(const std::string& function)
{
    if (gameSys.getGameState() == gameStateWorldEditor) {
        console.echo("^rERROR:^w Cannot load game, Editor is active");
        notice.setNotice("^yERROR", "Cannot load game. Editor is active");
        return;
    }
    loadGame(function);
    console.disableConsole();
}

void commandLoadMap(const std::string& function)
{
    if (!world.getGameLoaded()) {
        systemMsg(QV_ERROR "There is no game loaded, unable to change map.");
        notice.setNotice("^yERROR", "There is no game loaded, unable to change map.");
        return;
    }
    const int map = readConsoleNumber(function);
    if (map < 0 || map >= world.getMapCount()) {
        systemMsg(QV_ERROR "Attempted to load an unloaded map");
        return;
    }
    changeMap(map);
    console.disableConsole();
}

void commandEditUI(const std::string& function)
{
    if (gameSys.getGameState() != gameStateMenu) {
        notice.setNotice("Edit UI", "You must be in the Main Menu to edit a UI");
        systemMsg(QV_ERROR "You must be in the Main Menu to edit a specific UI");
        return;
    }
    if (function != "mainui" && function != "ingameui") {
        systemMsg("^rERROR:^w You must enter editui mainui ^yor^w editui ingameui!");
        return;
    }
    console.disableConsole();
    loadPredefinedUI(function);
}

// Leaves a registered menu project open in the menu editor.
void commandQuitUIEdit(const std::string&)
{
    if (checkGameName(world.getGameName())) leaveGame();
}

void commandLoadHelp(const std::string& function)
{
    if (!gameNameIsSafe(function)) {
        systemMsg(QV_ERROR "Unable to load the help of the game: ^y" + function);
        return;
    }
    initHelp(function);
}

void commandLog(const std::string& function)
{
    systemMsg(function);
}

void commandEcho(const std::string& function)
{
    console.echo(function);
}

constexpr int maxCommandForms = 4;

struct consoleCommand {
    const char* forms[maxCommandForms];  // unused slots are null
    void (*run)(const std::string& function);
};

const consoleCommand commandTable[] = {
    {{"Help", "help"}, commandHelp},
    {{"Commands", "commands"}, commandList},
    {{"Save", "save"}, commandSave},
    {{"Credits", "credits"}, commandCredits},
    {{"Quit", "quit", "exit", "Exit"}, commandQuit},
    {{"Fullscreen", "fullscreen"}, commandFullscreen},
    {{"debug", "Debug"}, commandDebug},
    {{"loadgame", "Loadgame"}, commandLoadGame},
    {{"loadmap", "Loadmap"}, commandLoadMap},
    {{"loadhelp", "Loadhelp"}, commandLoadHelp},
    {{"editui", "Editui"}, commandEditUI},
    {{"quituiedit", "Quituiedit"}, commandQuitUIEdit},
    {{"log", "Log"}, commandLog},
    {{"echo", "Echo"}, commandEcho},
};

const consoleCommand* findCommand(const std::string& ident)
{
    for (const consoleCommand& command : commandTable)
        for (const char* form : command.forms)
            if (form && ident == form) return &command;
    return nullptr;
}

}  // namespace

consoleCommandParts splitConsoleCommand(const std::string& command)
{
    const size_t blank = command.find(' ');
    if (blank == std::string::npos) return {command, ""};
    return {command.substr(0, blank), command.substr(blank + 1)};
}

int readConsoleNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

void inputConsole(std::string command)
{
    console.echo("^wYou have entered: ^y" + command);
    console.echo("");
    const consoleCommandParts parts = splitConsoleCommand(command);
    if (const consoleCommand* found = findCommand(parts.ident)) found->run(parts.function);
    else console.echo(notFoundWarning);
    console.echo("");
    console.setCommandLine("");
}
