// Debug overlay figures and placement, the frame counter, the volume text and
// the notice record.
#include <gtest/gtest.h>

#include "core/debug.h"
#include "menus/notice.h"

namespace {

TEST(DebugOverlay, CommonLinesWriteFiguresWithTwoSignificantDigits)
{
    debugFigures f;
    f.fps = 58;
    f.camx = 18.0f;
    f.camy = -3.4f;
    f.camz = 0.123f;
    f.pitch = -130.0f;
    f.yaw = 40.0f;
    f.mousex = 700;
    f.mousey = 86;
    f.worldx = 12.345;
    f.worldz = -0.5;
    f.elapsed = 123456;
    const std::vector<std::string> lines = debugCommonLines(f);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "^wVer. ^yV 0.1^w Build ^y0");
    EXPECT_EQ(lines[1], "FPS: ^g58");
    EXPECT_EQ(lines[2], "C: ^y18, -3.4, 0.12");
    EXPECT_EQ(lines[3], "Rot: ^y-1.3e+02, 40");
    EXPECT_EQ(lines[4], "M UI: ^y700, 86");
    EXPECT_EQ(lines[5], "M IG: ^y12, -0.5");
    EXPECT_EQ(lines[6], "Time Elapsed: ^y123456");
}

TEST(DebugOverlay, PanelMovesOutOfTheWayOrDisappears)
{
    const debugPlacement top = placeDebugPanel(false, 100, 300);
    EXPECT_TRUE(top.shown);
    EXPECT_FLOAT_EQ(top.centreY, 86.0f);
    EXPECT_FLOAT_EQ(top.textY, 20.0f);
    const debugPlacement dodged = placeDebugPanel(false, 700, 86);
    EXPECT_TRUE(dodged.shown);
    EXPECT_FLOAT_EQ(dodged.centreY, 500.0f);
    EXPECT_FLOAT_EQ(dodged.textY, 434.0f);
    EXPECT_FLOAT_EQ(placeDebugPanel(false, 602, 86).centreY, 86.0f);  // the bounds are strict
    EXPECT_FLOAT_EQ(placeDebugPanel(false, 700, 165).centreY, 86.0f);
    EXPECT_FLOAT_EQ(placeDebugPanel(false, 700, 164).centreY, 500.0f);
    const debugPlacement underConsole = placeDebugPanel(true, 700, 86);
    EXPECT_TRUE(underConsole.shown);
    EXPECT_FLOAT_EQ(underConsole.textY, 434.0f);
    EXPECT_FALSE(placeDebugPanel(true, 700, 500).shown);
}

TEST(FrameCounter, UpdatesOnceMoreThanASecondHasPassed)
{
    frameCounter counter;
    int fps = -1;
    for (int i = 0; i < 60; ++i) EXPECT_FALSE(counter.count(1000, fps));  // exactly 1000 ms: nothing
    EXPECT_EQ(fps, -1);
    EXPECT_TRUE(counter.count(1010, fps));  // 61 frames
    EXPECT_EQ(fps, 60);
    EXPECT_FALSE(counter.count(2010, fps));
    EXPECT_TRUE(counter.count(2011, fps));  // the window restarted at 1010
    EXPECT_EQ(fps, 1);
}

TEST(VolumeDisplay, TextFollowsTheVolume)
{
    EXPECT_EQ(volumeText(1.0f), "^y^3Volume:^w 10");
    EXPECT_EQ(volumeText(0.5f), "^y^3Volume:^w 5");
    EXPECT_EQ(volumeText(0.3f), "^y^3Volume:^w 3");
    EXPECT_EQ(volumeText(0.15f), "^y^3Volume:^w 1");
    EXPECT_EQ(volumeText(0.1f), "^y^3Volume:^w 1");
    EXPECT_EQ(volumeText(0.0f), "^y^3Volume:^w 0");
}

TEST(Notice, ANewNoticeReplacesTheOldAndLeavingKeepsTheTexts)
{
    uiNotice n;
    std::string title = "x", message = "y";
    int time = 0;
    n.getNotice(title, message, time);
    EXPECT_EQ(title, "");
    EXPECT_EQ(message, "");
    EXPECT_EQ(time, noticeTimeNone);
    n.setNotice("First", "one");
    n.setNotice("^ySecond", "two");
    n.getNotice(title, message, time);
    EXPECT_EQ(title, "^ySecond");
    EXPECT_EQ(message, "two");
    EXPECT_EQ(time, noticeTimeShown);
    n.leaveNotice();
    EXPECT_FALSE(n.isShown());
    EXPECT_EQ(n.getTitle(), "^ySecond");
    n.setNotice("Third", "three");
    EXPECT_TRUE(n.isShown());
}

}  // namespace

namespace {

TEST(DebugOverlay, GameLinesNameTheCurrentMap)
{
    const std::vector<std::string> lines = debugGameLines(3, 1, 32, 24, 17);
    EXPECT_EQ(lines, (std::vector<std::string>{"^yGame Debug", "Maps: ^y3", "Map: ^y1", "Map Size: ^y32x24",
                                               "Objects: ^y17"}));
}

TEST(DebugOverlay, MenuLinesCountTheCurrentMenu)
{
    const std::vector<std::string> lines = debugMenuLines(2, 5, 7, 1, 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"^yUI DEBUG^w. Menu:^y 2", "Menus: ^y5", "Buttons: ^y7",
                                               "Textboxes: ^y1", "TextLines: ^y0"}));
}

}  // namespace
