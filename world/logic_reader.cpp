// The logic file reader: per map its global rules, per object its local
// rules, each rule's eight steps from per-step keys (version 0 or none) or
// from one line of eight numbers (version 1).
#include "world/logic_reader.h"

#include <cstdio>
#include <string>

#include "core/log.h"
#include "core/script.h"
#include "world/cfg_words.h"
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

// A rule count as stored; a count beyond the file's entries cannot be genuine
// and is cut down to them, so a corrupt count cannot stall the load.
int readRuleCount(const std::string& key)
{
    const int count = truncateNumber(scriptLogic.findLineF(key));
    const int limit = scriptLogic.getLineAmount();
    if (count > limit) {
        systemMsg(QV_WARNING "The rule count ^y" + key + "^w exceeds the file; reading " + std::to_string(limit) +
                  " rules");
        return limit;
    }
    return count;
}

void readGlobalRules(int m, int version)
{
    const std::string map = "map" + std::to_string(m);
    const int count = readRuleCount(map + "sentencecount");
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
    const int count = readRuleCount(object + "sentencecount");
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
    const std::string path = "games/" + name + "/system/logic.cfg";
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
