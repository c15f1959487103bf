// The rule list of the logic editor's mode, read and written through the world.
#include "logic/edited_rules.h"

#include "editor/editor.h"
#include "world/world.h"

bool editingMapLogic()
{
    return worldEditor.getEditorMode() == editorModeMapLogic;
}

int editedRuleCount()
{
    const int m = world.getCurrentMap();
    if (editingMapLogic()) return world.mapGlobalGetSentenceAmount(m);
    return world.mapLocalGetSentenceAmount(worldEditor.getCurrentObject(), m);
}

sentence editedRule(int s)
{
    const int m = world.getCurrentMap();
    if (editingMapLogic()) return world.mapGlobalGetWholeSentence(m, s);
    return world.mapLocalGetWholeSentence(s, worldEditor.getCurrentObject(), m);
}

void changeEditedRule(int s, int slot, int value)
{
    const int m = world.getCurrentMap();
    if (editingMapLogic()) world.mapGlobalChangeSentence(m, s, slot, value);
    else world.mapLocalChangeSentence(s, slot, value, worldEditor.getCurrentObject(), m);
}

bool isValueSlot(int slot)
{
    return slot == sentenceStepConditionValue || slot == sentenceStepPredicateValue ||
           slot == sentenceStepActionValue;
}
