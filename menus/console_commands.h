// The console's command interpreter: the typed line is echoed, split into a
// command word and its argument, and at most one command of a fixed table runs.
#pragma once
#include <string>

struct consoleCommandParts {
    std::string ident;     // the text before the first blank (all of it without one)
    std::string function;  // the text after that blank, further blanks included
};

consoleCommandParts splitConsoleCommand(const std::string& command);

// A command argument read as a decimal integer: leading white space and one
// sign allowed, digits up to the first other character, 0 when there are none;
// saturated to the int range.
int readConsoleNumber(const std::string& text);

// Runs the command in `command` and empties the command line.
void inputConsole(std::string command);
