// The fog panel's functions: switching the current map's fog on and off and
// stepping its density and colour components by a tenth, for the world
// editor's fog panel.
#pragma once

enum fogFunctionId {
    fogFunctionToggle = 21,
    fogFunctionDensityUp = 22,
    fogFunctionDensityDown = 23,
    fogFunctionRedUp = 24,
    fogFunctionRedDown = 25,
    fogFunctionGreenUp = 26,
    fogFunctionGreenDown = 27,
    fogFunctionBlueUp = 28,
    fogFunctionBlueDown = 29,
};

// Carries out fog function `function` (21 to 29) on the current map of
// `world`; any other number does nothing. A step the map refuses (outside
// 0.1 to 1.0) changes nothing.
void menuFunction(int function);
