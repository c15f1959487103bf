// The notice record, the word wrap it shares with the tool tips, and its drawing.
#include "menus/notice.h"

#include <utility>

#include "core/pick_codes.h"
#include "core/system.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/widgets.h"

uiNotice notice;

namespace {

const char* const refusedQuadTitle = "Image Error!";
const char* const refusedImageMessage =
    "Invalid texture information trying to be displayed! Did you accidently delete images from your project?";
const char* const refusedFrameMessage =
    "Invalid texture information trying to be displayed!! Did you accidently delete images from your project?";

}  // namespace

void uiNotice::setNotice(std::string title, std::string message)
{
    noticeTitle = std::move(title);
    noticeMessage = std::move(message);
    noticeTime = noticeTimeShown;
}

bool noticeIfRefused(quadResult result)
{
    if (result) return true;
    const char* const message = result.refusal == quadRefusal::frame ? refusedFrameMessage : refusedImageMessage;
    notice.setNotice(refusedQuadTitle, message);
    return false;
}

void uiNotice::getNotice(std::string& title, std::string& message, int& setTime) const
{
    title = noticeTitle;
    message = noticeMessage;
    setTime = noticeTime;
}

namespace {

const char* const noticeFooter = "^d(Click to dismiss)";
const char* const noticeTitleSize = "^2";
constexpr int wrapStep = 25;  // counted characters per line
constexpr int noticeLeft = 120;
constexpr int noticeCentreY = 75;
constexpr int noticeMargin = 10;
constexpr int noticeBaseHalfHeight = 28;
constexpr int noticeLineRaise = 6;  // the box grows and rises this much per footer line
constexpr int noticeTextX = 124;
constexpr int noticeTitleBaseY = 68;
constexpr int noticeLinesBaseY = 82;

}  // namespace

wrappedText wrapText(const std::string& text)
{
    wrappedText out;
    int line = 0;
    int counted = 0;
    for (size_t p = 0; p < text.size(); ++p) {
        out.lines[line] += text[p];
        if (p == 0 || text[p] == '^' || text[p - 1] == '^') continue;
        ++counted;
        if (text[p] != ' ') continue;
        for (int target = wrapLineCount - 1; target > 0; --target) {
            if (counted > wrapStep * target) {
                line = target;
                break;
            }
        }
    }
    out.lastLine = line;
    return out;
}

noticeLayout layoutNotice(const std::string& message)
{
    const wrappedText wrapped = wrapText(message);
    noticeLayout layout;
    for (int i = 0; i < wrapLineCount; ++i) layout.lines[i] = wrapped.lines[i];
    layout.footerLine = wrapped.lastLine + 1;
    layout.lines[layout.footerLine] = noticeFooter;
    for (int i = 1; i <= wrapped.lastLine; ++i)
        if (layout.lines[i].size() > layout.lines[layout.widestLine].size()) layout.widestLine = i;
    return layout;
}

noticeBox placeNotice(int footerLine, float widestWidth)
{
    const int halfWidest = static_cast<int>(widestWidth) / 2;
    const int raise = noticeLineRaise * footerLine;
    return noticeBox{noticeLeft + halfWidest, noticeCentreY,          halfWidest + noticeMargin,
                     noticeBaseHalfHeight + raise, noticeTitleBaseY - raise, noticeLinesBaseY - raise};
}

bool noticeFits(const std::string& title, const std::string& message)
{
    return !title.empty() && !message.empty() && title.size() <= noticeTitleLimit &&
           message.size() <= noticeMessageLimit;
}

void noticeRender()
{
    if (gameSys.getDisableMouseState()) {
        notice.leaveNotice();
        return;
    }
    std::string title, message;
    int time = noticeTimeNone;
    notice.getNotice(title, message, time);
    if (!noticeFits(title, message)) {
        notice.leaveNotice();
        return;
    }
    if (time < 0) return;

    const noticeLayout layout = layoutNotice(message);
    const noticeBox box = placeNotice(layout.footerLine, getDisplayTextSize(layout.lines[layout.widestLine]));
    displaySingleChoice(box.centreX, box.centreY, box.halfWidth, box.halfHeight, sysImageGameEditorBackground,
                        pickNotice, pickControlMark, pickNoIndex);
    displayTextString(noticeTextX, box.titleY, noticeTitleSize + title);
    for (int i = 0; i <= layout.footerLine; ++i)
        displayTextString(noticeTextX, box.firstLineY + noticeLinePitch * i, layout.lines[i]);
}
