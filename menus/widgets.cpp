// Choice widgets, system textboxes and the selection shade.
#include "menus/widgets.h"

#include <GL/gl.h>

#include <unordered_map>
#include <vector>

#include "core/clock.h"
#include "core/system.h"
#include "core/window.h"
#include "media/quad.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/notice.h"

namespace {

constexpr int choiceGap = 15;          // label end to the first button's centre
constexpr int choiceButtonStep = 40;   // first to second button centre
constexpr int choiceRaise = 3;         // buttons sit this much above the label line
constexpr int choiceButtonHalf = 16;

// System textboxes: their placeholder geometry until first drawn, the height
// stored when drawn, the half-height of the field, where the text starts
// right of the field's left edge, and the cursor's blink.
constexpr float sysTextboxPlaceholder = 300.0f;
constexpr float sysTextboxStoredHeight = 7.0f;
constexpr int sysTextboxHalfHeight = 11;
constexpr int sysTextboxTextInset = 7;
constexpr int sysTextboxBlinkMs = 1000;

struct sysTextboxSetup {
    int entry;
    int linked;
};
constexpr sysTextboxSetup sysTextboxSetups[pickSysTextboxCount] = {
    {3, linkedButtonNone}, {4, pickCreateMap},    {6, linkedButtonNone}, {7, pickResizeMap},
    {8, pickRenameMap},    {9, pickRenameObject}, {10, pickApplyPhrase},
};

int cursorToggleTime = 0;
char endChar = '_';

const img* sysImageRecord(int image)
{
    if (image < 0 || image >= static_cast<int>(sysImage.size())) return nullptr;
    return &sysImage[image];
}

// True when every texel of texture `tex` has alpha 0, so that drawing it
// blended changes no pixel (the backdrop and the full-screen covers draw such
// an image over the whole window every frame). Read once per texture; an
// unreadable texture counts as visible.
bool invisibleTexture(int tex)
{
    static std::unordered_map<int, bool> known;
    const auto found = known.find(tex);
    if (found != known.end()) return found->second;
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(tex));
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    bool invisible = false;
    if (tex != 0 && width > 0 && height > 0) {
        std::vector<GLubyte> alpha(static_cast<size_t>(width) * static_cast<size_t>(height), 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, alpha.data());
        invisible = true;
        for (GLubyte a : alpha) invisible = invisible && a == 0;
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    known[tex] = invisible;
    return invisible;
}

// System image `image` as a blended quad at the widget depth: its current
// frame when animated (no tint), else tinted (r, g, b) at alpha a. An image
// without a visible texel is not drawn at all.
void drawSystemImage(float x, float y, float w, float h, int image, float r, float g, float b, float a)
{
    if (invisibleTexture(sysTexture(image))) return;
    const img* record = sysImageRecord(image);
    noticeIfRefused(record
                        ? displayImage(*record, x, y, widgetDepth, w, h, pickNone, r, g, b, a)
                        : displayTexture(x, y, widgetDepth, w, h, r, g, b, sysTexture(image), true, true, a, pickNone));
}

}  // namespace

void displaySingleChoice(int x, int y, int w, int h, int image, int r, int g, int b)
{
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    if (gameSys.getColorPick()) {
        glColor3ub(static_cast<GLubyte>(r), static_cast<GLubyte>(g), static_cast<GLubyte>(b));
        noticeIfRefused(displayTexture(fx, fy, widgetDepth, fw, fh, 1.0f, 1.0f, 1.0f, sysTexture(image), true, true,
                                       1.0f, pickFlatColor));
        return;
    }
    drawSystemImage(fx, fy, fw, fh, image, 1.0f, 1.0f, 1.0f, 1.0f);
}

void displayBackdrop()
{
    int width = 0, height = 0;
    windowSize(width, height);
    displaySingleChoice(width / 2, height / 2, width, height, sysImageNone, pickBackground, pickBackground,
                        pickBackground);
}

void displayCustomChoice(int x, int y, const std::string& line, int atex, int a0, int a1, int a2, int btex, int b0,
                         int b1, int b2)
{
    displayTextString(static_cast<float>(x), static_cast<float>(y), line);
    const int first = x + static_cast<int>(getDisplayTextSize(line)) + choiceGap;
    displaySingleChoice(first, y - choiceRaise, choiceButtonHalf, choiceButtonHalf, atex, a0, a1, a2);
    displaySingleChoice(first + choiceButtonStep, y - choiceRaise, choiceButtonHalf, choiceButtonHalf, btex, b0, b1,
                        b2);
}

void displayChoice(int x, int y, const std::string& line, int p0, int p1, int p2, int m0, int m1, int m2)
{
    displayCustomChoice(x, y, line, sysImagePlus, p0, p1, p2, sysImageMinus, m0, m1, m2);
}

std::array<Textbox, pickSysTextboxCount> sysTextbox;

void loadSysTextboxes()
{
    for (int i = 0; i < pickSysTextboxCount; ++i) {
        Textbox& box = sysTextbox[static_cast<size_t>(i)];
        box.modifyTextbox(sysTextboxPlaceholder, sysTextboxPlaceholder, sysTextboxPlaceholder, sysTextboxPlaceholder,
                          sysTextboxSetups[i].entry);
        box.setLinkedButton(sysTextboxSetups[i].linked);
    }
}

namespace {

int sysTextboxEntry(int textbox)
{
    float x = 0, y = 0, w = 0, h = 0;
    int entry = -1;
    sysTextbox[static_cast<size_t>(textbox)].getTextbox(x, y, w, h, entry);
    return entry;
}

bool validSysTextbox(int textbox)
{
    return textbox >= 0 && textbox < pickSysTextboxCount;
}

}  // namespace

std::string getSysTextboxText(int textbox)
{
    return validSysTextbox(textbox) ? uiScriptString.getString(sysTextboxEntry(textbox)) : std::string();
}

void setSysTextboxText(int textbox, const std::string& text)
{
    if (validSysTextbox(textbox)) uiScriptString.setString(text, sysTextboxEntry(textbox));
}

void displayTextbox(int x, int y, int w, int /*h*/, int textbox)
{
    if (textbox < 0 || textbox >= pickSysTextboxCount) return;
    const int now = elapsedMs();
    Textbox& box = sysTextbox[static_cast<size_t>(textbox)];
    float bx = 0, by = 0, bw = 0, bh = 0;
    int entry = 0;
    box.getTextbox(bx, by, bw, bh, entry);
    box.modifyTextbox(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w), sysTextboxStoredHeight,
                      entry);

    const int half = w / 2;
    displaySingleChoice(x - half, y, half, sysTextboxHalfHeight, sysImageBlur, pickSysTextbox, pickControlMark,
                        textbox);
    std::string text = uiScriptString.getString(entry);
    if (now - cursorToggleTime > sysTextboxBlinkMs) {
        endChar = endChar == '_' ? ' ' : '_';
        cursorToggleTime = now;
    }
    if (textbox == gameUI.getTextboxEdit() && gameSys.getInputState() == inputStateSysTextbox) text += endChar;
    displayTextString(static_cast<float>(x - w + sysTextboxTextInset), static_cast<float>(y), text);
}
