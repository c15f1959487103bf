// The actions of logic rules (gameAction): what a firing rule does to the
// running game, its objects, scores, camera, sounds and input.
#pragma once

// Carries out action `action` (701 to 802; 700 and the reserved ids do
// nothing) with the rule's action value and its subject object, on the
// current map. An action whose object (value or subject) names no object of
// the current map does nothing.
void gameAction(int action, int value, int subject);
