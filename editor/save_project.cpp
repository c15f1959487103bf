// The one save command of both editors.
#include "editor/save_project.h"

#include <string>

#include "core/log.h"
#include "core/system.h"
#include "editor/save_ui.h"
#include "editor/save_world.h"
#include "media/sound.h"
#include "menus/notice.h"
#include "world/game_load.h"
#include "world/world.h"

bool saveProject()
{
    const std::string name = world.getGameName();
    if (!checkGameName(name) && !saveGameWorld()) return false;
    if (!saveUI()) return false;
    updateGameList();
    systemMsg("The project has been successfully saved.");
    systemMsg("");
    notice.setNotice("Project Saved", "The project^y " + name + "^w has been successfully saved.");
    playSystemSound(sysSoundClose, 0);
    return true;
}
