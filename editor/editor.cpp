// The editor state record: defaults and the accessors that clamp, wrap or
// search their value.
#include "editor/editor.h"

#include <algorithm>

#include "core/system.h"

editor worldEditor;

namespace {

constexpr int unchangedCoordinate = -1;
constexpr int noObject = -1;

bool validLayer(int layer)
{
    return layer >= 0 && layer < renderLayerCount;
}

bool validObjectSlot(int slot)
{
    return slot >= 0 && slot < objectListSize;
}

}  // namespace

editor::editor()
{
    std::fill(std::begin(renderLayer), std::end(renderLayer), true);
    std::fill(std::begin(objectList), std::end(objectList), noObject);
}

void editor::setCurrentTile(int x, int y)
{
    curTile[0] = startingTile[0] = endingTile[0] = x;
    curTile[1] = startingTile[1] = endingTile[1] = y;
}

void editor::setStartingTile(int x, int y)
{
    if (x != unchangedCoordinate) startingTile[0] = x;
    if (y != unchangedCoordinate) startingTile[1] = y;
}

void editor::setEndingTile(int x, int y)
{
    if (x != unchangedCoordinate) endingTile[0] = x;
    if (y != unchangedCoordinate) endingTile[1] = y;
}

void editor::setCurrentObject(int i)
{
    if (i >= 0) curObject = i;
}

void editor::setGLTimer(int timer, int sentence, int step)
{
    glTimer = timer;
    glTimerSentence = sentence;
    glTimerStep = step;
}

void editor::getGLTimer(int& timer, int& sentence, int& step) const
{
    timer = glTimer;
    sentence = glTimerSentence;
    step = glTimerStep;
}

void editor::setRenderLayer(int layer, bool on)
{
    if (validLayer(layer)) renderLayer[layer] = on;
}

bool editor::getRenderLayer(int layer) const
{
    return validLayer(layer) && renderLayer[layer];
}

void editor::setObjectList(int slot, int id)
{
    if (id >= 0 && validObjectSlot(slot)) objectList[slot] = id;
}

int editor::getObjectList(int slot) const
{
    return validObjectSlot(slot) ? objectList[slot] : noObject;
}

int editor::usedObjectSlots() const
{
    return std::clamp(objectListAmount, 0, objectListSize);
}

bool editor::notInObjectList(int id) const
{
    const int used = usedObjectSlots();
    return std::find(objectList, objectList + used, id) != objectList + used;
}

void editor::resetObjectList()
{
    std::fill(objectList, objectList + usedObjectSlots(), noObject);
    objectListAmount = 0;
}

void editor::setCurrentTip(int i)
{
    const int last = gameSys.getGameState() == gameStateUIEditor ? menuEditorLastTip : worldEditorLastTip;
    if (i < 0) {
        i = last;
    } else if (i > last) {
        i = 0;
    }
    currentTip = i;
}

void editor::setPhraseMenu(int i)
{
    if (i < phraseMenuClosed) {
        i = phraseMenuClosed;
    } else if (i > phraseLast) {
        i = 0;
    }
    phraseMenu = i;
}

void editor::setPhraseSelectorChoice(int i)
{
    if (i < 0) {
        i = phraseLast;
    } else if (i > phraseLast) {
        i = 0;
    }
    phraseSelectorChoice = i;
}

void editor::setTopSentence(int i)
{
    if (i >= 0) topSentence = i;
}
