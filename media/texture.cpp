// Image tables, system image loading and image animation.
#include "media/texture.h"

#include <algorithm>

#include "core/clock.h"
#include "core/file_kind.h"
#include "core/log.h"
#include "media/image_loading.h"

const char* const sysImageFiles[sysImageCount] = {
    "uireq/on",              "uireq/off",           "uireq/plus",
    "uireq/minus",           "uireq/gameeditorbackground", "uireq/dialogbackground",
    "uireq/ok",              "uireq/cancel",        "uireq/load",
    "uireq/consolebackground", "uireq/quit",        "uireq/shader",
    "uireq/font",            "uireq/notice",        "uireq/none",
    "uireq/save",            "uireq/anim",          "uireq/screen",
    "uireq/debug",           "uireq/smallquit",     "uireq/blur",
    "uireq/console",         "uireq/newmap",        "uireq/arrowup",
    "uireq/arrowdown",       "uireq/editmap",       "uireq/help",
    "uireq/iconquit",        "uireq/iconsave",      "uireq/iconhelp",
    "uireq/iconanim",        "uireq/iconmapsize",   "uireq/iconnewmap",
    "uireq/icondeletemap",   "uireq/iconfog",       "uireq/icongloballogic",
    "uireq/iconaddobject",   "uireq/iconcopyobject", "uireq/icondeleteobject",
    "uireq/iconlocallogic",  "uireq/arrowleft",     "uireq/arrowright",
    "uireq/line",            "uireq/logo",          "uireq/open",
    "uireq/texted",          "uireq/rpg",           "uireq/platform",
    "uireq/test",            "uireq/delsen",        "uireq/copysen",
    "uireq/crosshair",
};

std::vector<img> sysImage;
std::vector<img> uiImage;
std::vector<img> gameImg;
std::vector<img> modelImg;

namespace {

// Tried in this order: a ".jpg" file wins over a ".png" file of the same name.
const char* const imageExtensions[] = {".jpg", ".png"};

// Times of the last frame change, one per table slot; never reset.
std::vector<int> timeSinceCheckGame;
std::vector<int> timeSinceCheckUI;

}  // namespace

int sysTexture(int index)
{
    if (index < 0 || index >= static_cast<int>(sysImage.size())) return 0;
    return sysImage[index].GetTex();
}

bool generateSysImage(const std::string& filename, int ident)
{
    if (ident < 0) return false;
    std::string path;
    for (const char* extension : imageExtensions) {
        if (regularFileOrWarn(filename + extension)) {
            path = filename + extension;
            break;
        }
    }
    if (path.empty()) return false;
    if (static_cast<int>(sysImage.size()) <= ident) sysImage.resize(ident + 1);
    loadImageTexture(sysImage[ident], path);
    sysImage[ident].SetPointer(ident);
    return true;
}

void loadSysImages()
{
    systemMsg("^wReading System Images...");
    sysImage.assign(sysImageCount, img());
    for (int i = 0; i < sysImageCount; ++i) {
        if (!generateSysImage(sysImageFiles[i], i))
            systemMsg(QV_WARNING "System image ^y" + std::string(sysImageFiles[i]) +
                      "^w (.jpg or .png) could not be found.");
    }
    systemMsg("^wSystem images successfully read and loaded.");
}

void freeSysImages()
{
    std::vector<img>().swap(sysImage);
}

void advanceAnimations(std::vector<img>& table, int count, std::vector<int>& timers, int now)
{
    count = std::min(count, static_cast<int>(table.size()));
    if (count <= 0) return;
    if (static_cast<int>(timers.size()) < count) timers.resize(table.size(), 0);
    for (int i = 0; i < count; ++i) {
        img& image = table[i];
        if (!image.getAnimState() || now - timers[i] <= image.getAnimSpeed()) continue;
        timers[i] = now;
        const int next = image.getCurrentFrame() + 1;
        image.setCurrentFrame(next > image.getFrameCount() ? 0 : next);
    }
}

void updateAnimation(int gameImageCount, int uiImageCount)
{
    const int now = elapsedMs();
    advanceAnimations(gameImg, gameImageCount, timeSinceCheckGame, now);
    advanceAnimations(uiImage, uiImageCount, timeSinceCheckUI, now);
}
