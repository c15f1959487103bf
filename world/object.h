// gameObject: one object placed on a map: position, size, texture, layer,
// label, flags, obstruction box, score, name, type, rotation and its local
// rules. Plain state with a few clamps; the map adds the index checks.
#pragma once
#include <string>

#include "logic/sentence.h"

enum objectTypeId {
    objectTypeCube = 0,
    objectTypeSquare = 1,
    objectTypeModel = 2,
    objectTypeBillboard = 3,
};

constexpr float objectMaxSize = 25.0f;
constexpr float objectMinSize = 0.01f;
constexpr int objectLabelNone = -1;

class gameObject {
public:
    gameObject() = default;
    gameObject(const gameObject&) = default;
    gameObject(gameObject&&) noexcept = default;
    // Copies every field but the label: the target keeps its own.
    gameObject& operator=(const gameObject& other);

    void setObject(float x, float y, float z, float w, float h, float d, int tex, int layer);
    void getObject(float& x, float& y, float& z, float& w, float& h, float& d, int& tex, int& layer) const;
    void setObjectLabel(int l) { label = l; }
    int getObjectLabel() const { return label; }
    void setObjectLife(bool on) { life = on; }
    bool getObjectLife() const { return life; }
    void setObjectVisible(bool on) { visible = on; }
    bool getObjectVisible() const { return visible; }
    void setObstructionState(bool on) { obstruction = on; }
    bool getObstructionState() const { return obstruction; }
    void setObstructionSize(float w, float h, float d);
    void getObstructionSize(float& w, float& h, float& d) const { w = obw; h = obh; d = obd; }
    void setObjectScore(int s) { score = s < 0 ? 0 : s; }
    int getObjectScore() const { return score; }
    void setObjectName(std::string n) { name = std::move(n); }
    std::string getObjectName() const { return name; }
    void setObjectType(int t);
    int getObjectType() const { return type; }
    void setRot(float x, float y, float z) { rotx = x; roty = y; rotz = z; }
    void getRot(float& x, float& y, float& z) const { x = rotx; y = roty; z = rotz; }

    bool localAddSentence() { return localLogic.addSentence(); }
    bool localDeleteSentence(int s) { return localLogic.deleteSentence(s); }
    void localChangeSentence(int s, int slot, int value) { localLogic.changeSentence(s, slot, value); }
    sentence localGetWholeSentence(int s) const { return localLogic.getWholeSentence(s); }
    int localGetSentenceAmount() const { return localLogic.getSentenceAmount(); }
    void localSetOwner(int owner, int s) { localLogic.sentenceSetOwner(owner, s); }
    void localSetExecutionState(int state, int s) { localLogic.setSentenceExecutionState(state, s); }
    int localGetExecutionState(int s) const { return localLogic.getSentenceExecutionState(s); }
    void localSetTimer(int timer, int s) { localLogic.setSentenceTimer(timer, s); }
    int localGetTimer(int s) const { return localLogic.getSentenceTimer(s); }

    // The rule list itself, for the map's renumbering after a deletion.
    logicStrings& rules() { return localLogic; }

private:
    logicStrings localLogic;
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float w = 1.0f, h = 1.0f, d = 1.0f;
    int tex = 0;
    int layer = 0;
    int label = objectLabelNone;
    bool life = true;
    bool visible = true;
    bool obstruction = true;
    float obw = 1.0f, obh = 1.0f, obd = 1.0f;
    int score = 0;
    std::string name = "Object";
    int type = objectTypeCube;
    float rotx = 0.0f, roty = 0.0f, rotz = 0.0f;
};
