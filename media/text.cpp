// Bitmap-font text.
#include "media/text.h"

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <string_view>

#include "core/camera.h"
#include "core/frame.h"
#include "core/system.h"
#include "media/3dmath.h"
#include "media/quad.h"
#include "media/texture.h"

namespace {

constexpr char codeMark = '^';
constexpr int atlasCells = 10;
constexpr float cellSize = 1.0f / atlasCells;
constexpr float blankCell = 0.9f;
// Marks the atlas cell that holds no character.
constexpr char noGlyph = '\x7f';

// The characters of the atlas rows, from the top of the image.
constexpr std::string_view atlasRows[] = {
    "ABCDEFGHIJ", "KLMNOPQRST", "UVWXYZabcd", "efghijklmn", "opqrstuvwx",
    "yz./\x7f,()!:", "0123456789", "-_|@'?+=<>", "*#`~&;",
};

struct cell {
    signed char column = -1, row = -1;
};

std::array<cell, 128> buildCellTable()
{
    std::array<cell, 128> table{};
    for (int row = 0; row < static_cast<int>(std::size(atlasRows)); ++row) {
        const std::string_view line = atlasRows[row];
        for (int column = 0; column < static_cast<int>(line.size()); ++column) {
            const char c = line[column];
            if (c == noGlyph) continue;
            table[static_cast<unsigned char>(c)] = cell{static_cast<signed char>(column), static_cast<signed char>(row)};
        }
    }
    return table;
}

const std::array<cell, 128> cellTable = buildCellTable();

struct colourCode {
    char letter;
    textColour colour;
};

constexpr float byte(int v)
{
    return static_cast<float>(v) / 255.0f;
}

const colourCode colourCodes[] = {
    {'a', {byte(178), byte(34), byte(34)}}, {'b', {0.0f, 0.0f, 0.9f}},
    {'c', {0.0f, byte(191), 1.0f}},        {'d', {0.7f, 0.7f, 0.7f}},
    {'f', {byte(205), byte(38), byte(38)}}, {'g', {0.0f, 0.9f, 0.0f}},
    {'k', {0.0f, 0.0f, 0.0f}},             {'m', {byte(25), byte(25), byte(112)}},
    {'n', {0.0f, 1.0f, byte(127)}},        {'o', {1.0f, byte(140), 0.0f}},
    {'p', {1.0f, byte(218), byte(185)}},   {'r', {0.9f, 0.0f, 0.0f}},
    {'s', {byte(47), byte(79), byte(79)}}, {'t', {0.0f, byte(100), 0.0f}},
    {'w', {1.0f, 1.0f, 1.0f}},             {'y', {1.0f, 1.0f, 0.0f}},
};

// The size index of a size code character, -1 for a colour code.
int sizeCode(char c)
{
    return (c >= '1' && c <= '4') ? c - '1' : -1;
}

// Walks `text`, handing each code and each glyph to the visitor. The code
// character after a final caret is '\0'.
template <typename onSize, typename onColour, typename onGlyph>
void walkText(const std::string& text, onSize sizeFn, onColour colourFn, onGlyph glyphFn)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != codeMark) {
            glyphFn(text[i]);
            continue;
        }
        ++i;
        const char code = i < text.size() ? text[i] : '\0';
        const int size = sizeCode(code);
        if (size >= 0) sizeFn(size);
        else colourFn(code);
    }
}

void bindFont()
{
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(sysTexture(sysImageFont)));
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
}

void unbindFont()
{
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

// The four corners of one glyph quad centred on (cx, cy) in the current
// frame, inside a glBegin(GL_QUADS) with the font bound; `down` is the
// direction of the glyph's bottom edge along y.
void emitGlyph(char c, float cx, float cy, float halfWidth, float down)
{
    float s = 0.0f, row = 0.0f;
    findFontPos(c, s, row);
    const float halfHeight = glyphAspect * halfWidth;
    const float top = 1.0f - row, bottom = (1.0f - cellSize) - row;
    const float left = cx - halfWidth, right = cx + halfWidth;
    const float upper = cy - down * halfHeight, lower = cy + down * halfHeight;
    glTexCoord2f(s, top);
    glVertex2f(left, upper);
    glTexCoord2f(s, bottom);
    glVertex2f(left, lower);
    glTexCoord2f(s + cellSize, bottom);
    glVertex2f(right, lower);
    glTexCoord2f(s + cellSize, top);
    glVertex2f(right, upper);
}

// One glyph as a draw of its own (the glyphs of world text each stand in
// their own transform).
void drawGlyph(char c, float cx, float cy, float halfWidth, float down)
{
    bindFont();
    glBegin(GL_QUADS);
    emitGlyph(c, cx, cy, halfWidth, down);
    glEnd();
    unbindFont();
}

}  // namespace

textColour colourOfCode(char c)
{
    for (const colourCode& code : colourCodes)
        if (code.letter == c) return code.colour;
    return {1.0f, 1.0f, 1.0f};
}

void setColor(char c)
{
    const textColour colour = colourOfCode(c);
    glColor4f(colour.r, colour.g, colour.b, 1.0f);
}

void findFontPos(char letter, float& charw, float& charh)
{
    charw = 0.0f;
    charh = 0.0f;
    const cell found = letter >= 0 ? cellTable[static_cast<unsigned char>(letter)] : cell{};
    if (found.column < 0) {
        charw = blankCell;
        charh = blankCell;
        return;
    }
    charw = static_cast<float>(found.column) * cellSize;
    charh = static_cast<float>(found.row) * cellSize;
}

float getDisplayTextSize(const std::string& text)
{
    float width = 0.0f, size = textSizes[0];
    walkText(
        text, [&](int s) { size = textSizes[s]; }, [](char) {},
        [&](char) { width += 2.0f * size + 1.0f; });
    return width;
}

void displayTextString(float x, float y, const std::string& text)
{
    if (gameSys.getColorPick()) return;
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPushMatrix();
    glLoadIdentity();
    glCullFace(GL_BACK);
    draw2dortho();
    // Under the 2D projection a vertex at (-x, -y) lands on screen point (x, y).
    glScalef(-1.0f, -1.0f, 1.0f);
    // The whole line is one draw: a draw per glyph cost the renderer far more
    // than the glyphs' few pixels. Colour codes change the colour between
    // quads, as they did between draws.
    float pen = 0.0f, size = textSizes[0];
    bindFont();
    glBegin(GL_QUADS);
    walkText(
        text, [&](int s) { size = textSizes[s]; }, setColor,
        [&](char c) {
            emitGlyph(c, x + pen, y, size, 1.0f);
            pen += 2.0f * size + 1.0f;
        });
    glEnd();
    unbindFont();
    leave2dortho();
    glCullFace(GL_FRONT);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void displayTextStringIngame(float x, float y, float z, const std::string& text)
{
    if (gameSys.getColorPick()) return;
    float pitch = 0.0f, yawDegrees = 0.0f;
    camera.GetRot(pitch, yawDegrees);
    const float yaw = yawDegrees * degreesToRadians;
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPushMatrix();
    float penx = x, penz = z, size = textSizesIngame[0];
    walkText(
        text, [&](int s) { size = textSizesIngame[s]; }, setColor,
        [&](char c) {
            penx += std::cos(yaw) * ingameAdvance;
            penz += std::sin(yaw) * ingameAdvance;
            glPushMatrix();
            glTranslatef(penx, y, penz);
            glScalef(1.0f, -1.0f, 1.0f);
            faceCamera(pitch, yawDegrees);
            drawGlyph(c, 0.0f, 0.0f, size, 1.0f);
            glPopMatrix();
        });
    glPopMatrix();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
