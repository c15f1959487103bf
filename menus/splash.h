// The splash sequence: its state (how many splash images the loaded menu
// system has, where the first one sits in `uiImage`, which one is shown and
// how bright, and the skip and restart flags the loaders set) and its one step
// per frame, splashRender. Each image fades in from black for 3 s, holds to
// 4 s and fades out; once dark after 7 s the next one starts, and after the
// last one the front-end menus (game state 0) follow.
#pragma once

class uiSplash {
public:
    void setSplash(int count) { splashCount = count; }
    int getSplash() const { return splashCount; }
    void setStartingSplash(int index) { startingSplash = index; }
    int getStartingSplash() const { return startingSplash; }
    void setHideSplash(bool hide) { hideSplash = hide; }
    bool getHideSplash() const { return hideSplash; }
    void setResetSplash(bool reset) { resetSplash = reset; }
    bool getResetSplash() const { return resetSplash; }
    // Taken when below the splash count (so -1 is taken); otherwise an error
    // line and nothing changes.
    void setCurrentSplash(int index);
    int getCurrentSplash() const { return splashRender; }
    void setSplashAlpha(float alpha) { splashAlpha = alpha; }
    float getSplashAlpha() const { return splashAlpha; }

private:
    int splashCount = 0;
    int splashRender = 0;
    float splashAlpha = 0.0f;
    bool hideSplash = false;
    int startingSplash = 0;
    bool resetSplash = false;
};

extern uiSplash splash;

// Fade timing of one splash image, ms from its start, and the brightness step
// of each call (per drawn frame, not per unit of time).
constexpr int splashFadeInEndMs = 2999;
constexpr int splashFadeOutStartMs = 4000;
constexpr int splashEndMs = 7000;
constexpr float splashAlphaStep = 0.028f;
constexpr float splashDarkAlpha = 0.01f;

// Sets up the sequence of `count` splash images from index `first` of
// `uiImage` (loaded by loadUIImages): shown from the first one, restarted on
// its next step, hidden when there are none.
void startSplashSequence(int first, int count);

// One step of the sequence in game state 3 (clock: elapsedMs()).
void splashRender();
