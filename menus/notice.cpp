// The notice record.
#include "menus/notice.h"

#include <utility>

uiNotice notice;

void uiNotice::setNotice(std::string title, std::string message)
{
    noticeTitle = std::move(title);
    noticeMessage = std::move(message);
    noticeTime = noticeTimeShown;
}

void uiNotice::getNotice(std::string& title, std::string& message, int& setTime) const
{
    title = noticeTitle;
    message = noticeMessage;
    setTime = noticeTime;
}
