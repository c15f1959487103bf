// The notice: its word wrap, the limits that drop it, and where its box and
// lines are placed.
#include <gtest/gtest.h>

#include <string>

#include "core/system.h"
#include "menus/notice.h"

namespace {

TEST(NoticeWrap, BreaksAfterTheFirstBlankPastEachStep)
{
    // 26 letters then a blank: the first character is not counted, so the
    // blank is the 26th counted character and ends line 0.
    const std::string first = "abcdefghijklmnopqrstuvwxyz ";
    const wrappedText w = wrapText(first + "next words");
    EXPECT_EQ(w.lines[0], first);
    EXPECT_EQ(w.lines[1], "next words");
    EXPECT_EQ(w.lastLine, 1);

    // Exactly 25 counted characters before the blank do not break.
    const wrappedText short25 = wrapText("abcdefghijklmnopqrstuvwxy z");
    EXPECT_EQ(short25.lastLine, 0);
    EXPECT_EQ(short25.lines[0], "abcdefghijklmnopqrstuvwxy z");
}

TEST(NoticeWrap, ALongWordSkipsALineThatStaysEmpty)
{
    const std::string word(56, 'x');  // the blank after it is counted as the 56th
    const wrappedText w = wrapText(word + " tail");
    EXPECT_EQ(w.lines[0], word + " ");
    EXPECT_EQ(w.lines[1], "");
    EXPECT_EQ(w.lines[2], "tail");
    EXPECT_EQ(w.lastLine, 2);
}

TEST(NoticeWrap, CodesAreNotCounted)
{
    // Twenty "^y" codes add 40 raw characters but no counted ones.
    std::string coded;
    for (int i = 0; i < 20; ++i) coded += "^ya";
    coded += "bcdef ghi";  // 26 counted characters up to and with the blank
    const wrappedText w = wrapText(coded);
    EXPECT_EQ(w.lastLine, 1);
    EXPECT_EQ(w.lines[1], "ghi");

    const wrappedText plain = wrapText(std::string(20, 'a') + "bcde ghi");
    EXPECT_EQ(plain.lastLine, 0);
}

TEST(NoticeWrap, AFullMessageEndsOnLineThreeAtMost)
{
    std::string message;
    while (message.size() + 10 <= noticeMessageLimit) message += "word word ";
    ASSERT_EQ(message.size(), noticeMessageLimit);
    const wrappedText w = wrapText(message);
    EXPECT_EQ(w.lastLine, 3);
    std::string joined;
    for (const std::string& line : w.lines) joined += line;
    EXPECT_EQ(joined, message);
}

TEST(NoticeLayout, OneLineMessagePlacesFooterTitleAndBox)
{
    const noticeLayout layout = layoutNotice("Sound has been ^yenabled^w.");
    EXPECT_EQ(layout.lines[0], "Sound has been ^yenabled^w.");
    EXPECT_EQ(layout.footerLine, 1);
    EXPECT_EQ(layout.lines[1], "^d(Click to dismiss)");
    EXPECT_EQ(layout.widestLine, 0);

    const noticeBox box = placeNotice(layout.footerLine, 141.7f);
    EXPECT_EQ(box.centreX, 120 + 70);
    EXPECT_EQ(box.centreY, 75);
    EXPECT_EQ(box.halfWidth, 80);
    EXPECT_EQ(box.halfHeight, 34);
    EXPECT_EQ(box.titleY, 62);
    EXPECT_EQ(box.firstLineY, 76);
    EXPECT_EQ(box.firstLineY + noticeLinePitch * layout.footerLine, 90);
}

TEST(NoticeLayout, WidestLineIsTheOneWithMostStoredCharactersFirstOnATie)
{
    // Line 0 is 27 characters; line 1 is a blank-free run of codes that is
    // longer as stored.
    std::string codes;
    for (int i = 0; i < 15; ++i) codes += "^yx";
    const noticeLayout layout = layoutNotice("abcdefghijklmnopqrstuvwxyz " + codes);
    EXPECT_EQ(layout.footerLine, 2);
    EXPECT_EQ(layout.widestLine, 1);

    const noticeLayout tie = layoutNotice("abcdefghijklmnopqrstuvwxyz abcdefghijklmnopqrstuvwxyz.");
    EXPECT_EQ(tie.lines[0].size(), 27u);
    EXPECT_EQ(tie.lines[1].size(), 27u);
    EXPECT_EQ(tie.widestLine, 0);
    // The footer never takes part, however long it is.
    EXPECT_EQ(layoutNotice("a").widestLine, 0);
}

TEST(NoticeLimits, TitleAndMessageLengthsCountCodes)
{
    const std::string title30(30, 't'), message100(100, 'm');
    EXPECT_TRUE(noticeFits(title30, message100));
    EXPECT_FALSE(noticeFits(title30 + "t", message100));
    EXPECT_FALSE(noticeFits(title30, message100 + "m"));
    EXPECT_FALSE(noticeFits("", "message"));
    EXPECT_FALSE(noticeFits("title", ""));
    EXPECT_TRUE(noticeFits("^yERROR", "x"));
    EXPECT_FALSE(noticeFits(std::string(12, '^') + std::string(19, 'a'), "x"));
}

TEST(NoticeRender, DropsANoticeOutsideTheLimitsOrWhileTheMouseIsDisabled)
{
    gameSys.setDisableMouseState(false);
    notice.setNotice(std::string(31, 't'), "message");
    noticeRender();
    EXPECT_FALSE(notice.isShown());

    notice.setNotice("title", std::string(101, 'm'));
    noticeRender();
    EXPECT_FALSE(notice.isShown());

    notice.setNotice("title", "");
    noticeRender();
    EXPECT_FALSE(notice.isShown());

    notice.setNotice("title", "message");
    gameSys.setDisableMouseState(true);
    noticeRender();
    EXPECT_FALSE(notice.isShown());
    EXPECT_EQ(notice.getTitle(), "title");
    EXPECT_EQ(notice.getMessage(), "message");
    gameSys.setDisableMouseState(false);
}

}  // namespace
