// The help lines of every step, as data: one table per step family, indexed
// from the family's first id like the vocabulary itself.
#include "logic/step_help.h"

#include "logic/step_table.h"
#include "logic/steps.h"

namespace {

struct stepHelp {
    const char* line1;
    const char* line2;
};

// Lines that many steps share.
constexpr const char* noAndChain = "This cannot be partnered with an ^yand^w statement.";
constexpr const char* fasterMoveTip = "^yTip:^w Use multiples of this logic command to increase movement speed.";

const stepHelp blankHelp = {"This space intentionally left blank.", ""};

const stepHelp conditionHelp[] = {
    {"When an object... (will execute once unless the reset logic action is used)", ""},  // 100
    {"While an object... (will execute repeatedly when the requirements are met)", ""},  // 101
    {"When the game win action is set, this rule will execute. This will happen repeatedly",  // 102
     "while the victory condition is held."},
    {"When the game lose action is set, this rule will execute. This will happen repeatedly",  // 103
     "while the defeat condition isn held."},
    {"When the up arrow key is pressed/held this action will execute.", noAndChain},  // 104
    {"When the down arrow key is pressed/held this action will execute.", noAndChain},  // 105
    {"When the left arrow key is pressed/held this action will execute.", noAndChain},  // 106
    {"When the right arrow key is pressed/held this action will execute.", noAndChain},  // 107
    {"When the space bar is pressed/held this action will execute.", noAndChain},  // 108
    {"When the enter key is pressed/held this action will execute.", noAndChain},  // 109
    {"When an arrow key is pressed/held this action will execute.", noAndChain},  // 110
    {"When this key is pressed/held this action will execute.", noAndChain},  // 111
    {"When the up arrow key is released this action will execute.", noAndChain},  // 112
    {"When the down arrow key is released this action will execute.", noAndChain},  // 113
    {"When the left arrow key is released this action will execute.", noAndChain},  // 114
    {"When the right arrow key is released this action will execute.", noAndChain},  // 115
    {"When the space bar is released this action will execute.", noAndChain},  // 116
    {"When the enter key is released this action will execute.", noAndChain},  // 117
    {"When an arrow key is released this action will execute.", noAndChain},  // 118
    {"When this key is released this action will execute.", noAndChain},  // 119
    {"When the game score is equal to the specified", "value, then the action will execute once."},  // 120
    {"When the game score is less than the specified", "value, then the action will execute once."},  // 121
    {"When the game score is more than the specified", "value, then the action will execute once."},  // 122
    {"While the game score is equal to the specified", "value, the action will repeatedly execute."},  // 123
    {"While the game score is less to the specified", "value, the action will repeatedly execute."},  // 124
    {"While the game score is more than the specified", "value, the action will repeatedly execute."},  // 125
    {"When the global score... (Value refers to the global score id, not its value)",  // 126
     "This action is performed once, and can be reset using the reset logic action)"},
    {"While the global score... (Value refers to the global score id, not its value)",  // 127
     "This action is performed repeatedly while the constraints are fulfilled."},
    {"This action will be performed once. It can be reset using the reset logic action.", ""},  // 128
    {"This action will be repeatedly performed.", ""},  // 129
    {"", ""},  // 130
    {"", ""},  // 131
    {"Every time this many seconds passes, the action will be executed.", ""},  // 132
    {"Every time this many milliseconds pass, this action will be executed.", ""},  // 133
    {"When the left mouse button is clicked, this action will be executed.", noAndChain},  // 134
    {"When the right mouse button is clicked, this action will be executed.", noAndChain},  // 135
    {"When the left mouse button is released, this action will be executed.", noAndChain},  // 136
    {"When the right mouse button is released, this action will be executed.", noAndChain},  // 137
};

const stepHelp isHelp[] = {
    {"When an equality is found in this statement, the action", "will execute."},  // 300
    {"When an inequality is found in this statement, the action", "will execute."},  // 301
};

const stepHelp predicateHelp[] = {
    {"When the next specified object is touching the previously specified object",  // 400
     "from earlier in this sentence. (Objects must be on same layer)"},
    {"When this object's top-side is touching the next specified object, the",  // 401
     "action will execute. (Objects must be on same layer)"},
    {"When this object's bottom-side is touching the next specified object, the",  // 402
     "action will execute. (Objects must be on same layer)"},
    {"When this object's left-side is touching the next specified object, the",  // 403
     "action will execute. (Objects must be on same layer)"},
    {"When this object's right-side is touching the next specified object, the",  // 404
     "action will execute. (Objects must be on same layer)"},
    {"When this object is touching any other object, the action will be executed.",  // 405
     "(Objects must be on same layer)"},
    {"When this object's top is touching any other object, the action will",  // 406
     "be executed. (Objects must be on same layer)"},
    {"When this object's bottom is touching any other object, the action will",  // 407
     "be executed. (Objects must be on same layer)"},
    {"When this object's left-side is touching any other object, the action will",  // 408
     "be executed. (Objects must be on same layer)"},
    {"When this object's right-side is touching any other object, the action will",  // 409
     "be executed. (Objects must be on same layer)"},
    {"When the next specified object is not touching the previously specified object",  // 410
     "from earlier in the sentence. (Objects must be on same layer)"},
    {"When the object is alive, the action will execute. (Objects are alive by", "default)"},  // 411
    {"When the object is dead, the action will execute.", ""},  // 412
    {"When the object is visible, the action will execute. (Objects are visible", "by default)"},  // 413
    {"When the object is hidden, the action will execute.", ""},  // 414
    {"", ""},  // 415
    {"", ""},  // 416
    {"When this objects individual score is greater than the next specified",  // 417
     "amount, the action will execute."},
    {"When this objects individual score is less than the next specified", "amount, the action will execute."},  // 418
    {"When this objects individual score is equal to the next specified", "amount, the action will execute."},  // 419
    {"When this objects individual score is greater than the score of",  // 420
     "the next specified object, the action will execute."},
    {"When this objects individual score is less than the score of the",  // 421
     "next specified object, the action will execute."},
    {"When this objects individual score is equal to the score of the",  // 422
     "next specified object, the action will execute."},
    {"When this objects score is greater than the value of the specified",  // 423
     "global score, the action will execute."},
    {"When this objects score is less than the value of the specified",  // 424
     "global score, the action will execute."},
    {"When this objects score is equal to the value of the specified",  // 425
     "global score, the action will execute."},
    {"When the specified global score is greater than the next specified", "amount, the action will execute."},  // 426
    {"When the specified global score is less than the next specified", "amount, the action will execute."},  // 427
    {"When the specified global score is equal to the next specified", "amount, the action will execute."},  // 428
    {"When the specified global score is greater than the next specified",  // 429
     "global score, the action will execute."},
    {"When the specified global score is less than the next specified",  // 430
     "global score, the action will execute."},
    {"When the specified global score is equal to the next specified",  // 431
     "global score, the action will execute."},
    {"When the specified global score is greater than the next specified",  // 432
     "object's score, the action will execute."},
    {"When the specified global score is less than the next specified",  // 433
     "object's score, the action will execute."},
    {"When the specified global score is equal to the next specified",  // 434
     "object's score, the action will execute."},
    {"When this object is left clicked, the action will proceed.", ""},  // 435
    {"When this object is right clicked, the action will proceed.", ""},  // 436
    {"When the left mouse button is released over this object, the action will", "proceed."},  // 437
    {"When the right mouse button is released over this object, the action will", "proceed."},  // 438
    {"When the previously specified object is touching terrain, the action will", "be executed."},  // 439
};

const stepHelp thenHelp[] = {
    {"Then...", ""},  // 600
};

const stepHelp actionHelp[] = {
    {"Connects the constraints of subsequent sentences.  Will not function with",  // 700
     "any form of input constraint (such as Up Pressed)."},
    {"Set the game state to victory.", "^yNote:^w Use additional logic such as ^yWhen win^w in conjunction."},  // 701
    {"Set the game state to defeat.", "^yNote:^w Use additional logic such as ^yWhen lose^w in conjunction."},  // 702
    {"Display an image that will cover the screen. It is dismissable by using the keyboard",  // 703
     "or by clicking the mouse."},
    {"Removes an image that is covering the screen. You can use this",  // 704
     "in conjunction with the ^ydisplay image^w action."},
    {"Display a pre-written phrase on the screen to the user in the form of a",  // 705
     "textbox. Use the phrase editor at the bottom of this menu to set them."},
    {"Removes a phrase textbox that is currently being displayed.",  // 706
     "Use in conjunction with ^ydisplay phrase^w action"},
    {"Displays a phrase directly on this object's location.", ""},  // 707
    {"Displays a global score directly on this object's location.", ""},  // 708
    {"Displays an object's score directly on this object's location.", ""},  // 709
    {"Display a pre-written phrase above this object. Use the phrase editor",  // 710
     "at the bottom of this menu to set them."},
    {"Displays the specified object's score above this object.",  // 711
     "(The object name and score will be displayed)"},
    {"Displays the specified global score above this object.",  // 712
     "(The value refers to the global score id, and not its actual value)"},
    {"Set an object to it's dead state.",  // 713
     "^yNote:^w Use additional logic such as ^yWhen object is dead^w in conjunction."},
    {"Set an object to it's alive state.",  // 714
     "^yNote:^w Use additional logic such as ^yWhen object is alive^w in conjunction."},
    {"Move the specified object upwards.", fasterMoveTip},  // 715
    {"Move the specified object downwards.", fasterMoveTip},  // 716
    {"Move the specified object to the left.", fasterMoveTip},  // 717
    {"Move the specified object to the right.", fasterMoveTip},  // 718
    {"Move the specified object forward.", fasterMoveTip},  // 719
    {"Move the specified object backwards.", fasterMoveTip},  // 720
    {"Hide the specified object. (It will be invisible)", ""},  // 721
    {"Unhide the specified object. (It will be visible)",  // 722
     "^yNote:^w This is the default state for all objects."},
    {"Make the specified object solid. (Objects will not be able to pass through it)", ""},  // 723
    {"Make the specified object unsolid. (Objects will be able to pass through it)", ""},  // 724
    {"Spawn the specified object above this object.", ""},  // 725
    {"Spawn the specified object below this object.", ""},  // 726
    {"Spawn the specified object to the left of this object.", ""},  // 727
    {"Spawn the specified object to the right of this object.", ""},  // 728
    {"Spawn the specified object in front of this object.", ""},  // 729
    {"Spawn the specified object behind this object.", ""},  // 730
    {"Spawns an object to the current mouse position.", "^yNote:^w Following value refers to object."},  // 731
    {"Spawns an object directly on top of another object.",  // 732
     "^yNote:^w The designated object spawns on preceding object."},
    {"Change the image of this object to the specified image.", ""},  // 733
    {"Have this object seek the specified object.", ""},  // 734
    {"Resets the game logic for this object. This will make the object as though",  // 735
     "it was from the beginning of the game in terms of action execution."},
    {"Center the camera on the specified object.",  // 736
     "^yTip:^w Repeatedly perform this action to keep the camera focused on an object."},
    {"Update the first person view camera.",  // 737
     "^yTip^w: Call this repeatedly to have a smoothe first person camera."},
    {"Set the camera to the ^yThird Person View^w. Use the ^yThird Person Update^w action",  // 738
     "to update the camera."},
    {"Set the camera to the ^yFirst Person View^w. Use the ^yFirst Person Update^w action",  // 739
     "to update the camera."},
    {"Update the ^yOverhead View^w.", ""},  // 740
    {"Set the camera to the ^yOverhead View^w. Use the ^yOverhead View Update^w action",  // 741
     "to update the camera."},
    {"Enable freelook mode. In this mode, the mouse may move the screen just",  // 742
     "like in the game world editor."},
    {"Disable mouse freelook mode.", "^yNote:^w This is the default state."},  // 743
    {"Plays the specified sound. (Non-looped)", ""},  // 744
    {"Plays the specified sound. (Looped)", ""},  // 745
    {"Stops the specified sound while it's playing.", ""},  // 746
    {"Stops all currently playing sounds. Useful for when you want to switch",  // 747
     "music, or to a radically different set of sounds in your game."},
    {"Sets the game score to a specific value.", ""},  // 748
    {"Add the specified amount to the game score.", ""},  // 749
    {"Subtract the specified amount from the game score.", ""},  // 750
    {"Sets the game score to 0 and hides it from view.", ""},  // 751
    {"Add the specified amount to this object's score.", ""},  // 752
    {"Subtract the specified amount from this object's score.", ""},  // 753
    {"Set this objects score to the specified amount.", ""},  // 754
    {"Add a random number to the previously specified object's score.",  // 755
     "^yNote:^w Next value represents the max random value. (0 to MAX)"},
    {"Subtract a random number from the previously specified object's score.",  // 756
     "^yNote:^w Next value represents the max random value. (0 to MAX)"},
    {"Set the previously specified object's score to a random number.",  // 757
     "^yNote:^w Next value represents the max random value. (0 to MAX)"},
    {"Add the specified object's score to this object's score.", ""},  // 758
    {"Subtract the specified object's score from this object's score.", ""},  // 759
    {"Set this object's score to the specified object's score.", ""},  // 760
    {"Add one to the specified object's score.", ""},  // 761
    {"Subtract one from the specified object's score.", ""},  // 762
    {"Set the specified object's score to zero.", ""},  // 763
    {"Add 1 to the specified global score.",  // 764
     "^yNote:^w The next value refers to the global score ID, not it's value."},
    {"Subtract 1 from the specified global score.",  // 765
     "^yNote:^w The next value refers to the global score ID, not it's value."},
    {"Reset the specified global score to zero.",  // 766
     "^yNote:^w The next value refers to the global score ID, not it's value."},
    {"Copys the previously specified object's score to the next", "specified global score."},  // 767
    {"Copys the previously specified object's score to the next", "specified object's score."},  // 768
    {"Copys the next specified global score to the previously", "specified object's score."},  // 769
    {"Sends the player to the specified map.", ""},  // 770
    {"Sends the player to the map of the specified objects score.", ""},  // 771
    {"Sends the player to the map of the specified global score.", ""},  // 772
    {"Quit the game, and return to the game's main menu.", ""},  // 773
    {"Terminate Quorvane", ""},  // 774
    {"", ""},  // 775
    {"", ""},  // 776
    {"", ""},  // 777
    {"", ""},  // 778
    {"", ""},  // 779
    {"", ""},  // 780
    {"", ""},  // 781
    {"Allow all input.", "^yNote:^w This refers to both mouse and keyboard input."},  // 782
    {"Disallow all keyboard input.", "^yNote:^w This refers to both mouse and keyboard input."},  // 783
    {"Allow up arrow input.", ""},  // 784
    {"Allow down arrow input.", ""},  // 785
    {"Allow left arrow input.", ""},  // 786
    {"Allow right arrow input.", ""},  // 787
    {"Allow arrow key input.", ""},  // 788
    {"Allow space bar input.", ""},  // 789
    {"Allow input from the enter key.", ""},  // 790
    {"Allow input from the specified key.", ""},  // 791
    {"Disable up arrow input.", ""},  // 792
    {"Disable down arrow input.", ""},  // 793
    {"Disable left arrow input.", ""},  // 794
    {"Disable right arrow input.", ""},  // 795
    {"Disable input from the arrow keys.", ""},  // 796
    {"Disable input from the space bar.", ""},  // 797
    {"Disable input from the enter key.", ""},  // 798
    {"Disable input from the specified key.", ""},  // 799
    {"Makes the mouse pointer visible. This is enabled by default.", ""},  // 800
    {"Makes the mouse pointer invisible.", ""},  // 801
    {"Change the model of this object to the specified model.", ""},  // 802
};

const stepFamily<stepHelp> families[] = {
    family(stepWhenObject, conditionHelp), family(stepIs, isHelp), family(stepTouching, predicateHelp),
    family(stepThen, thenHelp), family(stepAnd, actionHelp),
};

}  // namespace

void stepIDToDescription(int id, std::string& str1, std::string& str2)
{
    const stepHelp* help = id == stepBlank ? &blankHelp : findInFamilies(families, id);
    // Action 733 on a model object changes its model: the line of 802.
    if (id == stepChangeObjectImage && selectedObjectIsModel()) help = findInFamilies(families, stepChangeObjectModel);
    str1 = help ? help->line1 : "";
    str2 = help ? help->line2 : "";
}

