// A game's folders and files: their names, and the holds of saves and loads
// on its system folder.
#include "world/game_files.h"

#include <vector>

#include "core/file_kind.h"
#include "core/log.h"
#include "menus/notice.h"

namespace {

const char* const systemFolderName = "system";

std::vector<std::string> gameSystemFiles()
{
    return {mapFileName, logicFileName, uiFileName};
}

void refuseLoad(const std::string& name, const std::string& reason, bool heldElsewhere)
{
    systemMsg(QV_ERROR "The game ^y" + name + "^w was not loaded: " + reason + ".");
    notice.setNotice("Load Game", heldElsewhere ? "Another copy of the program is at work on ^y" + name +
                                                      "^w; try again once it is done."
                                                : "Unable to open game: ^y" + name);
}

}  // namespace

bool checkGameName(const std::string& name)
{
    return name == "mainui" || name == "ingameui";
}

bool gameNameIsSafe(const std::string& name)
{
    if (name == "." || name == "..") return false;
    for (unsigned char c : name)
        if (c == '/' || c == '\\' || c < 0x20 || c == 0x7f) return false;
    return true;
}

std::string gameFolder(const std::string& name)
{
    return std::string(gamesFolder) + "/" + name;
}

std::string gameSystemFolder(const std::string& name)
{
    return gameFolder(name) + "/" + systemFolderName;
}

std::string gameFilePath(const std::string& name, const std::string& file)
{
    return gameSystemFolder(name) + "/" + file;
}

std::string gameFileLabel(const std::string& name, const std::string& file)
{
    return name + "/" + systemFolderName + "/" + file;
}

bool gameMapFilePresent(const std::string& name)
{
    return gameNameIsSafe(name) && isRegularFile(gameFilePath(name, mapFileName));
}

gameFilesReplacement::gameFilesReplacement(const std::string& name)
    : folderReplacement(gameSystemFolder(name), gameSystemFiles())
{
}

bool holdGameFiles(const std::string& name, folderLock& lock)
{
    if (name.empty() || !gameNameIsSafe(name) || checkGameName(name)) return true;
    const std::string folder = gameSystemFolder(name);
    std::string reason;
    if (!lock.take(folder, reason)) {
        refuseLoad(name, reason, lock.heldElsewhere());
        return false;
    }
    if (!finishFolderReplacement(folder, gameSystemFiles(), &reason))
        systemMsg(QV_WARNING "What a save of ^y" + name + "^w cut short left cannot be finished: " + reason + ".");
    return true;
}
