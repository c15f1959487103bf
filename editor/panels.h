// Three picker panels of the world editor that share the image picker's
// frame: the logic-macro picker, the skybox face picker and the model
// picker. They only draw; what their clicks do belongs to the editors' click
// handlers.
#pragma once

// Drawn in the object mode while the macro picker is open.
void renderTemplateMenu();
// Drawn while the skybox picker is open: the current map's six faces.
void renderSkyboxMenu();
// Drawn while the model picker is open: the object's model in the object
// mode, the model of the rule being edited in the object logic editor, and
// no model in any other mode.
void renderModelMenu();
