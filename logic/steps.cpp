// The step vocabulary as data: one row per step id of each family, with its
// word, value kind and the context in which the logic editor offers it.
#include "logic/steps.h"

#include "editor/editor.h"
#include "logic/step_table.h"
#include "world/world.h"

namespace {

enum stepShown {
    shownAlways,
    shownNever,
    shownLocalOnly,            // not in the map (global) logic editor
    shownNotWithGlobalScore,   // not after condition 126 or 127
    shownOnlyWithGlobalScore,  // only after condition 126 or 127
};

struct stepRow {
    const char* word;
    int kind;
    int shown;
};

constexpr const char* hiddenWord = "SKIP";
constexpr const char* noStepWord = "NULL";

const stepRow conditionRows[] = {
    {"When object", stepTypeObject, shownAlways},              // 100
    {"While object", stepTypeObject, shownAlways},             // 101
    {"When win", stepTypeNoSubject, shownAlways},              // 102
    {"When lose", stepTypeNoSubject, shownAlways},             // 103
    {"Up pressed", stepTypeNoSubject, shownAlways},            // 104
    {"Down pressed", stepTypeNoSubject, shownAlways},          // 105
    {"Left pressed", stepTypeNoSubject, shownAlways},          // 106
    {"Right pressed", stepTypeNoSubject, shownAlways},         // 107
    {"Spacebar pressed", stepTypeNoSubject, shownAlways},      // 108
    {"Enter pressed", stepTypeNoSubject, shownAlways},         // 109
    {"Arrow pressed", stepTypeNoSubject, shownAlways},         // 110
    {"Key pressed", stepTypeLetter, shownAlways},              // 111
    {"Up released", stepTypeNoSubject, shownAlways},           // 112
    {"Down released", stepTypeNoSubject, shownAlways},         // 113
    {"Left released", stepTypeNoSubject, shownAlways},         // 114
    {"Right released", stepTypeNoSubject, shownAlways},        // 115
    {"Space released", stepTypeNoSubject, shownAlways},        // 116
    {"Enter released", stepTypeNoSubject, shownAlways},        // 117
    {"Arrows released", stepTypeNoSubject, shownAlways},       // 118
    {"Key released", stepTypeLetter, shownAlways},             // 119
    {hiddenWord, stepTypeNumber, shownNever},                  // 120
    {hiddenWord, stepTypeNumber, shownNever},                  // 121
    {hiddenWord, stepTypeNumber, shownNever},                  // 122
    {hiddenWord, stepTypeNumber, shownNever},                  // 123
    {hiddenWord, stepTypeNumber, shownNever},                  // 124
    {hiddenWord, stepTypeNumber, shownNever},                  // 125
    {"When global score", stepTypeGlobalScore, shownAlways},   // 126
    {"While global score", stepTypeGlobalScore, shownAlways},  // 127
    {"Do once", stepTypeNoSubject, shownAlways},               // 128
    {"Repeatedly do", stepTypeNoSubject, shownAlways},         // 129
    {hiddenWord, stepTypeHiddenNumber, shownNever},            // 130
    {hiddenWord, stepTypeHiddenNumber, shownNever},            // 131
    {"Every seconds", stepTypeNumber, shownAlways},            // 132
    {"Every milliseconds", stepTypeNumber, shownAlways},       // 133
    {"Left click", stepTypeNoSubject, shownAlways},            // 134
    {"Right click", stepTypeNoSubject, shownAlways},           // 135
    {"Left click released", stepTypeNoSubject, shownAlways},   // 136
    {"Right click released", stepTypeNoSubject, shownAlways},  // 137
};

const stepRow isRows[] = {
    {"is", stepTypeNone, shownAlways},      // 300
    {"is not", stepTypeNone, shownAlways},  // 301
};

const stepRow predicateRows[] = {
    {"touching", stepTypeObject, shownNotWithGlobalScore},                  // 400
    {"touching top", stepTypeObject, shownNotWithGlobalScore},              // 401
    {"touching bottom", stepTypeObject, shownNotWithGlobalScore},           // 402
    {"touching left", stepTypeObject, shownNotWithGlobalScore},             // 403
    {"touching right", stepTypeObject, shownNotWithGlobalScore},            // 404
    {"any touch", stepTypeNone, shownNotWithGlobalScore},                   // 405
    {"top any touch", stepTypeNone, shownNotWithGlobalScore},               // 406
    {"bottom any touch", stepTypeNone, shownNotWithGlobalScore},            // 407
    {"left any touch", stepTypeNone, shownNotWithGlobalScore},              // 408
    {"right any touch", stepTypeNone, shownNotWithGlobalScore},             // 409
    {hiddenWord, stepTypeObject, shownNever},                               // 410
    {"alive", stepTypeNone, shownNotWithGlobalScore},                       // 411
    {"dead", stepTypeNone, shownNotWithGlobalScore},                        // 412
    {"visible", stepTypeNone, shownNotWithGlobalScore},                     // 413
    {"invisible", stepTypeNone, shownNotWithGlobalScore},                   // 414
    {hiddenWord, stepTypeHiddenNumber, shownNever},                         // 415
    {hiddenWord, stepTypeHiddenNumber, shownNever},                         // 416
    {"score more than", stepTypeNumber, shownNotWithGlobalScore},           // 417
    {"score less than", stepTypeNumber, shownNotWithGlobalScore},           // 418
    {"score equal to", stepTypeNumber, shownNotWithGlobalScore},            // 419
    {"score greater than obj", stepTypeObject, shownNotWithGlobalScore},    // 420
    {"score less than obj", stepTypeObject, shownNotWithGlobalScore},       // 421
    {"score equal to obj", stepTypeObject, shownNotWithGlobalScore},        // 422
    {"score greater than gbl", stepTypeGlobalScore, shownNotWithGlobalScore},  // 423
    {"score less than gbl", stepTypeGlobalScore, shownNotWithGlobalScore},  // 424
    {"score equal to gbl", stepTypeGlobalScore, shownNotWithGlobalScore},   // 425
    {"greater than", stepTypeNumber, shownOnlyWithGlobalScore},             // 426
    {"less than", stepTypeNumber, shownOnlyWithGlobalScore},                // 427
    {"equal to", stepTypeNumber, shownOnlyWithGlobalScore},                 // 428
    {"greater than gbl", stepTypeGlobalScore, shownOnlyWithGlobalScore},    // 429
    {"less than gbl", stepTypeGlobalScore, shownOnlyWithGlobalScore},       // 430
    {"equal to gbl", stepTypeGlobalScore, shownOnlyWithGlobalScore},        // 431
    {"greater than obj", stepTypeObject, shownOnlyWithGlobalScore},         // 432
    {"less than obj", stepTypeObject, shownOnlyWithGlobalScore},            // 433
    {"equal to obj", stepTypeObject, shownOnlyWithGlobalScore},             // 434
    {"L. Clicked", stepTypeNone, shownNotWithGlobalScore},                  // 435
    {"R. Clicked", stepTypeNone, shownNotWithGlobalScore},                  // 436
    {"L. Released", stepTypeNone, shownNotWithGlobalScore},                 // 437
    {"R. Released", stepTypeNone, shownNotWithGlobalScore},                 // 438
    {"touching terrain", stepTypeNone, shownNotWithGlobalScore},            // 439
};

const stepRow thenRows[] = {
    {"then", stepTypeNone, shownAlways},  // 600
};

const stepRow actionRows[] = {
    {"and", stepTypeNone, shownAlways},                          // 700
    {"game win", stepTypeNone, shownAlways},                     // 701
    {"game lose", stepTypeNone, shownAlways},                    // 702
    {"display image", stepTypeImage, shownAlways},               // 703
    {"remove img", stepTypeNone, shownAlways},                   // 704
    {"display phrase", stepTypePhrase, shownAlways},             // 705
    {"remove phrase", stepTypeNone, shownAlways},                // 706
    {"display phrase on obj", stepTypePhrase, shownAlways},      // 707
    {"display gbl score on obj", stepTypeGlobalScore, shownAlways},  // 708
    {"display obj score on obj", stepTypeObject, shownAlways},   // 709
    {"phrase above obj", stepTypePhrase, shownLocalOnly},        // 710
    {"display object score", stepTypeObject, shownLocalOnly},    // 711
    {"display global score", stepTypeGlobalScore, shownLocalOnly},  // 712
    {"kill object", stepTypeObject, shownAlways},                // 713
    {"revive object", stepTypeObject, shownAlways},              // 714
    {"move object up", stepTypeObject, shownAlways},             // 715
    {"move object down", stepTypeObject, shownAlways},           // 716
    {"move object left", stepTypeObject, shownAlways},           // 717
    {"move object right", stepTypeObject, shownAlways},          // 718
    {"move object forward", stepTypeObject, shownAlways},        // 719
    {"move object backwards", stepTypeObject, shownAlways},      // 720
    {"hide object", stepTypeObject, shownAlways},                // 721
    {"show object", stepTypeObject, shownAlways},                // 722
    {"object solid", stepTypeObject, shownAlways},               // 723
    {"object unsolid", stepTypeObject, shownAlways},             // 724
    {"spawn object up", stepTypeObject, shownAlways},            // 725
    {"spawn object down", stepTypeObject, shownAlways},          // 726
    {"spawn object left", stepTypeObject, shownAlways},          // 727
    {"spawn object right", stepTypeObject, shownAlways},         // 728
    {"spawn object forwards", stepTypeObject, shownAlways},      // 729
    {"spawn object backwards", stepTypeObject, shownAlways},     // 730
    {"spawn object to mouse", stepTypeObject, shownAlways},      // 731
    {"spawn obj on obj", stepTypeObject, shownAlways},           // 732
    {"change object image", stepTypeImage, shownLocalOnly},      // 733 (model objects: see below)
    {"seek object", stepTypeObject, shownLocalOnly},             // 734
    {"reset logic", stepTypeObject, shownAlways},                // 735
    {"third person update", stepTypeObject, shownAlways},        // 736
    {"first person update", stepTypeObject, shownAlways},        // 737
    {"third person view", stepTypeNone, shownAlways},            // 738
    {"first person view", stepTypeNone, shownAlways},            // 739
    {"overhead view update", stepTypeObject, shownAlways},       // 740
    {"overhead view", stepTypeNone, shownAlways},                // 741
    {"enable freelook", stepTypeNone, shownAlways},              // 742
    {"disable freelook", stepTypeNone, shownAlways},             // 743
    {"play sound", stepTypeSound, shownAlways},                  // 744
    {"play loop sound", stepTypeSound, shownAlways},             // 745
    {"stop sound", stepTypeSound, shownAlways},                  // 746
    {"stop all sounds", stepTypeNone, shownAlways},              // 747
    {hiddenWord, stepTypeHiddenNumber, shownNever},              // 748
    {hiddenWord, stepTypeHiddenNumber, shownNever},              // 749
    {hiddenWord, stepTypeHiddenNumber, shownNever},              // 750
    {hiddenWord, stepTypeNone, shownNever},                      // 751
    {"add to self score by", stepTypeNumber, shownLocalOnly},    // 752
    {"sub from self score by", stepTypeNumber, shownLocalOnly},  // 753
    {"set self score to", stepTypeNumber, shownLocalOnly},       // 754
    {"add obj rand", stepTypeNumber, shownLocalOnly},            // 755
    {"sub obj rand", stepTypeNumber, shownLocalOnly},            // 756
    {"set obj rand", stepTypeNumber, shownLocalOnly},            // 757
    {"add self score by obj", stepTypeObject, shownLocalOnly},   // 758
    {"sub self score by obj", stepTypeObject, shownLocalOnly},   // 759
    {"set self score by obj", stepTypeObject, shownLocalOnly},   // 760
    {"add object score by 1", stepTypeObject, shownAlways},      // 761
    {"sub object score by 1", stepTypeObject, shownAlways},      // 762
    {"set object score to 0", stepTypeObject, shownAlways},      // 763
    {"add 1 to global score", stepTypeGlobalScore, shownAlways},    // 764
    {"sub 1 from global score", stepTypeGlobalScore, shownAlways},  // 765
    {"reset global score", stepTypeGlobalScore, shownAlways},    // 766
    {"obj to gbl score", stepTypeGlobalScore, shownLocalOnly},   // 767
    {"obj to obj score", stepTypeObject, shownLocalOnly},        // 768
    {"gbl to obj score", stepTypeGlobalScore, shownLocalOnly},   // 769
    {"goto map", stepTypeMap, shownAlways},                      // 770
    {"goto map obj score", stepTypeObject, shownAlways},         // 771
    {"goto map gbl score", stepTypeGlobalScore, shownAlways},    // 772
    {"end game", stepTypeNone, shownAlways},                     // 773
    {hiddenWord, stepTypeNone, shownNever},                      // 774
    {hiddenWord, stepTypeObject, shownNever},                    // 775
    {hiddenWord, stepTypeHiddenNumber, shownNever},              // 776
    {hiddenWord, stepTypeHiddenNumber, shownNever},              // 777
    {hiddenWord, stepTypeHiddenNumber, shownNever},              // 778
    {hiddenWord, stepTypeHiddenNumber, shownNever},              // 779
    {hiddenWord, stepTypeHiddenNumber, shownNever},              // 780
    {hiddenWord, stepTypeHiddenNumber, shownNever},              // 781
    {"allow input", stepTypeNone, shownAlways},                  // 782
    {"disallow input", stepTypeNone, shownAlways},               // 783
    {"enable up arrow", stepTypeNone, shownAlways},              // 784
    {"enable down arrow", stepTypeNone, shownAlways},            // 785
    {"enable left arrow", stepTypeNone, shownAlways},            // 786
    {"enable right arrow", stepTypeNone, shownAlways},           // 787
    {"enable all arrow keys", stepTypeNone, shownAlways},        // 788
    {"enable space bar", stepTypeNone, shownAlways},             // 789
    {"enable enter", stepTypeNone, shownAlways},                 // 790
    {"enable key", stepTypeLetter, shownAlways},                 // 791
    {"disable up arrow", stepTypeNone, shownAlways},             // 792
    {"disable down arrow", stepTypeNone, shownAlways},           // 793
    {"disable left arrow", stepTypeNone, shownAlways},           // 794
    {"disable right arrow", stepTypeNone, shownAlways},          // 795
    {"disable all arrow keys", stepTypeNone, shownAlways},       // 796
    {"disable space bar", stepTypeNone, shownAlways},            // 797
    {"disable enter", stepTypeNone, shownAlways},                // 798
    {"disable key", stepTypeLetter, shownAlways},                // 799
    {"show mouse pointer", stepTypeNone, shownAlways},           // 800
    {"hide mouse pointer", stepTypeNone, shownAlways},           // 801
    {"change object model", stepTypeImage, shownLocalOnly},      // 802
};

const stepFamily<stepRow> families[] = {
    family(stepWhenObject, conditionRows), family(stepIs, isRows),
    family(stepTouching, predicateRows), family(stepThen, thenRows),
    family(stepAnd, actionRows),
};

const stepRow blankRow = {"", stepTypeNone, shownAlways};

// The row of a step id, or null when the id is no step.
const stepRow* findStep(int id)
{
    if (id == stepBlank) return &blankRow;
    return findInFamilies(families, id);
}

bool isGlobalScoreCondition(int id)
{
    return id == stepWhenGlobalScore || id == stepWhileGlobalScore;
}

constexpr int alphabetLetters = 26;

}  // namespace

bool selectedObjectIsModel()
{
    const int type = world.worldGetObjectType(worldEditor.getCurrentObject(), world.getCurrentMap());
    return type == objectTypeModel;
}

std::string stepIDToString(int id, int firstid)
{
    const bool local = worldEditor.getEditorMode() != editorModeMapLogic;
    const stepRow* row = findStep(id);
    if (!row) return noStepWord;
    switch (row->shown) {
    case shownNever:
        return hiddenWord;
    case shownLocalOnly:
        if (!local) return hiddenWord;
        break;
    case shownNotWithGlobalScore:
        if (isGlobalScoreCondition(firstid)) return hiddenWord;
        break;
    case shownOnlyWithGlobalScore:
        if (!isGlobalScoreCondition(firstid)) return hiddenWord;
        break;
    default:
        break;
    }
    if (id == stepChangeObjectImage && selectedObjectIsModel()) return "change object model";
    return row->word;
}

int checkStepType(int id)
{
    const stepRow* row = findStep(id);
    if (!row) return stepTypeNone;
    if (id == stepChangeObjectImage && selectedObjectIsModel()) return stepTypeModel;
    return row->kind;
}

std::string intToAlpha(int character)
{
    if (character < 0 || character >= alphabetLetters) return noStepWord;
    return std::string(1, static_cast<char>('a' + character));
}
