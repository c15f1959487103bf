// The image picker panels: pages of up to 60 images, ten to a row, with
// buttons to move a row back or on and to close the panel. The world editor's
// picker shows the game images, the menu editor's the menu images. They only
// draw; what their clicks do belongs to the editors' click handlers.
#pragma once

// Drawn while the editor's image menu timer is positive.
void renderEditorImageMenu();
void renderUIEditorImageMenu();

// The last row a page of the picker may start at for a table of `count`
// images: the row from which six rows reach the end of the table (0 for a
// table of 60 images or fewer).
int imageMenuLastRow(int count);
// Opens the picker of the current editor (the menu editor's in its game
// state, the world editor's otherwise), its row brought back to the last
// page when it lies past it.
void openImageMenu();
