// The one save command of both editors.
#include "editor/save_project.h"

#include <string>

#include "core/file_write.h"
#include "core/log.h"
#include "core/system.h"
#include "editor/save_files.h"
#include "editor/save_ui.h"
#include "editor/save_world.h"
#include "media/sound.h"
#include "menus/notice.h"
#include "world/game_files.h"
#include "world/world.h"

bool saveProject()
{
    const std::string name = world.getGameName();
    if (checkGameName(name)) {
        if (!saveUI()) return false;
    } else {
        // The game's map, logic and menu files are committed together, and
        // only then is each reported saved.
        gameFilesReplacement files(name);
        if (!saveGameWorld(&files) || !saveUI(&files)) return false;
        if (!files.commit()) {
            reportSaveFailure(name, files.error());
            return false;
        }
        reportWorldSaved(name);
        reportUISaved(name);
    }
    updateGameList();
    systemMsg("The project has been successfully saved.");
    systemMsg("");
    notice.setNotice("Project Saved", "The project^y " + name + "^w has been successfully saved.");
    playSystemSound(sysSoundClose, 0);
    return true;
}
