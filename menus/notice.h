// The one notice: a short title and message raised by any part of the
// program and shown until the user dismisses it or a newer one replaces it;
// its word wrap, its limits and its drawing.
#pragma once
#include <string>

#include "media/quad.h"

constexpr int noticeTimeShown = 1;
constexpr int noticeTimeNone = -1;

class uiNotice {
public:
    // Replaces the notice, shown or not, with this one and shows it.
    void setNotice(std::string title, std::string message);
    void getNotice(std::string& title, std::string& message, int& setTime) const;
    // Hides the notice; its texts stay.
    void leaveNotice() { noticeTime = noticeTimeNone; }

    std::string getTitle() const { return noticeTitle; }
    std::string getMessage() const { return noticeMessage; }
    bool isShown() const { return noticeTime >= 0; }

private:
    std::string noticeTitle;
    std::string noticeMessage;
    int noticeTime = noticeTimeNone;
};

extern uiNotice notice;

// A quad the drawing primitives refused raises the notice "Image Error!" (its
// message says whether an image or an animation frame was refused); true when
// the quad was drawn. Every caller of a primitive hands it the result.
bool noticeIfRefused(quadResult result);

// Limits of a notice that can be shown, in stored characters (codes count).
constexpr size_t noticeTitleLimit = 30;
constexpr size_t noticeMessageLimit = 100;

// Word wrap shared by the notice and the tool tips: a line breaks after the
// first blank that follows 25, 50, 75 or 100 counted characters; the first
// character and every "^" code (the caret and its follower) are not counted.
// The text fills lines 0 to 4 at most.
constexpr int wrapLineCount = 5;
struct wrappedText {
    std::string lines[wrapLineCount];
    int lastLine = 0;  // the line that was current at the end of the text
};
wrappedText wrapText(const std::string& text);

// Where noticeRender puts a notice whose widest line measures `widestWidth`.
struct noticeLayout {
    std::string lines[wrapLineCount + 1];  // the message lines, then the footer
    int footerLine = 0;                    // F: the footer's line
    int widestLine = 0;                    // the message line with the most stored characters
};
noticeLayout layoutNotice(const std::string& message);

struct noticeBox {
    int centreX, centreY, halfWidth, halfHeight;
    int titleY;
    int firstLineY;  // line i stands at firstLineY + noticeLinePitch * i
};
constexpr int noticeLinePitch = 14;
noticeBox placeNotice(int footerLine, float widestWidth);

// True when a notice with these texts may be shown.
bool noticeFits(const std::string& title, const std::string& message);

// Draws the notice, or drops it while the mouse is disabled or when its texts
// break the limits.
void noticeRender();
