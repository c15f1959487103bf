// The console's line store. A new line goes in front without copying the
// history, so a long run costs nothing per message.
#include "menus/console.h"

debugConsole console;

void debugConsole::echo(std::string line)
{
    consoleLine.push_front(std::move(line));
    ++lineCount;
}

std::string debugConsole::getLine(int i) const
{
    if (i < 0 || i >= lineCount) return "";
    return consoleLine[static_cast<size_t>(i)];
}

void debugConsole::setCurrentLine(int i)
{
    if (i < lineCount) currentLine = i;
}
