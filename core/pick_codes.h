// The pick codes: the table of colours that every 2D control is drawn with in
// the colour-pick pass, shared by the drawers of every screen and the click
// handlers beside them (core/pick.h runs the pass).
//
// A pick code is the three bytes R, G, B of one pixel of the pass: R names the
// kind of control, G is pickControlMark (or an index byte for the logic words
// and the image cells), B is the control's index or pickNoIndex.
#pragma once

// Green and blue bytes, and the two reserved colours.
constexpr int pickControlMark = 144;  // G of an ordinary control
constexpr int pickNoIndex = 144;      // B of a control that has no index
constexpr int pickNoIndexByte = 255;  // B where the drawer passes -1 as a byte
constexpr int pickBlocker = 144;      // (144, 144, 144): a panel area, swallows the click
constexpr int pickBackground = 254;   // (254, 254, 254): empty background

// Kinds of control: the R byte.
enum pickCodeId {
    pickNextMap = 0,
    pickPreviousMap = 1,
    pickToggleSidePanel = 2,
    pickEditorMainMenu = 3,
    pickAnimImageMenu = 4,
    pickAnimPrevImage = 5,
    pickAnimFramesUp = 6,
    pickAnimFramesDown = 7,
    pickAnimOn = 8,
    pickAnimOff = 9,
    pickAnimSpeedUp = 10,
    pickAnimSpeedDown = 11,
    pickNextMenu = 12,
    pickPreviousMenu = 13,
    pickMenuBackgroundImage = 14,
    pickMenuBackgroundPrevious = 15,
    pickButtonImage = 16,
    pickButtonImagePrevious = 17,
    pickButtonWidthUp = 18,
    pickButtonWidthDown = 19,
    pickButtonHeightUp = 20,
    pickButtonHeightDown = 21,
    pickEditMenuButton = 22,
    pickEditMenuTextbox = 23,
    pickEditMenuText = 24,
    pickTileImage = 25,
    pickTilePrevImage = 26,
    pickObjectImage = 27,
    pickObjectPrevImage = 28,
    pickObjectLayerUp = 29,
    pickObjectLayerDown = 30,
    pickObjectWidthUp = 31,
    pickObjectWidthDown = 32,
    pickObjectHeightUp = 33,
    pickObjectHeightDown = 34,
    pickDialogButton0 = 35,
    pickDialogButton1 = 36,
    pickMenuButton = 37,
    pickMenuTextbox = 38,
    pickHelpTopic = 39,
    pickSaveProject = 40,
    pickAnimationPanel = 41,
    pickQuitProgram = 44,
    pickToggleFullscreen = 45,
    pickToggleDebug = 46,
    pickToggleConsole = 47,
    pickSysTextbox = 48,
    pickNewMapPanel = 49,
    pickCreateMap = 50,
    pickConsoleUp = 51,
    pickConsoleDown = 52,
    pickMapPanel = 53,
    pickResizeMap = 54,
    pickOpenHelp = 55,
    pickCloseHelp = 56,
    pickLeaveGame = 57,
    pickLeaveProject = 58,
    pickLocalLogic = 59,
    pickGlobalLogic = 60,
    pickLogicBack = 61,
    pickLogicWord = 62,
    pickAddSentence = 63,
    pickDeleteSentence = 64,
    pickObjectLabelUp = 65,
    pickObjectLabelDown = 66,
    pickAddObject = 67,
    pickDeleteObjects = 68,
    pickDeleteMapNow = 69,
    pickDeleteMap = 70,
    pickFogPanel = 71,
    pickFogToggle = 72,
    pickFogDensityUp = 73,
    pickFogDensityDown = 74,
    pickFogRedUp = 75,
    pickFogRedDown = 76,
    pickFogGreenUp = 77,
    pickFogGreenDown = 78,
    pickFogBlueUp = 79,
    pickFogBlueDown = 80,
    pickCopyObjects = 81,
    pickObjectSolid = 82,
    pickImageRowDown = 83,
    pickImageRowUp = 84,
    pickImageCell = 85,
    pickImageMenuClose = 86,
    pickRenameMap = 87,
    pickWelcomeClose = 88,
    pickAddText = 89,
    pickDeleteText = 90,
    pickNotice = 91,
    pickSolidWidthUp = 92,
    pickSolidHeightUp = 93,
    pickSolidWidthDown = 94,
    pickSolidHeightDown = 95,
    pickRenameObject = 96,
    pickTileStretchOn = 97,
    pickTileStretchOff = 98,
    pickCopyMap = 99,
    pickNextTip = 100,
    pickPreviousTip = 101,
    pickMacroMenu = 102,
    pickMacroMenuClose = 103,
    pickApplyMacro = 104,
    pickPhraseEditor = 105,
    pickNextPhrase = 106,
    pickPreviousPhrase = 107,
    pickApplyPhrase = 108,
    pickBrowserConfirm = 110,
    pickBrowserEntry = 111,
    pickBrowserScrollDown = 112,
    pickBrowserScrollUp = 113,
    pickPhraseChoiceNext = 114,
    pickPhraseChoicePrevious = 115,
    pickPhraseSelector = 116,
    pickPlaytest = 119,
    pickCopySentence = 120,
    pickSentenceScrollDown = 121,
    pickSentenceScrollUp = 122,
    pickTileHeightUp = 123,
    pickTileHeightDown = 124,
    pickSkyboxMenu = 125,
    pickSkyboxFace = 126,
    pickObjectDepthUp = 127,
    pickObjectDepthDown = 128,
    pickSolidDepthUp = 129,
    pickSolidDepthDown = 130,
    pickObjectTypeUp = 131,
    pickObjectTypeDown = 132,
    pickRotateX = 133,
    pickRotateY = 134,
    pickRotateZ = 135,
    pickModelMenu = 136,
    pickNextModel = 137,
    pickPreviousModel = 138,
    pickTerrainReset = 139,
    pickTerrainRandomUp = 140,
    pickTerrainRandomDown = 141,
    pickTerrainBorderUp = 142,
    pickTerrainBorderDown = 143,
};

// Blue bytes of codes that carry a fixed meaning.
constexpr int pickBrowserCancel = 0, pickBrowserOk = 1;
constexpr int pickRotatePlus = 1, pickRotateMinus = 2;
constexpr int pickModelMenuFromPanel = 0, pickModelMenuFromMenu = 255;
// The program's own textboxes are 0 to pickSysTextboxCount - 1.
constexpr int pickSysTextboxCount = 7;

// An image cell names image G * 256 + B.
constexpr int pickImageCellIndex(int g, int b) { return g * 256 + b; }

// One pixel of the pass.
struct pickCode {
    unsigned char r = 0, g = 0, b = 0;
    const unsigned char* bytes() const { return &r; }
};
static_assert(sizeof(pickCode) == 3, "a pick code is three bytes");
