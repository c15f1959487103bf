// Frame stepping of animated images and the image record.
#include <gtest/gtest.h>

#include <vector>

#include "core/clock_internal.h"
#include "media/texture.h"

namespace {

img animated(int frameCount, int speed, int frame = 0)
{
    img image;
    image.setAnimState(true);
    image.setFrameCount(frameCount);
    image.setAnimSpeed(speed);
    image.setCurrentFrame(frame);
    return image;
}

int fakeNow = 0;
int fakeClock()
{
    return fakeNow;
}

TEST(ImageRecord, DefaultsAndCopy)
{
    const img image;
    EXPECT_EQ(image.GetTex(), 0);
    EXPECT_EQ(image.GetPointer(), 0);
    EXPECT_FALSE(image.getAnimState());
    EXPECT_EQ(image.getFrameCount(), 1);
    EXPECT_EQ(image.getCurrentFrame(), 0);
    EXPECT_EQ(image.getAnimSpeed(), 1000);
    img copy = animated(4, 250, 3);
    copy.SetTex(7);
    copy.SetPointer(identNumEmpty);
    img other;
    other = copy;
    EXPECT_EQ(other.GetTex(), 7);
    EXPECT_EQ(other.GetPointer(), -1);
    EXPECT_TRUE(other.getAnimState());
    EXPECT_EQ(other.getFrameCount(), 4);
    EXPECT_EQ(other.getCurrentFrame(), 3);
    EXPECT_EQ(other.getAnimSpeed(), 250);
}

TEST(Animation, ChangesFrameOnlyAfterMoreThanItsSpeed)
{
    std::vector<img> table{animated(1, 1000)};
    std::vector<int> timers;
    advanceAnimations(table, 1, timers, 1000);
    EXPECT_EQ(table[0].getCurrentFrame(), 0);  // exactly 1000 ms: not yet
    advanceAnimations(table, 1, timers, 1001);
    EXPECT_EQ(table[0].getCurrentFrame(), 1);
    advanceAnimations(table, 1, timers, 2001);
    EXPECT_EQ(table[0].getCurrentFrame(), 1);  // the timer restarted at 1001
    advanceAnimations(table, 1, timers, 2002);
    EXPECT_EQ(table[0].getCurrentFrame(), 0);  // frame count 1 alternates 0 and 1
}

TEST(Animation, CyclesFramesZeroToFrameCountAndNeverCatchesUp)
{
    std::vector<img> table{animated(9, 10), animated(0, 10), animated(3, 10, 7)};
    std::vector<int> timers;
    int now = 0;
    std::vector<int> seen;
    for (int i = 0; i < 11; ++i) {
        now += 11;
        advanceAnimations(table, 3, timers, now);
        seen.push_back(table[0].getCurrentFrame());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}));
    EXPECT_EQ(table[1].getCurrentFrame(), 0);  // frame count 0 stays at frame 0
    // A frame beyond a lowered count goes back to 0, then cycles on.
    std::vector<img> lowered{animated(3, 10, 7)};
    std::vector<int> loweredTimers;
    advanceAnimations(lowered, 1, loweredTimers, 100);
    EXPECT_EQ(lowered[0].getCurrentFrame(), 0);
    // After a long pause an image still advances by one frame only.
    advanceAnimations(lowered, 1, loweredTimers, 100000);
    EXPECT_EQ(lowered[0].getCurrentFrame(), 1);
}

TEST(Animation, LeavesStillImagesAndImagesBeyondTheCountAlone)
{
    img still = animated(5, 0, 2);
    still.setAnimState(false);
    std::vector<img> table{still, animated(5, 0)};
    std::vector<int> timers;
    advanceAnimations(table, 1, timers, 50);
    EXPECT_EQ(table[0].getCurrentFrame(), 2);
    EXPECT_EQ(table[1].getCurrentFrame(), 0);  // beyond the count
    // Speed 0 changes frame whenever the clock has moved on by 1 ms.
    advanceAnimations(table, 2, timers, 50);
    EXPECT_EQ(table[1].getCurrentFrame(), 1);
    advanceAnimations(table, 2, timers, 50);
    EXPECT_EQ(table[1].getCurrentFrame(), 1);
    advanceAnimations(table, 2, timers, 51);
    EXPECT_EQ(table[1].getCurrentFrame(), 2);
    // A count larger than the table reads nothing outside it.
    advanceAnimations(table, 50, timers, 52);
    EXPECT_EQ(table[1].getCurrentFrame(), 3);
}

TEST(Animation, GameImagesFromTheOwnBaseHaveTheirOwnTimers)
{
    setClockSource(fakeClock);
    gameImg.assign(201, img());
    gameImg[200] = animated(2, 100);
    uiImage.assign(1, animated(2, 300));
    fakeNow = 150;
    updateAnimation(201, 1);
    EXPECT_EQ(gameImg[200].getCurrentFrame(), 1);
    EXPECT_EQ(uiImage[0].getCurrentFrame(), 0);
    fakeNow = 301;
    updateAnimation(201, 1);
    EXPECT_EQ(gameImg[200].getCurrentFrame(), 2);
    EXPECT_EQ(uiImage[0].getCurrentFrame(), 1);
    gameImg.clear();
    uiImage.clear();
    setClockSource(nullptr);
}

}  // namespace
