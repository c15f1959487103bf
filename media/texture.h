// Images: the image record `img`, the four image tables (system, menu, game
// and model images), the loading of the program's own 52 system images from
// `uireq/`, and the per-frame advance of animated menu and game images.
#pragma once
#include <string>
#include <vector>

class img;
// Makes the texture a record is waiting for (media/image_loading.h).
void makeDeferredTexture(const img& record);
// Lets go of the texture a record is waiting for without making it: the
// texture made for it meanwhile (by a copy of the record), else 0.
int dropDeferredTexture(const img& record);

// One loaded image: its OpenGL texture, its own index in its table, and its
// frame animation. Copying copies every field; destroying a record leaves its
// texture alone. At start-up a record may wait for its texture (deferTex):
// the texture is made when it is first asked for, if not before.
class img {
public:
    void SetTex(int tex) { texNum = tex; deferredEntry = noDeferredEntry; }
    int GetTex() const
    {
        if (deferredEntry != noDeferredEntry) makeDeferredTexture(*this);
        return texNum;
    }
    // Waits for entry `entry` of the textures put off (image loading only).
    void deferTex(int entry) { texNum = 0; deferredEntry = entry; }
    // The texture to delete when the record is freed. One still waiting to be
    // made is never made: the record no longer waits, and the texture made
    // for it meanwhile, if any, is the one to delete.
    int releaseTex() const
    {
        if (deferredEntry != noDeferredEntry) return dropDeferredTexture(*this);
        return texNum;
    }
    void SetPointer(int ident) { identNum = ident; }
    int GetPointer() const { return identNum; }
    void setAnimState(bool on) { animState = on; }
    bool getAnimState() const { return animState; }
    void setFrameCount(int last) { frameCount = last; }
    int getFrameCount() const { return frameCount; }
    void setCurrentFrame(int frame) { currentFrame = frame; }
    int getCurrentFrame() const { return currentFrame; }
    void setAnimSpeed(int ms) { animSpeed = ms; }
    int getAnimSpeed() const { return animSpeed; }

private:
    static constexpr int noDeferredEntry = -1;
    mutable int texNum = 0;   // 0: no texture
    mutable int deferredEntry = noDeferredEntry;
    int identNum = 0;         // identNumEmpty marks a filler slot of gameImg
    bool animState = false;
    int frameCount = 1;       // number of the last frame: frames run 0..frameCount
    int currentFrame = 0;
    int animSpeed = 1000;     // ms between two frame changes

    friend void makeDeferredTexture(const img& record);
    friend int dropDeferredTexture(const img& record);
};

constexpr int identNumEmpty = -1;

enum sysImageId {
    sysImageOn = 0,
    sysImageOff,
    sysImagePlus,
    sysImageMinus,
    sysImageGameEditorBackground,
    sysImageDialogBackground,
    sysImageOk,
    sysImageCancel,
    sysImageLoad,
    sysImageConsoleBackground,
    sysImageQuit,
    sysImageShader,
    sysImageFont,
    sysImageNotice,
    sysImageNone,
    sysImageSave,
    sysImageAnim,
    sysImageScreen,
    sysImageDebug,
    sysImageSmallQuit,
    sysImageBlur,
    sysImageConsole,
    sysImageNewMap,
    sysImageArrowUp,
    sysImageArrowDown,
    sysImageEditMap,
    sysImageHelp,
    sysImageIconQuit,
    sysImageIconSave,
    sysImageIconHelp,
    sysImageIconAnim,
    sysImageIconMapSize,
    sysImageIconNewMap,
    sysImageIconDeleteMap,
    sysImageIconFog,
    sysImageIconGlobalLogic,
    sysImageIconAddObject,
    sysImageIconCopyObject,
    sysImageIconDeleteObject,
    sysImageIconLocalLogic,
    sysImageArrowLeft,
    sysImageArrowRight,
    sysImageLine,
    sysImageLogo,
    sysImageOpen,
    sysImageTextEd,
    sysImageRpg,
    sysImagePlatform,
    sysImageTest,
    sysImageDelSen,
    sysImageCopySen,
    sysImageCrosshair,
    sysImageCount
};

// The file of each system image, without its extension, by index.
extern const char* const sysImageFiles[sysImageCount];

// The image tables. sysImage holds exactly sysImageCount records once
// loadSysImages has run; the other three are filled by their loaders.
extern std::vector<img> sysImage;
extern std::vector<img> uiImage;
extern std::vector<img> gameImg;
extern std::vector<img> modelImg;

// The texture of a system image, 0 when the table has no such record.
int sysTexture(int index);

// Loads the 52 system images in index order. A missing image is reported
// with one warning naming it; the closing success line follows regardless.
void loadSysImages();
// Loads `filename` + ".jpg", else `filename` + ".png", into slot `ident` of
// sysImage; false when neither file opens.
bool generateSysImage(const std::string& filename, int ident);
// Releases the system image table (the textures are not deleted).
void freeSysImages();

// Advances the animated images among the first `gameImageCount` of `gameImg`
// and the first `uiImageCount` of `uiImage` by at most one frame each.
void updateAnimation(int gameImageCount, int uiImageCount);
// One animation step of the first `count` records of `table` at time `now`
// (ms); `timers` holds the time of each record's last frame change and grows
// to the table's size as needed.
void advanceAnimations(std::vector<img>& table, int count, std::vector<int>& timers, int now);
