// The one notice: a short title and message raised by any part of the
// program and shown until the user dismisses it or a newer one replaces it.
#pragma once
#include <string>

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
