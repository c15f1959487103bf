// The editors' first click handler: its tests in their fixed order.
#include "editor/editor_picking.h"

#include "editor/welcome.h"

bool uiEditorPicking(const unsigned char* pixel)
{
    return welcomePicking(pixel);
}
