// The console: the line store, opening and closing, scrolling, and the
// drawing of the sliding panel. A new line goes in front without copying the
// history, so a long run costs nothing per message.
#include "menus/console.h"

#include "core/clock.h"
#include "core/frame.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "core/window.h"
#include "media/sound.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/widgets.h"

debugConsole console;

namespace {

constexpr float slideStep = 10.0f;
constexpr float openThreshold = 78.0f;
constexpr float revealFactor = 1.9f;  // a row shows while its y is above this many panel centres
constexpr float commandBandY = 143.0f;
constexpr float commandTextDrop = 6.0f;
constexpr float linePitch = 13.0f;
constexpr float textLeft = 10.0f;
constexpr int cursorToggleMs = 750;

constexpr int panelHalfH = 82;

struct consoleButton {
    int y, halfSize, image, pick;
};
constexpr int buttonX = 770;
const consoleButton consoleButtons[] = {
    {20, 15, sysImageQuit, pickToggleConsole},
    {60, 16, sysImageArrowUp, pickConsoleUp},
    {100, 16, sysImageArrowDown, pickConsoleDown},
};

float consoley = consoleClosedY;
std::string lineAppend = " ";
int currentTime = 0;
int timeSinceCheck = 0;

void drawCommandBand()
{
    for (const consoleButton& b : consoleButtons)
        displaySingleChoice(buttonX, b.y, b.halfSize, b.halfSize, b.image, b.pick, pickControlMark, pickNoIndex);

    std::string text = ": " + console.getCommandLine();
    currentTime = elapsedMs();
    if (currentTime - timeSinceCheck > cursorToggleMs) {
        lineAppend = (lineAppend == " ") ? "_" : " ";
        timeSinceCheck = currentTime;
    }
    if (lineAppend == "_") text += "_";
    displayTextString(textLeft, commandBandY + commandTextDrop, text);
}

}  // namespace

void debugConsole::enableConsole()
{
    gameSys.setInputState(inputStateConsole);
    hideNonConsoleText = true;
    consoleEnabled = true;
    animState = consoleAnimStateOpening;
}

void debugConsole::disableConsole()
{
    gameSys.setInputState(inputStateNormal);
    hideNonConsoleText = false;
    animState = consoleAnimStateClosing;
}

void toggleConsole(consoleToggle from)
{
    const bool button = from == consoleToggle::button;
    if (console.getConsoleState()) {
        console.disableConsole();
        if (button) playSystemSound(sysSoundClose, 0);
        return;
    }
    if (button) playSystemSound(sysSoundOpen, 0);
    console.enableConsole();
    if (!button) setAutoRepeat(true);
}

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

void debugConsole::scrollOlder()
{
    if (currentLine < lineCount - 1) setCurrentLine(currentLine + 1);
}

void debugConsole::scrollNewer()
{
    if (currentLine > 0) setCurrentLine(currentLine - 1);
}

void debugConsole::scrollOldest()
{
    if (lineCount - 1 > currentLine) setCurrentLine(lineCount - 1);
}

void debugConsole::scrollNewest()
{
    setCurrentLine(0);
}

bool advanceConsoleSlide()
{
    switch (console.getAnimState()) {
    case consoleAnimStateOpening:
        if (consoley < openThreshold) consoley += slideStep;
        else console.setAnimState(consoleAnimStateOpen);
        break;
    case consoleAnimStateClosing:
        if (consoley > consoleClosedY) {
            consoley -= slideStep;
            break;
        }
        console.setAnimState(consoleAnimStateClosed);
        console.setConsoleState(false);
        gameSys.setInputState(inputStateNormal);
        return false;
    default:
        break;
    }
    return true;
}

float getConsoleSlidePosition()
{
    return consoley;
}

void consoleRender()
{
    // The console takes the keyboard back on every call while it is shown.
    if (console.getConsoleState() && gameSys.getInputState() != inputStateConsole)
        gameSys.setInputState(inputStateConsole);
    if (!advanceConsoleSlide()) return;

    if (isPlayState(gameSys.getGameState()))
        displaySingleChoice(screenSpaceCentreX, screenSpaceCentreY, screenSpaceCentreX, screenSpaceCentreY, sysImageNone, pickBlocker,
                            pickBlocker, pickBlocker);
    displaySingleChoice(screenSpaceCentreX, static_cast<int>(consoley), screenSpaceCentreX, panelHalfH,
                        sysImageConsoleBackground, pickBlocker, pickBlocker, pickBlocker);

    const int lineCount = console.getLineCount();
    const int first = console.getCurrentLine();
    const int end = first + (lineCount >= consoleVisibleLines ? consoleVisibleLines : lineCount);
    const float reveal = consoley * revealFactor;

    if (reveal > commandBandY) drawCommandBand();

    float y = commandBandY - linePitch;
    for (int i = first; i < end; ++i) {
        if (reveal > y) displayTextString(textLeft, y, "^w" + console.getLine(i));
        y -= linePitch;
    }
}
