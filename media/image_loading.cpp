// Loading the menu, map and model image tables from their folders.
#include "media/image_loading.h"
#include "media/image_loading_internal.h"

#include <GL/gl.h>
#define ILUT_USE_OPENGL
#include <IL/il.h>
#include <IL/ilut.h>

#include <exception>
#include <new>
#include <vector>

#include "core/file_kind.h"
#include "core/log.h"
#include "media/image_decode.h"
#include "media/image_header.h"
#include "media/image_loading_budget.h"
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

// The texture OpenGL made is checked for storage: out of memory it is left
// without any. Empty when the texture holds the image, else why not.
std::string textureStorageFailure(GLuint tex)
{
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    if (width > 0) return "";
    bool outOfMemory = false;
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
        outOfMemory = outOfMemory || error == GL_OUT_OF_MEMORY;
    glDeleteTextures(1, &tex);
    return outOfMemory ? "out of memory" : "OpenGL kept none of its pixels";
}

unsigned int libraryImageLoader(const checkedImage& image)
{
    const unsigned int decoded = decodeImage(image);
    if (decoded == 0) return 0;
    const GLuint tex = ilutGLBindTexImage();
    const std::string failure = tex == 0 ? imageLibraryReason() : textureStorageFailure(tex);
    releaseDecodedImage(decoded);
    if (failure.empty()) return tex;
    warnImageNotLoaded(image.path, "made into a texture", failure);
    return 0;
}

imageFileLoaderFunc imageFileLoader = libraryImageLoader;

bool validRecord(const std::vector<img>& table, int ident)
{
    return ident >= 0 && static_cast<size_t>(ident) < table.size();
}

// An image that cannot be decoded gives texture 0 (and is named), and gives
// back what it was counted against the budget. Its bytes are let go, and so
// is what they were counted (`kept`).
int makeTexture(checkedImage& image, unsigned long long counted, unsigned long long kept)
{
    unsigned int tex = 0;
    try {
        tex = imageFileLoader(image);
    } catch (const std::bad_alloc&) {
        warnImageNotLoaded(image.path, "decoded", "out of memory");
    } catch (const std::exception& e) {
        warnImageNotLoaded(image.path, "decoded", e.what());
    }
    image.bytes.release();
    refundImageBudget(tex == 0 ? counted : kept);
    return static_cast<int>(tex);
}

// The textures put off: made once each, whichever record asks first. Until
// then each keeps its image's bytes, counted against the budget (`kept`)
// with its decoded pixels.
struct deferredTexture {
    checkedImage image;
    unsigned long long counted = 0;
    unsigned long long kept = 0;
    bool made = false;
    int tex = 0;
};
std::vector<deferredTexture> deferredTextures;
bool deferring = false;

// Gives `record` the texture of an accepted image, now or once textures are
// no longer put off. `counted` is what the image was counted against the
// budget, `kept` the part of it that its bytes are.
void giveTexture(img& record, checkedImage& image, unsigned long long counted, unsigned long long kept)
{
    if (!deferring) {
        record.SetTex(makeTexture(image, counted, kept));
        return;
    }
    image.bytes.fit();  // what the file held past the image is not kept
    deferredTextures.push_back({std::move(image), counted, kept});
    record.deferTex(static_cast<int>(deferredTextures.size()) - 1);
}

bool registerImage(std::vector<img>& table, const std::string& filename, int ident)
{
    if (!validRecord(table, ident)) return true;
    img& record = table[static_cast<size_t>(ident)];
    checkedImage image = readAcceptedImage(filename);
    const unsigned long long kept = deferring ? image.bytes.size() : 0;
    if (image.format != imageFormatNone && chargeImageBudget(filename, image.decodedBytes + kept))
        giveTexture(record, image, image.decodedBytes + kept, kept);
    else
        record.SetTex(0);
    record.SetPointer(ident);
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

std::string splashPath(const std::string& name, const std::string& gameFolder, int i)
{
    const std::string file = "splash" + std::to_string(i) + ".jpg";
    return name == "default" ? file : gameFolder + "/" + file;
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
    checkedImage image = readAcceptedImage(filename);
    if (image.format != imageFormatNone)
        giveTexture(record, image, 0, 0);
    else
        record.SetTex(0);
}

void makeDeferredTexture(const img& record)
{
    deferredTexture& entry = deferredTextures[static_cast<size_t>(record.deferredEntry)];
    if (!entry.made) {
        entry.tex = makeTexture(entry.image, entry.counted, entry.kept);
        entry.made = true;
    }
    record.texNum = entry.tex;
    record.deferredEntry = img::noDeferredEntry;
}

int dropDeferredTexture(const img& record)
{
    deferredTexture& entry = deferredTextures[static_cast<size_t>(record.deferredEntry)];
    const int made = entry.made ? entry.tex : 0;
    if (!entry.made) refundImageBudget(entry.counted);  // neither decoded nor kept
    entry.made = true;  // nothing is to make it any more
    entry.tex = 0;
    entry.image.bytes.release();
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
        entry.tex = makeTexture(entry.image, entry.counted, entry.kept);
        entry.made = true;
    }
    deferring = false;
}

unsigned long long deferredImageBytes()
{
    unsigned long long bytes = 0;
    for (const deferredTexture& entry : deferredTextures)
        if (!entry.made) bytes += entry.image.bytes.room();
    return bytes;
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

uiImageCounts loadUIImages(const std::string& name, const std::string& gameFolder)
{
    systemMsg("Reading and Loading UI Images. Please wait...");
    std::vector<img>().swap(uiImage);
    startImageBudget();  // a game's images, or the front end's, begin with its menu images
    const size_t noLimit = static_cast<size_t>(-1);

    loadImageFolder(uiImage, "ui/", generateImage, noLimit);
    if (name != "default" && name != "ingameui" && name != "mainui")
        loadImageFolder(uiImage, gameFolder + "/ui/", generateImage, noLimit);

    gameLog.msg("Loading splash images");
    uiImageCounts counts;
    counts.splashFirst = static_cast<int>(uiImage.size());
    for (;;) {
        const std::string path = splashPath(name, gameFolder, counts.splashCount);
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

int loadGameImages(const std::string& name, const std::string& gameFolder)
{
    std::vector<img>().swap(gameImg);
    loadImageFolder(gameImg, "map/", generateGameImage, static_cast<size_t>(gameImgOwnBase));

    const size_t builtIn = gameImg.size();
    gameImg.resize(gameImgOwnBase);
    for (size_t i = builtIn; i < gameImg.size(); ++i) gameImg[i].SetPointer(identNumEmpty);

    loadImageFolder(gameImg, gameFolder + "/map/", generateGameImage, static_cast<size_t>(-1));

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
