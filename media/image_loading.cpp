// Loading the menu, map and model image tables from their folders.
#include "media/image_loading.h"
#include "media/image_loading_internal.h"

#include <GL/gl.h>
#define ILUT_USE_OPENGL
#include <IL/il.h>
#include <IL/ilut.h>

#include <exception>
#include <vector>

#include "core/file_kind.h"
#include "core/log.h"
#include "media/image_decode.h"
#include "media/image_header.h"
#include "media/numbered_names.h"
#include "media/screen_layer.h"
#include "media/texture.h"

namespace {

constexpr int animFrameCountMin = 0;
constexpr int animFrameCountMax = 9;
constexpr int animFrameCountFallback = 1;
constexpr int animSpeedMin = 100;
constexpr int animSpeedMax = 1000;
constexpr int animSpeedFallback = 1000;
constexpr int defaultAnimSpeed = 1000;
constexpr int defaultFrameCount = 1;

// The file is checked again where it is decoded: a texture put off is made
// from the file as it is then.
unsigned int libraryImageLoader(const std::string& filename)
{
    const unsigned int image = decodeImageFile(filename);
    const unsigned int tex = image != 0 ? ilutGLBindTexImage() : 0;
    releaseDecodedImage(image);
    return tex;
}

imageFileLoaderFunc imageFileLoader = libraryImageLoader;

bool validRecord(const std::vector<img>& table, int ident)
{
    return ident >= 0 && static_cast<size_t>(ident) < table.size();
}

// A file that cannot be read gives texture 0.
int makeTexture(const std::string& filename)
{
    try {
        return static_cast<int>(imageFileLoader(filename));
    } catch (const std::exception& e) {
        systemMsg(QV_WARNING "The image ^y" + filename + "^w could not be read: " + e.what());
        return 0;
    }
}

// The textures put off: made once each, whichever record asks first.
struct deferredTexture {
    std::string filename;
    bool made = false;
    int tex = 0;
};
std::vector<deferredTexture> deferredTextures;
bool deferring = false;

bool registerImage(std::vector<img>& table, const std::string& filename, int ident)
{
    if (!validRecord(table, ident)) return true;
    loadImageTexture(table[static_cast<size_t>(ident)], filename);
    table[static_cast<size_t>(ident)].SetPointer(ident);
    return true;
}

// Renames and loads one image folder onto the end of `table`, at most `limit`
// entries; the entries past the limit are named in warnings.
void loadImageFolder(std::vector<img>& table, const std::string& prefix, bool (*generate)(const std::string&, int),
                     size_t limit)
{
    const std::vector<std::string> names = numberFolder({prefix, imageNumberFirst, ""});
    for (size_t k = 0; k < names.size(); ++k) {
        if (k >= limit) {
            systemMsg(QV_WARNING "Only " + std::to_string(limit) + " images of ^y" + prefix +
                      "^w are loaded; ^y" + names[k] + "^w is not.");
            continue;
        }
        table.emplace_back();
        generate(prefix + names[k], static_cast<int>(table.size()) - 1);
    }
}

std::string splashPath(const std::string& name, int i)
{
    const std::string file = "splash" + std::to_string(i) + ".jpg";
    return name == "default" ? file : "games/" + name + "/" + file;
}

void deleteTextures(const std::vector<img>& table, int count)
{
    for (int i = 0; i < count && static_cast<size_t>(i) < table.size(); ++i) {
        const GLuint tex = static_cast<GLuint>(table[static_cast<size_t>(i)].releaseTex());
        if (tex != 0) glDeleteTextures(1, &tex);
    }
    forgetScreenLayer();
}

}  // namespace

void loadImageTexture(img& record, const std::string& filename)
{
    if (!imageFileAcceptable(filename)) {
        record.SetTex(0);
    } else if (deferring) {
        deferredTextures.push_back({filename});
        record.deferTex(static_cast<int>(deferredTextures.size()) - 1);
    } else {
        record.SetTex(makeTexture(filename));
    }
}

void makeDeferredTexture(const img& record)
{
    deferredTexture& entry = deferredTextures[static_cast<size_t>(record.deferredEntry)];
    if (!entry.made) {
        entry.tex = makeTexture(entry.filename);
        entry.made = true;
    }
    record.texNum = entry.tex;
    record.deferredEntry = img::noDeferredEntry;
}

int dropDeferredTexture(const img& record)
{
    deferredTexture& entry = deferredTextures[static_cast<size_t>(record.deferredEntry)];
    const int made = entry.made ? entry.tex : 0;
    entry.made = true;  // nothing is to make it any more
    entry.tex = 0;
    record.texNum = 0;
    record.deferredEntry = img::noDeferredEntry;
    return made;
}

void deferTextures()
{
    deferring = true;
}

bool texturesDeferred()
{
    return deferring;
}

void makeDeferredTextures()
{
    for (deferredTexture& entry : deferredTextures) {
        if (entry.made) continue;
        entry.tex = makeTexture(entry.filename);
        entry.made = true;
    }
    deferring = false;
}

void setImageFileLoader(imageFileLoaderFunc loader)
{
    imageFileLoader = loader ? loader : libraryImageLoader;
}

bool generateImage(const std::string& filename, int ident)
{
    registerImage(uiImage, filename, ident);
    if (validRecord(uiImage, ident)) {
        img& record = uiImage[static_cast<size_t>(ident)];
        record.setAnimState(false);
        record.setAnimSpeed(defaultAnimSpeed);
        record.setFrameCount(defaultFrameCount);
    }
    return true;
}

bool generateGameImage(const std::string& filename, int ident)
{
    return registerImage(gameImg, filename, ident);
}

bool generateModelImage(const std::string& filename, int ident)
{
    return registerImage(modelImg, filename, ident);
}

uiImageCounts loadUIImages(const std::string& name)
{
    systemMsg("Reading and Loading UI Images. Please wait...");
    std::vector<img>().swap(uiImage);
    const size_t noLimit = static_cast<size_t>(-1);

    loadImageFolder(uiImage, "ui/", generateImage, noLimit);
    if (name != "default" && name != "ingameui" && name != "mainui")
        loadImageFolder(uiImage, "games/" + name + "/ui/", generateImage, noLimit);

    gameLog.msg("Loading splash images");
    uiImageCounts counts;
    counts.splashFirst = static_cast<int>(uiImage.size());
    for (;;) {
        const std::string path = splashPath(name, counts.splashCount);
        if (!regularFileOrWarn(path)) break;
        uiImage.emplace_back();
        generateImage(path, static_cast<int>(uiImage.size()) - 1);
        ++counts.splashCount;
    }
    if (counts.splashCount == 0) systemMsg("No splash images loaded");
    counts.images = static_cast<int>(uiImage.size());
    systemMsg("UI Images successfully loaded.");
    return counts;
}

int loadGameImages(const std::string& name)
{
    std::vector<img>().swap(gameImg);
    loadImageFolder(gameImg, "map/", generateGameImage, static_cast<size_t>(gameImgOwnBase));

    const size_t builtIn = gameImg.size();
    gameImg.resize(gameImgOwnBase);
    for (size_t i = builtIn; i < gameImg.size(); ++i) gameImg[i].SetPointer(identNumEmpty);

    loadImageFolder(gameImg, "games/" + name + "/map/", generateGameImage, static_cast<size_t>(-1));

    systemMsg("Images loaded for^y " + name);
    return static_cast<int>(gameImg.size());
}

void applyImageAnimations(std::vector<img>& table, int count, const scriptObject& script, bool clampToEditorRange)
{
    for (int i = 0; i < count && static_cast<size_t>(i) < table.size(); ++i) {
        const std::string key = "image" + std::to_string(i);
        if (truncateNumber(script.findLineF(key + "anim")) != 1) continue;
        int frames = truncateNumber(script.findLineF(key + "frame"));
        int speed = truncateNumber(script.findLineF(key + "speed"));
        if (clampToEditorRange) {
            if (frames < animFrameCountMin || frames > animFrameCountMax) frames = animFrameCountFallback;
            if (speed < animSpeedMin || speed > animSpeedMax) speed = animSpeedFallback;
        }
        img& record = table[static_cast<size_t>(i)];
        record.setAnimState(true);
        record.setFrameCount(frames);
        record.setAnimSpeed(speed);
    }
}

void deleteUIImageTextures(int count)
{
    deleteTextures(uiImage, count);
}

void deleteGameImageTextures(int count)
{
    deleteTextures(gameImg, count);
}

void releaseMenuAndGameImages()
{
    std::vector<img>().swap(uiImage);
    std::vector<img>().swap(gameImg);
}
