// The menu system writer.
#include "editor/save_ui.h"

#include "core/file_write.h"
#include "core/log.h"
#include "core/script.h"
#include "editor/save_files.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "world/game_load.h"
#include "world/world.h"

namespace {

const char* const menuIdKeys[] = {"intromenu", "editormainmenu", "editormenu", "ingamemenu"};
const char* const scriptStringEnd = "end";
// The number keys of one script string, after its own key.
const char* const scriptStringFields[] = {"x", "y", "r", "g", "b", "string"};

std::string uiFileFor(const std::string& project)
{
    if (project == "mainui") return "system/ui.cfg";
    if (project == "ingameui") return "system/ingameui.cfg";
    return "games/" + project + "/system/ui.cfg";
}

void writeButtons(cfgText& out, int m)
{
    const int count = gameUI.menuGetButtonCount(m);
    for (int b = 0; b < count; ++b) {
        float x = 0, y = 0, w = 0, h = 0;
        int tex = 0, func = 0, func2 = 0;
        gameUI.uiGetButton(x, y, w, h, tex, func, func2, m, b);
        out.line("// Menu " + std::to_string(m) + " Button " + std::to_string(b));
        out.number({"menu", m, "button", b, "x"}, x);
        out.number({"menu", m, "button", b, "y"}, y);
        out.number({"menu", m, "button", b, "w"}, w);
        out.number({"menu", m, "button", b, "h"}, h);
        out.number({"menu", m, "button", b, "tex"}, tex);
        out.number({"menu", m, "button", b, "func"}, func);
        out.number({"menu", m, "button", b, "func2"}, func2);
    }
    out.line("// Menu " + std::to_string(m) + "Button " + std::to_string(count));
    out.text({"menu", m, "button", count}, "endButtonLoad");
}

void writeTextboxes(cfgText& out, int m)
{
    const int count = gameUI.menuGetTextboxCount(m);
    for (int t = 0; t < count; ++t) {
        float x = 0, y = 0, w = 0, h = 0;
        int text = 0;
        gameUI.uiGetTextbox(x, y, w, h, text, m, t);
        out.line("// Menu " + std::to_string(m) + " Textbox " + std::to_string(t));
        out.number({"menu", m, "textbox", t, "x"}, x);
        out.number({"menu", m, "textbox", t, "y"}, y);
        out.number({"menu", m, "textbox", t, "w"}, w);
        out.number({"menu", m, "textbox", t, "h"}, h);
        out.number({"menu", m, "textbox", t, "textnum"}, text);
        out.number({"menu", m, "textbox", t, "linkedbutton"}, gameUI.uiGetLinkedButton(t, m));
    }
    out.line("// Menu " + std::to_string(m) + "Textbox " + std::to_string(count));
    out.text({"menu", m, "textbox", count}, "endTextboxLoad");
}

void writeTextLines(cfgText& out, int m)
{
    const int count = gameUI.menuGetTextlineCount(m);
    for (int l = 0; l < count; ++l) {
        float x = 0, y = 0, r = 0, g = 0, b = 0;
        std::string text;
        gameUI.uiGetText(x, y, r, g, b, text, m, l);
        out.line("// Menu " + std::to_string(m) + " Textline " + std::to_string(l));
        out.number({"menu", m, "text", l, "x"}, x);
        out.number({"menu", m, "text", l, "y"}, y);
        out.number({"menu", m, "text", l, "r"}, r);
        out.number({"menu", m, "text", l, "g"}, g);
        out.number({"menu", m, "text", l, "b"}, b);
        out.text({"menu", m, "text", l, "string"}, text);
    }
    out.line("// Menu " + std::to_string(m) + " Textline " + std::to_string(count));
    out.text({"menu", m, "text", count}, "endTextLoad");
}

// Script string i of menu m is in the loaded file: its own key or a field.
bool scriptStringPresent(const std::string& key)
{
    if (scriptUI.hasKey(key)) return true;
    for (const char* field : scriptStringFields)
        if (scriptUI.hasKey(key + field)) return true;
    return false;
}

// The script strings of menu m as the loaded file held them (the menu model
// keeps none), closed by the end marker.
void writeScriptStrings(cfgText& out, int m)
{
    out.line("// Script Strings");
    int i = 0;
    for (;; ++i) {
        const std::string key = "menu" + std::to_string(m) + "string" + std::to_string(i);
        if (!scriptStringPresent(key) || scriptUI.findLineS(key) == scriptStringEnd) break;
        out.text({key}, scriptUI.findLineS(key));
        for (const char* field : scriptStringFields) {
            const std::string fieldKey = key + field;
            if (scriptUI.hasKey(fieldKey)) out.number({fieldKey}, scriptUI.findLineF(fieldKey));
        }
    }
    out.text({"menu", m, "string", i}, scriptStringEnd);
}

void writeMenu(cfgText& out, int m)
{
    out.line("// ***");
    out.line("// Menu " + std::to_string(m));
    out.line("// ***");
    out.line("");
    out.line("// Menu Background");
    out.number({"menu", m, "background"}, gameUI.getMenuBackgroundTex(m));
    out.line("");
    writeButtons(out, m);
    out.line("");
    writeTextboxes(out, m);
    out.line("");
    writeTextLines(out, m);
    out.line("");
    writeScriptStrings(out, m);
    out.line("");
}

}  // namespace

std::string uiFileText()
{
    cfgText out;
    out.line("// This file was created by the Quorvane application.");
    out.line("// Please do not change or edit anything in this file as it may");
    out.line("// cause errors when the UI is trying to be loaded.");
    out.line("");
    out.line("// Menu IDs");
    for (const char* key : menuIdKeys) out.number({key}, truncateNumber(scriptUI.findLineF(key)));
    writeAnimationLines(out, uiImage, gameUI.getUIImageCount());
    const int menus = gameUI.getMenuCount() > 0 ? gameUI.getMenuCount() : 0;
    for (int m = 0; m < menus; ++m) writeMenu(out, m);
    out.line("// Stop loading menu");
    out.text({"menu", menus}, "endMenuLoad");
    out.dropFinalLineBreak();
    return out.take();
}

bool saveUI()
{
    systemMsg("");
    systemMsg("Beginning to save user interface...");
    systemMsg("Creating directory paths for the save data...");
    const std::string project = world.getGameName();
    if (!checkGameName(project)) {
        if (!saveNameValid(project)) {
            reportSaveFailure(project, "the game name is not a single folder name");
            return false;
        }
        if (!createSaveFolder(project, "games/" + project + "/ui")) return false;
    }
    systemMsg("Outputting UI data");
    std::string reason;
    if (!replaceFile(uiFileFor(project), uiFileText(), &reason)) {
        reportSaveFailure(project, reason);
        return false;
    }
    systemMsg("^wUI has been successfully saved!");
    systemMsg("");
    notice.setNotice("UI Saved", "The user interface for ^y" + project + "^w has been saved.");
    return true;
}
