// The splash sequence: its state record and its step per frame.
#include "menus/splash.h"

#include "core/clock.h"
#include "core/frame.h"
#include "core/log.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "media/quad.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/widgets.h"

uiSplash splash;

void uiSplash::setCurrentSplash(int index)
{
    if (index < splashCount) {
        splashRender = index;
        return;
    }
    systemMsg(QV_ERROR "Attempt to set splash texture out of array");
}

void startSplashSequence(int first, int count)
{
    splash.setSplash(count);
    splash.setHideSplash(count == 0);
    splash.setStartingSplash(first);
    splash.setResetSplash(true);
    if (count > 0) splash.setCurrentSplash(0);
}

namespace {

constexpr float splashDepth = 0.0f;

// Kept between calls: when the current image began, the clock of this call,
// the working brightness, and whether a restarted sequence has begun timing.
int splashTimeSinceCheck = 0;
int splashCurrentTime = 0;
float workingAlpha = 0.0f;
bool firstPass = true;

void restartSequence()
{
    splash.setCurrentSplash(0);
    workingAlpha = 0.0f;
    splash.setSplashAlpha(0.0f);
    firstPass = true;
    splash.setResetSplash(false);
}

// The current image over the whole screen at its brightness, unblended, and
// the blocker over it (the pick pass does not run in this state).
void drawCurrentSplash()
{
    const int tex = splash.getStartingSplash() + splash.getCurrentSplash();
    const float rgb = splash.getSplashAlpha() < 0.0f ? 0.0f : splash.getSplashAlpha();
    if (tex >= 0 && tex < static_cast<int>(uiImage.size()))
        noticeIfRefused(displayTexture(screenSpaceCentreX, screenSpaceCentreY, splashDepth, screenSpaceCentreX,
                                       screenSpaceCentreY, rgb, rgb, rgb, uiImage[static_cast<size_t>(tex)].GetTex(),
                                       true, false, rgb, pickNone));
    displaySingleChoice(screenSpaceCentreX, screenSpaceCentreY, screenSpaceCentreX, screenSpaceCentreY, sysImageNone,
                        pickBlocker, pickBlocker, pickBlocker);
}

void advanceFade(int elapsed)
{
    if (elapsed <= splashFadeInEndMs) {
        workingAlpha += splashAlphaStep;
        firstPass = false;
    } else if (elapsed > splashFadeOutStartMs) {
        workingAlpha -= splashAlphaStep;
    }
    splash.setSplashAlpha(workingAlpha);
}

// Once dark after the end time: the next image, or the menus after the last.
void advanceImage(int elapsed)
{
    if (elapsed <= splashEndMs || workingAlpha >= splashDarkAlpha) return;
    const int next = splash.getCurrentSplash() + 1;
    if (next < splash.getSplash()) {
        splash.setCurrentSplash(next);
        workingAlpha = 0.0f;
    } else {
        gameSys.setStartingSystemTime(splashCurrentTime);
        gameSys.setGameState(gameStateMenu);
    }
    splashTimeSinceCheck = splashCurrentTime;
}

}  // namespace

void splashRender()
{
    gameUI.setCurrentTT(toolTipNone, toolTipNone, 0);
    if (splash.getResetSplash()) restartSequence();
    if (splash.getHideSplash() || splash.getSplash() == 0) {
        gameSys.setGameState(gameStateMenu);
        splash.setHideSplash(false);
    }
    if (gameSys.getGameState() == gameStateSplash) drawCurrentSplash();

    splashCurrentTime = elapsedMs();
    if (firstPass) splashTimeSinceCheck = splashCurrentTime;
    const int elapsed = splashCurrentTime - splashTimeSinceCheck;
    advanceFade(elapsed);
    advanceImage(elapsed);
}
