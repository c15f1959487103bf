// Pick colours of the 2D controls drawn by the console, the notice and the
// help panel. In the colour-pick pass a control is a flat quad whose red byte
// names its kind; the green and blue bytes are 144 unless stated otherwise.
#pragma once

constexpr int pickFiller = 144;          // green/blue byte of a control with no index
constexpr int pickBlocker = 144;         // (144, 144, 144): swallows a click
constexpr int pickHelpTopic = 39;        // (39, 144, topic)
constexpr int pickToggleConsole = 47;
constexpr int pickConsoleUp = 51;
constexpr int pickConsoleDown = 52;
constexpr int pickCloseHelp = 56;
constexpr int pickNotice = 91;
