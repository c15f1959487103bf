// The image picker panels: pages of up to 60 images, ten to a row, with
// buttons to move a row back or on and to close the panel. The world editor's
// picker shows the game images, the menu editor's the menu images. They
// draw; what a click on a cell does belongs to the editors' click handlers,
// which step the row through stepImageMenuRow.
#pragma once
#include <vector>

class img;

// Drawn while the editor's image menu timer is positive.
void renderEditorImageMenu();
void renderUIEditorImageMenu();

// One page of a picker: the indices of the images it shows, in index order,
// and whether it is full, which offers the next row.
struct imagePage {
    std::vector<int> images;
    bool full = false;
};
// The page at `row` of the first `count` slots of `table`. A row counts ten
// present images: the page shows the 60 present images that follow the first
// row x 10 of them. Empty slots (the unfilled part of the game image table
// before the game's own images) take no cell and end no page.
imagePage imagePickerPage(const std::vector<img>& table, int count, int row);
// The last row of the current editor's picker: the row after the last full
// page (0 while the images fit on one page that is not full).
int imageMenuLastRow();
// Moves the current editor's picker one row back (-1) or on (1), with the
// select sound, while the row stays within 0 and the last row.
void stepImageMenuRow(int delta);
// Opens the picker of the current editor (the menu editor's in its game
// state, the world editor's otherwise), its row brought back to the last
// page when it lies past it.
void openImageMenu();
