// The logic executor: runs the rules of the current map in play and
// playtest, the map's global rules first and then each object's rules, every
// list top to bottom. updateLogic runs the frame conditions (with the timers
// and "and" chains) once per drawn frame; updateKeyLogic and updateMouseLogic
// run the key and mouse conditions on input events.
#pragma once
#include "logic/sentence.h"

void updateLogic();
void updateKeyLogic();
void updateMouseLogic();

// The evaluators of one rule: a copy of it, whether it is a map's (global)
// rule, the current map or the holding object, and its index in its list.
void sentenceAction(const sentence& rule, bool isGlobal, int mapOrObject, int index);
void sentenceActionKeyboard(const sentence& rule, bool isGlobal, int mapOrObject, int index);
void sentenceActionMouse(const sentence& rule, bool isGlobal, int mapOrObject, int index);

// The subject of a rule: slot 1 of a global rule, the owner of a local one.
int ruleSubject(const sentence& rule, bool isGlobal);
