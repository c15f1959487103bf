// The world editor's keys and mouse edits: render layers, deleting objects,
// the object tool's height and rotation keys, the editor camera's keys, the
// arrows that move, resize and repaint the selection, the wheel that raises
// objects and tiles, and dragging objects over the ground. The keyboard and
// mouse routing call them in game state 5.
#pragma once

// A character key in the normal input state, before the key goes on by input
// state. True when the key closed the logic editor's word list and goes no further.
bool worldEditorKeyboard(unsigned char key);
// A character key handed to the normal input state.
void worldEditorNormalKeyboard(unsigned char key);
// A special key while the console is closed.
void worldEditorSpecialKeys(int key);

// A wheel event (GLUT button 3 or 4, down or up); true when the event ends here.
bool worldEditorWheel(int button, int state);
// A motion event with a button held, at window pixel (x, y), after the
// pointer positions were updated: drags the selected objects with the
// pointer. True when the event ends here (the pointer is over the panels).
bool worldEditorDrag(int x, int y);

// F9: the editor view's wire frame; F10: outlines of every object (world editor only).
void toggleEditorWireframe();
void toggleEditorObjectOutlines();
