// Image loading for menus, games and models: fills `uiImage` from `ui/`, the
// game's `ui/` folder and the splash images, and `gameImg` from the built-in
// `map/` folder (slots 0 to 199, the rest of them filler records) and the
// game's own `map/` folder (from 200); registers one image of each table.
// Every folder is given numbered names first (media/numbered_names.h).
#pragma once
#include <string>
#include <vector>

#include "core/script.h"
#include "media/texture.h"

constexpr int gameImgOwnBase = 200;  // first index of a game's own map images

// What loadUIImages put in `uiImage`: the number of images, and where the
// splash images sit at its end (the caller starts the splash sequence and
// sets the menu image count from them).
struct uiImageCounts {
    int images = 0;
    int splashFirst = 0;
    int splashCount = 0;
};

// Gives numbered names to and loads `ui/` and, unless `name` is "default",
// "mainui" or "ingameui", the `ui/` folder of the game's folder `gameFolder`
// (games/<name>, which the caller has from world/game_files), then the splash
// images splash0.jpg, splash1.jpg, ... of the game's folder (of the working
// folder for "default").
uiImageCounts loadUIImages(const std::string& name, const std::string& gameFolder);
// Gives numbered names to and loads `map/` and the `map/` folder of the game
// `name`'s folder `gameFolder`; returns the number of records in `gameImg`,
// the game image count.
int loadGameImages(const std::string& name, const std::string& gameFolder);

// Register one image in record `ident` of uiImage, gameImg or modelImg, which
// must hold that record already. Always true; a file refused, past the
// budget or that cannot be decoded gives texture 0.
bool generateImage(const std::string& filename, int ident);
bool generateGameImage(const std::string& filename, int ident);
bool generateModelImage(const std::string& filename, int ident);

// Applies the animation keys "image<i>anim", "image<i>frame" and
// "image<i>speed" of `script` to the first `count` records of `table`: an
// image whose anim value is 1 is animated with the frame count and speed read.
// With `clampToEditorRange` a frame count outside 0..9 becomes 1 and a speed
// outside 100..1000 ms becomes 1000 (the menu images); without it the values
// are taken as read (the game images).
void applyImageAnimations(std::vector<img>& table, int count, const scriptObject& script, bool clampToEditorRange);

// Deletes the OpenGL textures of the first `count` records of the menu or the
// game image table (the records stay).
void deleteUIImageTextures(int count);
void deleteGameImageTextures(int count);

// Releases the menu and game image tables at exit (their textures are left to
// the ending process); the caller sets both image counts to 0.
void releaseMenuAndGameImages();

// Gives `record` the texture of an image file: 0 for a file refused
// (readAcceptedImage) or one the image library cannot decode, each named in
// one warning. While textures are deferred the texture is made later, when
// the record is first asked for it or when makeDeferredTextures runs; the
// file is read and checked now, and the image's own bytes are kept until
// then. This is how the system images load: they count against no game's
// budget, while the three registering operations above count each image
// against it (media/image_loading_budget.h), loadUIImages beginning the
// count: its decoded pixels, and the bytes kept for it until its texture is
// made.
void loadImageTexture(img& record, const std::string& filename);

// Start-up puts off the making of textures (decoding each image and handing
// it to OpenGL) until its first frame is on screen; the textures that frame
// shows are made as it asks for them.
void deferTextures();
bool texturesDeferred();
// Makes every texture put off, and textures are made at once again.
void makeDeferredTextures();
