// The System record, its accessors with their clamps and refusals, and the
// game list read from `games/`.
#include "core/system.h"

#include <algorithm>
#include <boost/filesystem.hpp>
#include <cstring>

#include "core/file_kind.h"
#include "core/log.h"
#include "world/game_files.h"

System gameSys;
scriptObject scriptSys;

namespace {

const char* const defaultSystemName = "Quorvane";
const char* const reservedFolderNames[] = {"soundreq", "system", "ui", "uireq", "map", "documentation"};
constexpr int defaultFrameCap = 60;

bool isReservedFolder(const std::string& name)
{
    return std::find(std::begin(reservedFolderNames), std::end(reservedFolderNames), name) !=
           std::end(reservedFolderNames);
}

}  // namespace

System::System()
{
    storeName(defaultSystemName);
}

void System::storeName(const char* name)
{
    std::strncpy(wname, name ? name : "", systemNameSize - 1);
    wname[systemNameSize - 1] = '\0';
}

void System::SetSystem(int x, int y, int w, int h, const char* name)
{
    wx = x;
    wy = y;
    ww = w;
    wh = h;
    storeName(name);
    fps = defaultFrameCap;
}

void System::setDebugState(bool on, bool quiet)
{
    if (on != debugMode) {
        debugMode = on;
        return;
    }
    if (quiet) return;
    systemMsg(on ? "Cannot change debug state, it is already ^yEnabled^w."
                 : "Cannot change debug state, it is already ^yDisabled^w.");
}

// The fields of the named keys, in key-id order.
int System::* const System::namedKeyFields[namedKeyCount] = {
    &System::upArrow, &System::downArrow, &System::rightArrow,
    &System::leftArrow, &System::spaceBar, &System::enterKey,
};

void System::setKeyState(int id, int state)
{
    if (id < 0 || id >= namedKeyCount) return;
    this->*namedKeyFields[id] = state;
}

int System::getKeyState(int id) const
{
    if (id < 0 || id >= namedKeyCount) return keyStateIdle;
    return this->*namedKeyFields[id];
}

void System::setAlphabetKeyState(int i, int state)
{
    if (i < 0 || i >= alphabetKeyCount) return;
    alphakeys[i] = state;
    currentAlphabetKey = (state == keyStatePressed) ? i : -1;
}

int System::getAlphabetKeyState(int i) const
{
    if (i < 0 || i >= alphabetKeyCount) return keyStateIdle;
    return alphakeys[i];
}

int System::getCurrentAlphabetKey() const
{
    if (currentAlphabetKey < 0 || currentAlphabetKey >= alphabetKeyCount) return -1;
    return alphakeys[currentAlphabetKey] == keyStatePressed ? currentAlphabetKey : -1;
}

void System::resetKeyState()
{
    for (int id = 0; id < namedKeyCount; ++id) setKeyState(id, keyStateIdle);
    std::fill(std::begin(alphakeys), std::end(alphakeys), keyStateIdle);
}

void System::setSoundVolume(float v)
{
    soundVolume = std::clamp(v, 0.0f, 1.0f);
}

void System::setDirName(int i, std::string name)
{
    if (i < 0 || i >= gameListSize) return;
    dirNames[i] = std::move(name);
}

std::string System::getDirName(int i) const
{
    if (i < 0 || i >= gameListSize) return "";
    return dirNames[i];
}

void updateGameList()
{
    namespace fs = boost::filesystem;
    for (int i = 0; i < gameListSize; ++i) gameSys.setDirName(i, "");
    gameSys.setSelectedDir(0);

    boost::system::error_code ec;
    fs::directory_iterator it(gamesFolder, ec);
    if (ec) {
        systemMsg(QV_ERROR "Unable to list the folder ^y" + std::string(gamesFolder) + "^w: " + ec.message());
        return;
    }
    int count = 0;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            systemMsg(QV_ERROR "Unable to list the folder ^y" + std::string(gamesFolder) + "^w: " + ec.message());
            return;
        }
        if (count >= gameListSize) continue;
        const std::string name = it->path().filename().string();
        const std::string path = std::string(gamesFolder) + "/" + name;
        const fileKind kind = fileKindOf(path);
        if (kind != fileKindFolder && kind != fileKindFolderLink) {  // a plain file is no game; a pipe, device, socket or broken link is named
            if (kind != fileKindRegular)
                systemMsg(QV_WARNING "^y" + path + "^w is " + fileKindText(kind) + ", not a game folder; it is skipped.");
            continue;
        }
        if (isReservedFolder(name)) continue;
        gameSys.setDirName(count, name);
        systemMsg("^yGame: ^w" + name);
        ++count;
    }
}
