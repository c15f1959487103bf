// The editors' first click handler: its tests in their fixed order.
#include "editor/editor_picking.h"

#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/editor_dialogs.h"
#include "editor/menu_editor_picking.h"
#include "editor/welcome.h"

namespace {

bool servingKey = false;

}  // namespace

bool uiEditorPicking(const unsigned char* pixel)
{
    const bool hover = gameSys.getHoverState();
    menuEditorPrePicking(pixel);
    if (welcomePicking(pixel)) return true;
    if (menuEditorItemPicking(pixel)) return true;
    if (gameSys.getDragState()) return false;
    if (editorDialogPicking(pixel)) return true;
    // The tests after this point act on clicks only.
    if (hover) return false;
    return menuEditorToolPicking(pixel);
}

bool uiEditorKeyPicking(int code)
{
    const pickCode pixel{static_cast<unsigned char>(code), pickControlMark, pickNoIndex};
    servingKey = true;
    const bool handled = uiEditorPicking(pixel.bytes());
    servingKey = false;
    return handled;
}

bool editorKeyEvent()
{
    return servingKey;
}
