// The splash sequence's state: how many splash images the loaded menu system
// has, where the first one sits in `uiImage`, which one is shown, and the skip
// and restart flags the loaders set.
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

private:
    int splashCount = 0;
    int splashRender = 0;
    bool hideSplash = false;
    int startingSplash = 0;
    bool resetSplash = false;
};

extern uiSplash splash;
