// The game world writer: the two files of a game, their folders, and the
// report of the save.
#include "editor/save_world.h"

#include <cctype>

#include "core/file_write.h"
#include "core/log.h"
#include "editor/save_files.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "world/game_files.h"
#include "world/map_reader.h"
#include "world/world.h"

namespace {

// The folders of a game beside its system folder.
const char* const gameMediaFolders[] = {"map", "sound", "model", "modeltex"};

// The name as one word: the reader splits an object line at white space, so
// a blank would shift every later field. An empty name would drop a field.
std::string objectNameWord(std::string name)
{
    if (name.empty()) return "_";
    for (char& c : name)
        if (std::isspace(static_cast<unsigned char>(c))) c = '_';
    return name;
}

// x y z w h d tex layer obw obh obd obstruction name type rotx roty rotz
std::string objectLine(int o, int m)
{
    float x = 0, y = 0, z = 0, w = 0, h = 0, d = 0, obw = 0, obh = 0, obd = 0, rx = 0, ry = 0, rz = 0;
    int tex = 0, layer = 0;
    world.worldGetObject(x, y, z, w, h, d, tex, layer, o, m);
    world.getObstructionSize(obw, obh, obd, o, m);
    world.worldGetRot(rx, ry, rz, o, m);

    std::string fields;
    auto add = [&fields](auto value) {
        if (!fields.empty()) fields += ' ';
        cfgText::appendNumber(fields, value);
    };
    for (float v : {x, y, z, w, h, d}) add(v);
    add(tex);
    add(layer);
    for (float v : {obw, obh, obd}) add(v);
    add(world.worldGetObjectObstructionState(o, m) ? 1 : 0);
    fields += ' ';
    fields += objectNameWord(world.worldGetObjectName(o, m));
    add(world.worldGetObjectType(o, m));
    for (float v : {rx, ry, rz}) add(v);
    return fields;
}

void writeMapSettings(cfgText& out, int m)
{
    bool fog = false;
    float density = 0, r = 0, g = 0, b = 0;
    world.worldGetFog(fog, density, r, g, b, m);
    int sky[skyboxFaces] = {};
    world.worldGetSkybox(sky[0], sky[1], sky[2], sky[3], sky[4], sky[5], m);
    std::string skyText;
    for (int face : sky) {
        if (!skyText.empty()) skyText += ' ';
        cfgText::appendNumber(skyText, face);
    }
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, m);

    out.line("// ***");
    out.line("// Map " + std::to_string(m));
    out.line("// ***");
    out.line("");
    out.line("// Tile Stretch");
    out.number({"map", m, "stretch"}, world.worldGetTileStretch(m) ? 1 : 0);
    out.line("// Layer");
    out.number({"map", m, "layer"}, world.worldGetMapLayerCount(m));
    out.line("");
    out.line("// Fog");
    out.number({"map", m, "fog"}, fog ? 1 : 0);
    out.number({"map", m, "fogdensity"}, density);
    out.number({"map", m, "fogr"}, r);
    out.number({"map", m, "fogg"}, g);
    out.number({"map", m, "fogb"}, b);
    out.line("");
    out.text({"map", m, "sky"}, skyText);
    out.line("// Map Width");
    out.number({"map", m, "w"}, w);
    out.line("");
    out.line("// Map Height");
    out.number({"map", m, "h"}, h);
    out.line("");
    out.line("// Map Name");
    out.text({"map", m, "name"}, name);
}

// Only tiles that differ from the reader's default (image 0, height 0).
void writeTiles(cfgText& out, int m)
{
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, m);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            int tex = 0;
            world.worldGetTile(tex, x, y, m);
            if (tex != 0) out.number({"map", m, "tile", x, "_", y}, tex);
            const float height = world.worldGetTileHeight(x, y, m);
            if (height != 0.0f) out.number({"map", m, "tile", x, "_", y, "h"}, height);
        }
    }
}

void writeMap(cfgText& out, int m)
{
    writeMapSettings(out, m);
    out.line("");
    out.line("// Tile Data ");
    writeTiles(out, m);
    out.line("");
    out.line("// Object Data ");
    const int objects = world.worldGetObjectCount(m);
    for (int o = 0; o < objects; ++o) out.text({"map", m, "object", o}, objectLine(o, m));
    out.text({"map", m, "object", objects}, "endObjectLoad");
    out.line("");
}

std::string stepsText(const sentence& rule)
{
    std::string steps;
    for (int k = 0; k < sentenceStepCount; ++k) {
        cfgText::appendNumber(steps, rule.getSentenceStep(k));
        steps += ' ';
    }
    return steps;
}

void writeGlobalRules(cfgText& out, int m)
{
    const int count = world.mapGlobalGetSentenceAmount(m);
    out.line("");
    out.line("// Map " + std::to_string(m) + " Logic Output");
    out.line("");
    out.number({"map", m, "sentencecount"}, count);
    out.line("");
    for (int s = 0; s < count; ++s) out.text({"map", m, "sentence", s}, stepsText(world.mapGlobalGetWholeSentence(m, s)));
}

void writeLocalRules(cfgText& out, int o, int m)
{
    const int count = world.mapLocalGetSentenceAmount(o, m);
    if (count <= 0) return;
    out.line("");
    out.line("// Map " + std::to_string(m) + " Object " + std::to_string(o) + " Logic Output");
    out.line("");
    out.number({"map", m, "object", o, "sentencecount"}, count);
    out.line("");
    for (int s = 0; s < count; ++s)
        out.text({"map", m, "object", o, "sentence", s}, stepsText(world.mapLocalGetWholeSentence(s, o, m)));
}

bool createGameFolders(const std::string& name)
{
    if (!createSaveFolder(name, gameSystemFolder(name))) return false;
    for (const char* sub : gameMediaFolders)
        if (!createSaveFolder(name, gameFolder(name) + "/" + sub)) return false;
    return true;
}

}  // namespace

std::string mapFileText()
{
    cfgText out;
    out.line("// This file was created by the Quorvane application.");
    out.line("// Please do not change or edit anything in this file as it may");
    out.line("// cause errors when the map is trying to be loaded.");
    out.line("");
    out.line("// The version format of this configuration file");
    out.number({"version"}, static_cast<int>(cfgVersionPerLine));
    writeAnimationLines(out, gameImg, world.getGameImageCount());
    out.line("");
    const int maps = world.getMapCount();
    for (int m = 0; m < maps; ++m) writeMap(out, m);
    out.line("// Stop map loading");
    out.text({"map", maps}, "endMapLoad");
    out.line("// Game Phrases");
    for (int p = 0; p < phraseCount; ++p) {
        const std::string phrase = world.getPhrase(p);
        if (!phrase.empty() && phrase != "NULL") out.text({"phrase", p}, phrase);
    }
    return out.take();
}

std::string logicFileText()
{
    cfgText out;
    out.line("// Game Logic Configuration File");
    out.line("// This file was created by the Quorvane Application automatically.");
    out.line("// Making any manual changes to this file could result in corruption of the data");
    out.line("// and may cause instability with the Quorvane application.");
    out.line("// The version format of this configuration file");
    out.number({"version"}, static_cast<int>(cfgVersionPerLine));
    const int maps = world.getMapCount();
    for (int m = 0; m < maps; ++m) writeGlobalRules(out, m);
    for (int m = 0; m < maps; ++m) {
        const int objects = world.worldGetObjectCount(m);
        for (int o = 0; o < objects; ++o) writeLocalRules(out, o, m);
    }
    return out.take();
}

bool saveGameWorld(folderReplacement* project)
{
    systemMsg("");
    systemMsg("Beginning to save game world...");
    systemMsg("Creating directory paths for the save game...");
    const std::string name = world.getGameName();
    if (!checkSaveName(name)) return false;
    if (!createGameFolders(name)) return false;

    gameFilesReplacement own(name);
    folderReplacement& files = project ? *project : own;
    systemMsg("Outputting map data");
    bool written = files.stage(mapFileName, mapFileText());
    if (written) {
        systemMsg("Saving Game Logic.");
        written = files.stage(logicFileName, logicFileText()) && (project || files.commit());
    }
    if (!written) {
        reportSaveFailure(name, files.error());
        return false;
    }
    if (!project) reportWorldSaved(name);
    return true;
}

void reportWorldSaved(const std::string& name)
{
    systemMsg("^wGame has been successfully saved!");
    systemMsg("");
    notice.setNotice("World Saved", "The game world for ^y" + name + "^w has been saved.");
}
