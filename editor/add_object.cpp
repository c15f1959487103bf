// The world editor's "add object".
#include "editor/add_object.h"

#include "core/camera.h"
#include "editor/editor.h"
#include "media/sound.h"
#include "world/map_reader.h"
#include "world/world.h"

namespace {

// The editor camera looks along its z axis, the map's y: the new object
// stands this far ahead of it, at this height.
constexpr float newObjectAhead = 25.0f;
constexpr float newObjectHeight = 0.5f;
constexpr float newObjectSize = 1.0f;
constexpr int newObjectImage = 1;
constexpr int newObjectLayer = 0;

}  // namespace

void addObject()
{
    const int m = world.getCurrentMap();
    const int n = world.worldGetObjectCount(m);  // the new object's index
    if (n < 0) return;  // no map to add to
    if (n >= mapReaderMaxObjects) {
        noticeObjectLimit();
        return;
    }
    float cx = 0, cy = 0, cz = 0;
    camera.GetPos(cx, cy, cz);
    if (worldEditor.getObjectListAmount() > 0) worldEditor.resetObjectList();
    world.worldSetObject(cx, cz + newObjectAhead, newObjectHeight, newObjectSize, newObjectSize, newObjectSize,
                         newObjectImage, newObjectLayer, n, m);
    playSystemSound(sysSoundBoop, 0);
    worldEditor.setCurrentObject(n);
    worldEditor.setEditorMode(editorModeObject);
}
