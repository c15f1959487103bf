// Choice widgets.
#include "menus/widgets.h"

#include <GL/gl.h>

#include "core/system.h"
#include "media/quad.h"
#include "media/text.h"
#include "media/texture.h"

namespace {

constexpr int choiceGap = 15;          // label end to the first button's centre
constexpr int choiceButtonStep = 40;   // first to second button centre
constexpr int choiceRaise = 3;         // buttons sit this much above the label line
constexpr int choiceButtonHalf = 16;

const img* sysImageRecord(int image)
{
    if (image < 0 || image >= static_cast<int>(sysImage.size())) return nullptr;
    return &sysImage[image];
}

}  // namespace

void displaySingleChoice(int x, int y, int w, int h, int image, int r, int g, int b)
{
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    if (gameSys.getColorPick()) {
        glColor3ub(static_cast<GLubyte>(r), static_cast<GLubyte>(g), static_cast<GLubyte>(b));
        displayTexture(fx, fy, widgetDepth, fw, fh, 1.0f, 1.0f, 1.0f, sysTexture(image), true, true, 1.0f,
                       pickFlatColor);
        return;
    }
    const img* record = sysImageRecord(image);
    if (record && record->getAnimState()) {
        displayFrame(fx, fy, widgetDepth, fw, fh, record->GetTex(), static_cast<float>(record->getCurrentFrame()),
                     true, true, pickNone);
        return;
    }
    displayTexture(fx, fy, widgetDepth, fw, fh, 1.0f, 1.0f, 1.0f, sysTexture(image), true, true, 1.0f, pickNone);
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
