// The `.cfg` text builder and the helpers shared by the project writers.
#include "editor/save_files.h"

#include <charconv>

#include "core/file_write.h"
#include "core/log.h"
#include "menus/notice.h"
#include "world/game_files.h"

namespace {

constexpr int floatDigits = 6;  // a text stream's default precision
constexpr size_t numberBufferSize = 32;

void appendSafeText(std::string& to, std::string_view value)
{
    for (char c : value) to += (c == '\n' || c == '\r') ? ' ' : c;
}

}  // namespace

void cfgText::appendNumber(std::string& to, int value)
{
    char buffer[numberBufferSize];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    to.append(buffer, result.ptr);
}

// As a stream formats a float: the value widened to double, "%g" with 6 digits.
void cfgText::appendNumber(std::string& to, float value)
{
    char buffer[numberBufferSize];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::general, floatDigits);
    to.append(buffer, result.ptr);
}

void cfgText::appendKey(cfgKey key)
{
    for (const keyPart& part : key) {
        if (part.isIndex)
            appendNumber(out, part.index);
        else
            out += part.word;
    }
}

void cfgText::line(std::string_view literal)
{
    out += literal;
    out += '\n';
}

template <class T>
void cfgText::numberLine(cfgKey key, T value)
{
    out += "f ";
    appendKey(key);
    out += ' ';
    appendNumber(out, value);
    out += '\n';
}

void cfgText::number(cfgKey key, int value)
{
    numberLine(key, value);
}

void cfgText::number(cfgKey key, float value)
{
    numberLine(key, value);
}

void cfgText::text(cfgKey key, std::string_view value)
{
    out += "s ";
    appendKey(key);
    out += ' ';
    appendSafeText(out, value);
    out += '\n';
}

void cfgText::dropFinalLineBreak()
{
    if (!out.empty() && out.back() == '\n') out.pop_back();
}

void writeAnimationLines(cfgText& out, const std::vector<img>& table, int count)
{
    for (int i = 0; i < count && static_cast<size_t>(i) < table.size(); ++i) {
        const img& image = table[static_cast<size_t>(i)];
        if (!image.getAnimState()) continue;
        out.number({"image", i, "anim"}, 1);
        out.number({"image", i, "frame"}, image.getFrameCount());
        out.number({"image", i, "speed"}, image.getAnimSpeed());
    }
}

bool checkSaveName(const std::string& name)
{
    if (!name.empty() && gameNameIsSafe(name)) return true;
    reportSaveFailure(name, "the game name is not a single folder name");
    return false;
}

bool createSaveFolder(const std::string& project, const std::string& folder)
{
    std::string reason;
    if (createFolders(folder, &reason)) return true;
    reportSaveFailure(project, reason);
    return false;
}

void reportSaveFailure(const std::string& project, const std::string& reason)
{
    if (!reason.empty()) systemMsg(QV_ERROR "The save was not written: " + reason + ".");
    const std::string message = "Error opening: " + project + ". Aborting.";
    systemMsg(QV_ERROR + message);
    notice.setNotice("^yERROR", message);
}
