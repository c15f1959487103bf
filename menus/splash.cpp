// The splash sequence's state record.
#include "menus/splash.h"

#include "core/log.h"

uiSplash splash;

void uiSplash::setCurrentSplash(int index)
{
    if (index < splashCount) {
        splashRender = index;
        return;
    }
    systemMsg(QV_ERROR "Attempt to set splash texture out of array");
}
