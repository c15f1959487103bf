// The editors' first click handler: its tests in their fixed order.
#include "editor/editor_picking.h"

#include "editor/menu_editor_picking.h"
#include "editor/welcome.h"

bool uiEditorPicking(const unsigned char* pixel)
{
    menuEditorPrePicking(pixel);
    if (welcomePicking(pixel)) return true;
    if (menuEditorItemPicking(pixel)) return true;
    return menuEditorToolPicking(pixel);
}
