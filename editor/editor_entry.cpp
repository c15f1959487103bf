// Entering the world editor's screen.
#include "editor/editor_entry.h"

#include "editor/editor.h"
#include "menus/ui.h"
#include "menus/ui_loader.h"

namespace {

constexpr int welcomeTimerShown = 1;

}  // namespace

void editGame()
{
    loadMenu(gameUI.getEditorMenu());
    worldEditor.setCurrentTip(0);
    worldEditor.setEditorMode(editorModeNone);
    worldEditor.setHelpMenu(0);
    worldEditor.setWelcome(welcomeTimerShown, welcomeMenuWorldEditor);
}
