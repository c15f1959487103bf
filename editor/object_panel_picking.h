// The object panel's clicks: image, model, layer and macro menus, size,
// obstruction box, solid flag, type, rotation, label and deleting the
// selected objects. The entry point, gameEditorObjectPicking, is declared
// with the other panels' in editor/panel_picking.h; here are the object
// reads and writes the image picker shares.
#pragma once

// The fields of an object that the world reads and writes together.
struct objectFields {
    float x = 0, y = 0, z = 0;
    float size[3] = {0, 0, 0};  // width, height, depth
    int tex = 0;
    int layer = 0;
};

// Reads object o of the current map; false, with `fields` untouched, when o
// names no object of it.
bool readObject(int o, objectFields& fields);
// Writes all fields back to object o of the current map; an object that is
// none is left alone (the world would append one).
void writeObject(int o, const objectFields& fields);
// Sets the image (the model, for a model object) of object o of the current map.
void setObjectImage(int o, int image);
