// A game's folders and files, known in this one place: which names can be a
// game's, the folder `games` that holds every game, a game's folder
// games/<name> and its folder games/<name>/system with the files there (the
// three every save of the game writes, and its help), the replacement
// through which the editors' saves write them, and the hold under which a
// load reads them. The loaders of media/ are handed the game's folder from
// here by their callers. A save holds the
// folder through its replacement and a load through holdGameFiles, so that
// no two copies of the program work on one game's files at once; each first
// finishes what a save cut short left, so that a load reads the files of one
// save.
#pragma once
#include <string>

#include "core/file_write.h"

// True exactly for the registered menu-project names "mainui" and "ingameui".
bool checkGameName(const std::string& name);
// False for a name that cannot be a folder of `games/`: one holding "/", "\\"
// or a control character, and the names "." and "..". The empty name passes
// (the loaders refuse it with their own message).
bool gameNameIsSafe(const std::string& name);

// The folder of the working directory that holds every game.
inline constexpr const char* gamesFolder = "games";
// The files a save writes into a game's system folder.
inline constexpr const char* mapFileName = "map.cfg";
inline constexpr const char* logicFileName = "logic.cfg";
inline constexpr const char* uiFileName = "ui.cfg";
// The game's help there, which no save writes.
inline constexpr const char* helpFileName = "help.cfg";
// A game's folder: "games/<name>".
std::string gameFolder(const std::string& name);
// The folder of a game's own files: "games/<name>/system".
std::string gameSystemFolder(const std::string& name);
// One file of it: "games/<name>/system/<file>".
std::string gameFilePath(const std::string& name, const std::string& file);
// The same file as messages name it, from the games folder:
// "<name>/system/<file>".
std::string gameFileLabel(const std::string& name, const std::string& file);
// The one file every game has, its map.cfg, is there as a regular file
// (looked at without opening it).
bool gameMapFilePresent(const std::string& name);

// The replacement of the game `name`'s files, which a save stages them in
// and commits together.
class gameFilesReplacement : public folderReplacement {
public:
    explicit gameFilesReplacement(const std::string& name);
};

// Holds the files of the game `name` for a load in `lock`, and finishes what
// a save cut short left there, before anything there is read: a committed
// save's files are put in place, an uncommitted one's temporaries removed;
// what cannot be finished is a warning. False, after the refusal is logged
// and shown, when another copy of the program holds them past the wait or
// the folder cannot be held; nothing is held then. A name that cannot be a
// game's holds nothing and passes.
bool holdGameFiles(const std::string& name, folderLock& lock);
