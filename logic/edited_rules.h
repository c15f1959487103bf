// The rule list the logic editor works on: the current map's global rules in
// the map logic mode, the world editor's current object's local rules in the
// object logic mode.
#pragma once
#include "logic/sentence.h"

// True while the logic editor shows the current map's global rules.
bool editingMapLogic();
int editedRuleCount();
// A copy of rule s of the list (a default rule when s is no rule).
sentence editedRule(int s);
void changeEditedRule(int s, int slot, int value);

// Slots 1, 4 and 7 hold values; the others hold words.
bool isValueSlot(int slot);
