// The logic file reader: per map its global rules, per object its local
// rules, each rule's eight steps from per-step keys (version 0 or none) or
// from one line of eight numbers (version 1). A declared rule count is only
// believed as far as the file holds the rules: reading stops at the first
// rule with no entry, so a corrupt count costs nothing.
#include "world/logic_reader.h"

#include <cstdio>
#include <string>

#include "core/log.h"
#include "core/script.h"
#include "world/cfg_words.h"
#include "world/game_files.h"
#include "world/map_reader.h"
#include "world/world.h"

namespace {

// Where a rule's steps come from: the key prefix shared by its keys
// ("map0sentence2", "map1object3sentence0") and the file version.
struct ruleSource {
    std::string prefix;
    int version;
};

void readSteps(const ruleSource& src, int steps[sentenceStepCount])
{
    if (src.version < cfgVersionPerLine) {
        for (int k = 0; k < sentenceStepCount; ++k) {
            const std::string key = src.prefix + "step" + std::to_string(k);
            steps[k] = truncateNumber(scriptLogic.findLineF(key));
        }
        return;
    }
    const std::string text = scriptLogic.findLineS(src.prefix);
    const std::vector<std::string_view> words = splitWords(text);
    for (int k = 0; k < sentenceStepCount; ++k) {
        steps[k] = static_cast<size_t>(k) < words.size() ? wordToInt(words[static_cast<size_t>(k)]) : 0;
    }
}

// A rule is in the file when its line or any of its per-step keys is, in
// whichever layout the file was written.
bool ruleInFile(const std::string& prefix)
{
    if (scriptLogic.hasKey(prefix)) return true;
    for (int k = 0; k < sentenceStepCount; ++k)
        if (scriptLogic.hasKey(prefix + "step" + std::to_string(k))) return true;
    return false;
}

// The declared rule count of a map or object (`owner` is "map0" or
// "map0object3"), cut to the rules 0, 1, ... that the file holds; a cut is
// reported once, naming the map and object.
int readRuleCount(const std::string& owner, const std::string& ownerName)
{
    const int declared = truncateNumber(scriptLogic.findLineF(owner + "sentencecount"));
    int count = 0;
    while (count < declared && ruleInFile(owner + "sentence" + std::to_string(count))) ++count;
    if (count < declared)
        systemMsg(QV_WARNING + ownerName + " declares " + std::to_string(declared) + " rules but the file holds " +
                  std::to_string(count) + "; reading " + std::to_string(count));
    return count;
}

void readGlobalRules(int m, int version)
{
    const std::string map = "map" + std::to_string(m);
    const int count = readRuleCount(map, "Map ^y" + std::to_string(m) + "^w");
    for (int s = 0; s < count; ++s) {
        const int before = world.mapGlobalGetSentenceAmount(m);
        world.mapGlobalAddSentence(m);
        const int rule = world.mapGlobalGetSentenceAmount(m) - 1;
        if (rule < before) continue;  // a map without objects takes no rule
        if (version > cfgVersionPerLine) continue;
        int steps[sentenceStepCount];
        readSteps({map + "sentence" + std::to_string(s), version}, steps);
        for (int k = 0; k < sentenceStepCount; ++k) world.mapGlobalChangeSentence(m, rule, k, steps[k]);
    }
}

void readLocalRules(int m, int o, int version)
{
    const std::string object = "map" + std::to_string(m) + "object" + std::to_string(o);
    const int count = readRuleCount(object, "Map ^y" + std::to_string(m) + "^w object ^y" + std::to_string(o) + "^w");
    for (int s = 0; s < count; ++s) {
        if (!world.mapLocalAddSentence(o, m)) return;
        const int rule = world.mapLocalGetSentenceAmount(o, m) - 1;
        if (version > cfgVersionPerLine) continue;
        int steps[sentenceStepCount];
        readSteps({object + "sentence" + std::to_string(s), version}, steps);
        for (int k = 0; k < sentenceStepCount; ++k) world.mapLocalChangeSentence(rule, k, steps[k], o, m);
    }
}

}  // namespace

bool loadGameLogic()
{
    const std::string name = world.getGameName();
    const std::string path = gameFilePath(name, logicFileName);
    systemMsg(path);
    systemMsg("Loading game logic for the game " + name);
    scriptLogic.clear();
    if (!scriptLogic.readFile(path)) return false;
    const int version = truncateNumber(scriptLogic.findLineF("version"));

    systemMsg("Loading logic sentences for the game " + name);
    for (int m = 0; m < world.getMapCount(); ++m) {
        readGlobalRules(m, version);
        for (int o = 0; o < world.worldGetObjectCount(m); ++o) readLocalRules(m, o, version);
    }
    systemMsg("Logic loaded for the game " + name);
    return true;
}
