// The logic editor's screen, drawn front to back: backdrop, back button, rule
// panel, header, welcome text, the rows, the add and scroll controls, the
// open choice list, then the two phrase panels.
#include "logic/logic_editor_screen.h"

#include <algorithm>
#include <string>

#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/editor.h"
#include "logic/edited_rules.h"
#include "logic/phrase_panels.h"
#include "logic/step_help.h"
#include "logic/steps.h"
#include "logic/word_picking.h"
#include "media/quad.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/widgets.h"
#include "world/object.h"
#include "world/render_images.h"
#include "world/world.h"

namespace {

constexpr int screenX = 400, screenY = 300, screenHalfW = 400, screenHalfH = 300;
constexpr int backX = 775, backY = 575, backHalf = 15;
constexpr int panelX = 395, panelY = 300, panelHalfW = 410, panelHalfH = 255;

constexpr float titleX = 50.0f, titleY = 30.0f;
constexpr int titleImageGap = 80;
constexpr int phrasesX = 45, phrasesY = 575, phrasesHalf = 16, phrasesIndex = 0;
constexpr float phrasesTextX = 75.0f, phrasesTextY1 = 570.0f, phrasesTextY2 = 585.0f;

constexpr float welcomeX = 45.0f, welcomeY = 175.0f, welcomeStep = 15.0f, rememberY = 140.0f;
constexpr int welcomeMaxRules = 2;

// A row: its number, delete and duplicate buttons, then the slots.
constexpr int rowStartX = 10;
constexpr int rowNumberGap = 3;
constexpr int rowButtonHalfW = 10, rowButtonHalfH = 14, rowButtonStep = 20;
constexpr int wordGap = 20, valueGap = 15, objectValueInset = 5, wordBoxInset = 3;
constexpr int boxHalfH = 10;
constexpr int thumbHalf = 15, thumbStep = 30;

constexpr int plusX = 40, controlHalf = 14;
constexpr int scrollUpX = 100, scrollDownX = 130, scrollY = 530;
constexpr float scrollTextX = 160.0f, emptyTextX = 65.0f;

// The choice list and its description band.
constexpr int listStartX = 30, listMaxX = 580;
constexpr int listPanelOffsetX = 100, listPanelHalfW = 120, listPanelHalfH = 400;
constexpr int listPitch = 30;
constexpr int listBottomY = 799;
constexpr int bandX = 400, bandY = 580, bandHalfW = 400, bandHalfH = 30;
constexpr float bandTextX = 20.0f, bandWordY = 559.0f, bandLine1Y = 574.0f, bandLine2Y = 589.0f;

constexpr const char* absentWord = "NULL";
constexpr const char* hiddenWord = "SKIP";

const char* const welcomeLines[] = {
    "^y^2Welcome to the ^yGame Logic Editor",
    "",
    "Game logic refers to the rules that govern your game world.",
    "To begin creating game logic, press the ^yPlus Icon^w in the upper-left",
    "corner of this screen. This will add a default ^ylogic sentence^w that you",
    "may change. Basically, whatever the logic sentence says, your game will do.",
    "These sentences can refer to objects, scores, displaying text and information,",
    "playing sound and music as well as a myraid of other choices.",
    "",
    "Once you have added a sentence, you may ^yLeft Click^w on the different parts",
    "of it to make modifications. Once you click on a word, a list will appear of",
    "possible alternative choices. Hold the ^yLeft Mouse Button^w and move it up or down.",
    "to navigate the list. You may ^yLeft^w and ^yRight Click^w on the other parts of the",
    "sentence to change them. A quick way to scroll through these options is by",
    "hovering your mouse over a part (such as an object number) and press the ^yUp^w",
    "or ^yDown^w arrow keys. When selecting a new part of a sentence, typically an",
    "information window will appear at the bottom of the screen identifying exactly",
    "what that choice will do. For additional help, press ^yh^w at any time.",
    "",
    "^yTip:^w There is a specific order in which game logic is executed. Global game",
    "logic is executed first, then local game logic afterwards. The order of sentence",
    "execution is done in a linear top-to-bottom order. Make sure you keep this in",
    "mind as you construct the logic for your game.",
};

// The x of the choice list, kept from one opening to the next.
int displayListX = listStartX;

// What one frame carries from one drawing step to the next.
struct screenFrame {
    bool mapLogic = false;
    int map = 0;
    // Whether the object looked up last is a model: image thumbnails after it are left out.
    bool modelInHand = false;
};

// The running position of one row.
struct rowPen {
    int rule = 0;
    int y = 0;
    int x = rowStartX;
};

// Stores a sum of widths as a whole pixel.
int advance(int x, float by)
{
    return static_cast<int>(static_cast<float>(x) + by);
}

void drawBlocker(int x, int y, int w, int h, int image)
{
    displaySingleChoice(x, y, w, h, image, pickBlocker, pickBlocker, pickBlocker);
}

void drawWordBox(int x, int y, int w, int h, int image, const rowPen& pen, int slot)
{
    displaySingleChoice(x, y, w, h, image, pickLogicWord, pen.rule, slot);
}

bool objectExists(int o, int m)
{
    return o >= 0 && o < world.worldGetObjectCount(m);
}

bool isModel(int o, int m)
{
    return world.worldGetObjectType(o, m) == objectTypeModel;
}

int objectImage(int o, int m)
{
    float x, y, z, w, h, d;
    int image = 0, layer = 0;
    world.worldGetObject(x, y, z, w, h, d, image, layer, o, m);
    return image;
}

// A game image as a 15 x 15 thumbnail centred on (x, y); in the pick pass the
// box drawn over it answers, so it is left out there.
void drawThumbnail(int image, float x, float y)
{
    const img* record = gameImageAt(image);
    if (!record || gameSys.getColorPick()) return;
    const float half = static_cast<float>(thumbHalf);
    noticeIfRefused(displayImage(*record, x, y, 0.0f, half, half, pickNone));
}

void drawHeader(screenFrame& frame)
{
    const int o = worldEditor.getCurrentObject();
    if (frame.mapLogic) {
        displayTextString(titleX, titleY, "^y^4Global Game Logic Editor^1 for Map " + std::to_string(frame.map));
    } else {
        const std::string title = "^y^4Local Game Logic Editor^1 for Object " + std::to_string(o);
        displayTextString(titleX, titleY, title);
        const int x = advance(titleImageGap, getDisplayTextSize(title));
        frame.modelInHand = isModel(o, frame.map);
        if (objectExists(o, frame.map) && !frame.modelInHand)
            drawThumbnail(objectImage(o, frame.map), static_cast<float>(x), titleY);
        drawBlocker(x, static_cast<int>(titleY), thumbHalf, thumbHalf, sysImageNone);
    }
    displaySingleChoice(phrasesX, phrasesY, phrasesHalf, phrasesHalf, sysImageTextEd, pickPhraseEditor,
                        pickControlMark, phrasesIndex);
    displayTextString(phrasesTextX, phrasesTextY1,
                      "Click on the icon to the left to add phrases. Phrases can be displayed");
    displayTextString(phrasesTextX, phrasesTextY2,
                      "during your game by using the ^yPhrase^w action option in a logic sentence.");
}

void drawWelcome(const screenFrame& frame, int ruleCount)
{
    if (ruleCount > welcomeMaxRules) return;
    if (frame.mapLogic && world.worldGetObjectCount(frame.map) <= 0) {
        displayTextString(welcomeX, rememberY,
                          "^y^3Remember:^w^1 You need to create at least one object to add Global Logic.");
        return;
    }
    float y = welcomeY;
    for (const char* line : welcomeLines) {
        displayTextString(welcomeX, y, line);
        y += welcomeStep;
    }
}

// A value's text with its box; the pen moves past it by `gap`.
void drawValueText(rowPen& pen, int slot, const std::string& text, int gap)
{
    const float w = getDisplayTextSize(text);
    drawWordBox(advance(pen.x, w / 2.0f), pen.y, static_cast<int>(w / 2.0f + 1.0f), boxHalfH, sysImageNone, pen,
                slot);
    displayTextString(static_cast<float>(pen.x), static_cast<float>(pen.y), text);
    pen.x = advance(pen.x, w + static_cast<float>(gap));
}

// The thumbnail place after a value: the image, then its box (a blocker
// when `code` is false).
void drawThumbnailBox(rowPen& pen, int slot, float textWidth, int image, bool shown, bool code)
{
    const float x = static_cast<float>(pen.x) + textWidth / 2.0f;
    if (shown) drawThumbnail(image, x, static_cast<float>(pen.y));
    if (code) drawWordBox(static_cast<int>(x), pen.y, thumbHalf, thumbHalf, sysImageNone, pen, slot);
    else drawBlocker(static_cast<int>(x), pen.y, thumbHalf, thumbHalf, sysImageNone);
}

// An object value: its number (or "self" for the subject of a local rule)
// and the object's thumbnail. An object that is no object of the map, or a
// model, shows no thumbnail; its boxes stay.
void drawObjectValue(screenFrame& frame, rowPen& pen, int slot, const sentence& rule, const std::string& number)
{
    pen.x -= objectValueInset;
    const bool self = !frame.mapLogic && slot == sentenceStepConditionValue;
    const int o = self ? rule.getOwner() : rule.getSentenceStep(slot);
    const bool exists = objectExists(o, frame.map);
    frame.modelInHand = exists && isModel(o, frame.map);
    const bool thumbnail = exists && !frame.modelInHand;
    const float w = getDisplayTextSize(number);
    if (self) {
        const std::string selfWord = "self";
        displayTextString(static_cast<float>(pen.x), static_cast<float>(pen.y), selfWord);
        pen.x = advance(pen.x, getDisplayTextSize(selfWord) + static_cast<float>(valueGap));
        drawThumbnailBox(pen, slot, w, objectImage(o, frame.map), thumbnail, false);
        pen.x += thumbStep;
        return;
    }
    drawValueText(pen, slot, number, valueGap);
    drawThumbnailBox(pen, slot, w, objectImage(o, frame.map), thumbnail, true);
    pen.x = frame.mapLogic ? advance(pen.x, w + static_cast<float>(wordGap)) : pen.x + thumbStep;
}

void drawValueSlot(screenFrame& frame, rowPen& pen, int slot, const sentence& rule)
{
    const int value = rule.getSentenceStep(slot);
    const int kind = checkStepType(rule.getSentenceStep(slot - 1));
    if (value == stepBlank || kind == stepTypeNone) return;
    const std::string number = "^y" + std::to_string(value);
    switch (kind) {
    case stepTypeObject:
        drawObjectValue(frame, pen, slot, rule, number);
        break;
    case stepTypeLetter:
        drawValueText(pen, slot, intToAlpha(value), wordGap);
        break;
    case stepTypeImage: {
        const float w = getDisplayTextSize(number);
        drawValueText(pen, slot, number, wordGap);
        drawThumbnailBox(pen, slot, w, value, !frame.modelInHand, true);
        pen.x = advance(pen.x, w + static_cast<float>(wordGap));
        break;
    }
    default:
        drawValueText(pen, slot, number, wordGap);
        break;
    }
}

void drawWordSlot(rowPen& pen, int slot, const sentence& rule)
{
    const std::string word = stepIDToString(rule.getSentenceStep(slot), rule.getSentenceStep(sentenceStepCondition));
    const float w = getDisplayTextSize(word);
    drawWordBox(advance(pen.x, w / 2.0f - static_cast<float>(wordBoxInset)), pen.y, static_cast<int>(w / 2.0f + 1.0f),
                boxHalfH, sysImageLine, pen, slot);
    displayTextString(static_cast<float>(pen.x), static_cast<float>(pen.y), word);
    pen.x = advance(pen.x, w + static_cast<float>(wordGap));
}

// Slots a condition leaves out: all up to the predicate's value when it has
// no subject, the "is" up to the predicate's value when a number or letter
// stands in its own value.
bool slotTakesPart(int slot, int conditionKind)
{
    if (conditionKind == stepTypeNoSubject)
        return slot < sentenceStepConditionValue || slot > sentenceStepPredicateValue;
    if (conditionKind == stepTypeLetter || conditionKind == stepTypeNumber)
        return slot < sentenceStepIs || slot > sentenceStepPredicateValue;
    return true;
}

void drawRow(screenFrame& frame, int rule, int y)
{
    const sentence s = editedRule(rule);
    rowPen pen;
    pen.rule = rule;
    pen.y = y;
    const std::string number = std::to_string(rule) + "\n";  // the line feed draws as a blank cell
    displayTextString(static_cast<float>(pen.x), static_cast<float>(y), number);
    pen.x = advance(pen.x, getDisplayTextSize(number) + static_cast<float>(rowNumberGap));
    displaySingleChoice(pen.x, y, rowButtonHalfW, rowButtonHalfH, sysImageDelSen, pickDeleteSentence,
                        pickControlMark, rule);
    pen.x += rowButtonStep;
    displaySingleChoice(pen.x, y, rowButtonHalfW, rowButtonHalfH, sysImageCopySen, pickCopySentence, pickControlMark,
                        rule);
    pen.x += rowButtonStep;

    const int conditionKind = checkStepType(s.getSentenceStep(sentenceStepCondition));
    for (int slot = 0; slot < sentenceStepCount; ++slot) {
        if (!slotTakesPart(slot, conditionKind)) continue;
        if (isValueSlot(slot)) drawValueSlot(frame, pen, slot, s);
        else drawWordSlot(pen, slot, s);
    }
}

// The rows from the top rule; returns how many were drawn.
int drawRows(screenFrame& frame, int ruleCount)
{
    const int top = worldEditor.getTopSentence();
    int k = 0;
    for (int i = top; i < top + logicRowsShown && i < ruleCount; ++i, ++k)
        drawRow(frame, i, logicFirstRowY + logicRowPitch * k);
    return k;
}

void drawListControls(int rowsDrawn, int ruleCount)
{
    displaySingleChoice(plusX, logicFirstRowY + logicRowPitch * rowsDrawn, controlHalf, controlHalf, sysImagePlus,
                        pickAddSentence, pickControlMark, pickNoIndex);
    const bool up = worldEditor.getTopSentence() > 0, down = rowsDrawn >= logicRowsShown;
    if (up)
        displaySingleChoice(scrollUpX, scrollY, controlHalf, controlHalf, sysImageArrowUp, pickSentenceScrollUp,
                            pickControlMark, pickNoIndex);
    if (down)
        displaySingleChoice(scrollDownX, scrollY, controlHalf, controlHalf, sysImageArrowDown, pickSentenceScrollDown,
                            pickControlMark, pickNoIndex);
    if (up || down)
        displayTextString(scrollTextX, static_cast<float>(scrollY), "Click on an arrow to scroll the sentence list");
    if (ruleCount == 0)
        displayTextString(emptyTextX, static_cast<float>(logicFirstRowY),
                          "Press this ^yPlus Icon^w to make a sentence.");
}

// The words of the list on one side of the current word (side -1 above, +1
// below), hidden words taking no line; returns the lines taken.
int drawListSide(int id, int condition, int listY, int side)
{
    long long n = 0;
    int skipped = 0;
    for (;; ++n) {
        const std::string word = steppedWord(static_cast<long long>(id) + side * (n + 1), condition);
        if (word == absentWord) break;
        if (word == hiddenWord) {
            ++skipped;
            continue;
        }
        const long long y = listY + side * (listPitch + (n - skipped) * listPitch);
        if (side < 0 ? y > 0 : y <= listBottomY)
            displayTextString(static_cast<float>(displayListX), static_cast<float>(y), word);
    }
    return static_cast<int>(n) - skipped;
}

void drawChoiceList()
{
    int timer = 0, rule = 0, slot = 0;
    worldEditor.getGLTimer(timer, rule, slot);
    if (timer <= 0 || slot < 0 || slot >= sentenceStepCount || isValueSlot(slot)) return;
    const sentence s = editedRule(rule);
    const int id = s.getSentenceStep(slot), condition = s.getSentenceStep(sentenceStepCondition);
    if (timer == choiceListOpened) {
        int ox = 0, oy = 0;
        gameSys.getOrthoPos(ox, oy);
        displayListX = std::min(ox, listMaxX);
        worldEditor.setGLTimer(timer - 1, rule, slot);
    }
    const int listY = (rule - worldEditor.getTopSentence()) * listPitch + logicFirstRowY;
    const float x = static_cast<float>(displayListX);

    drawBlocker(screenX, screenY, screenHalfW, screenHalfH, sysImageNone);
    displaySingleChoice(displayListX + listPanelOffsetX, screenY, listPanelHalfW, listPanelHalfH, sysImageBlur,
                        pickLogicWord, rule, slot);
    const std::string word = stepIDToString(id, condition);
    displayTextString(x, static_cast<float>(listY), "^c|^y" + word + "^c|");
    const int above = drawListSide(id, condition, listY, -1);
    displayTextString(x, static_cast<float>(listY - listPitch - above * listPitch), "^2your mouse to scroll");
    displayTextString(x, static_cast<float>(listY - listPitch - (above + 1) * listPitch), "^2^yClick and drag^w your");
    drawListSide(id, condition, listY, 1);

    drawBlocker(bandX, bandY, bandHalfW, bandHalfH, sysImageGameEditorBackground);
    std::string line1, line2;
    stepIDToDescription(id, line1, line2);
    displayTextString(bandTextX, bandWordY, "^y" + word);
    displayTextString(bandTextX, bandLine1Y, line1);
    displayTextString(bandTextX, bandLine2Y, line2);
}

}  // namespace

void renderLogicEditor()
{
    screenFrame frame;
    frame.mapLogic = editingMapLogic();
    frame.map = world.getCurrentMap();

    drawBlocker(screenX, screenY, screenHalfW, screenHalfH, sysImageBlur);
    const int back = frame.mapLogic ? editorModeNone : editorModeObject;
    displaySingleChoice(backX, backY, backHalf, backHalf, sysImageQuit, pickLogicBack, pickControlMark, back);
    drawBlocker(panelX, panelY, panelHalfW, panelHalfH, sysImageDialogBackground);
    drawHeader(frame);

    const int ruleCount = editedRuleCount();
    drawWelcome(frame, ruleCount);
    const int rows = drawRows(frame, ruleCount);
    drawListControls(rows, ruleCount);
    drawChoiceList();

    renderPhraseEditor();
    renderPhraseSelector();
}
