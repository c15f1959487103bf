// The menu system writer.
#include "editor/save_ui.h"

#include "core/file_write.h"
#include "core/log.h"
#include "core/script.h"
#include "editor/save_files.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "world/game_files.h"
#include "world/world.h"

namespace {

const char* const menuIdKeys[] = {"intromenu", "editormainmenu", "editormenu", "ingamemenu"};
const char* const scriptStringEnd = "end";
// The number keys of one script string, after its own key.
const char* const scriptStringFields[] = {"x", "y", "r", "g", "b", "string"};

// The menu projects' files; a game's is its system folder's uiFileName.
std::string uiFileFor(const std::string& project)
{
    return project == "mainui" ? "system/ui.cfg" : "system/ingameui.cfg";
}

// How one list of a menu is laid out: each item opens with a comment
// "// Menu <m> <title> <i>"; after the last, a closing comment and the end
// marker at the index key one past it.
struct itemLayout {
    const char* word;          // of the keys: menu<m><word><i>...
    const char* title;         // of the item comments
    const char* closingTitle;  // of the closing comment, which glues it to the menu number
    const char* endMarker;
};
const itemLayout buttonLayout{"button", " Button ", "Button ", "endButtonLoad"};
const itemLayout textboxLayout{"textbox", " Textbox ", "Textbox ", "endTextboxLoad"};
const itemLayout textLayout{"text", " Textline ", " Textline ", "endTextLoad"};

// writeItem(key, i) writes the field lines of item i under its index key.
template <class ItemWriter>
void writeItems(cfgText& out, int m, const itemLayout& layout, int count, ItemWriter writeItem)
{
    const std::string menu = "menu" + std::to_string(m);
    for (int i = 0; i < count; ++i) {
        out.line("// Menu " + std::to_string(m) + layout.title + std::to_string(i));
        writeItem(menu + layout.word + std::to_string(i), i);
    }
    out.line("// Menu " + std::to_string(m) + layout.closingTitle + std::to_string(count));
    out.text({menu, layout.word, count}, layout.endMarker);
}

void writeButtons(cfgText& out, int m)
{
    writeItems(out, m, buttonLayout, gameUI.menuGetButtonCount(m), [&](const std::string& k, int b) {
        float x = 0, y = 0, w = 0, h = 0;
        int tex = 0, func = 0, func2 = 0;
        gameUI.uiGetButton(x, y, w, h, tex, func, func2, m, b);
        for (const auto& [field, value] : {std::pair{"x", x}, {"y", y}, {"w", w}, {"h", h}}) out.number({k, field}, value);
        for (const auto& [field, value] : {std::pair{"tex", tex}, {"func", func}, {"func2", func2}})
            out.number({k, field}, value);
    });
}

void writeTextboxes(cfgText& out, int m)
{
    writeItems(out, m, textboxLayout, gameUI.menuGetTextboxCount(m), [&](const std::string& k, int t) {
        float x = 0, y = 0, w = 0, h = 0;
        int text = 0;
        gameUI.uiGetTextbox(x, y, w, h, text, m, t);
        for (const auto& [field, value] : {std::pair{"x", x}, {"y", y}, {"w", w}, {"h", h}}) out.number({k, field}, value);
        out.number({k, "textnum"}, text);
        out.number({k, "linkedbutton"}, gameUI.uiGetLinkedButton(t, m));
    });
}

void writeTextLines(cfgText& out, int m)
{
    writeItems(out, m, textLayout, gameUI.menuGetTextlineCount(m), [&](const std::string& k, int l) {
        float x = 0, y = 0, r = 0, g = 0, b = 0;
        std::string text;
        gameUI.uiGetText(x, y, r, g, b, text, m, l);
        for (const auto& [field, value] : {std::pair{"x", x}, {"y", y}, {"r", r}, {"g", g}, {"b", b}})
            out.number({k, field}, value);
        out.text({k, "string"}, text);
    });
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

bool saveUI(folderReplacement* project)
{
    systemMsg("");
    systemMsg("Beginning to save user interface...");
    systemMsg("Creating directory paths for the save data...");
    const std::string name = world.getGameName();
    const bool game = !checkGameName(name);
    if (game) {
        if (!checkSaveName(name)) return false;
        if (!createSaveFolder(name, gameFolder(name) + "/ui")) return false;
    }
    systemMsg("Outputting UI data");
    std::string reason;
    bool written = false;
    if (!game) {
        written = replaceFile(uiFileFor(name), uiFileText(), &reason);
    } else {
        gameFilesReplacement own(name);
        folderReplacement& files = project ? *project : own;
        written = files.stage(uiFileName, uiFileText()) && (project || files.commit());
        reason = files.error();
    }
    if (!written) {
        reportSaveFailure(name, reason);
        return false;
    }
    if (!project) reportUISaved(name);
    return true;
}

void reportUISaved(const std::string& name)
{
    systemMsg("^wUI has been successfully saved!");
    systemMsg("");
    notice.setNotice("UI Saved", "The user interface for ^y" + name + "^w has been saved.");
}
