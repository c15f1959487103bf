// The console and help codes of the menu system's click handler.
#include "menus/ui_picking.h"

#include "core/pick.h"
#include "core/system.h"
#include "media/sound.h"
#include "menus/console.h"
#include "menus/help.h"

namespace {

void toggleConsole()
{
    if (console.getConsoleState()) {
        console.disableConsole();
        playSystemSound(sysSoundClose, 0);
    } else {
        playSystemSound(sysSoundOpen, 0);
        console.enableConsole();
    }
}

// The codes a left press acts on; false for the others.
bool leftPressCode(int code)
{
    switch (code) {
    case pickOpenHelp:
        enableHelp();
        return true;
    case pickToggleConsole:
        toggleConsole();
        return true;
    case pickConsoleUp:
        console.scrollOlder();
        return true;
    case pickConsoleDown:
        console.scrollNewer();
        return true;
    default:
        return false;
    }
}

}  // namespace

int uiPicking(const unsigned char* pixel)
{
    const int code = pixel[0];
    const bool hover = gameSys.getHoverState();
    if (code == pickCloseHelp && !hover) {
        playSystemSound(sysSoundSelect, 0);
        disableHelp();
        return 1;
    }
    if (!hover && gameSys.getLeftMouse() == mouseButtonPressed && leftPressCode(code)) return 1;
    return 0;
}
