// gameObject: assignment without the label, and the clamps of size,
// obstruction box and type.
#include "world/object.h"

#include <algorithm>

gameObject& gameObject::operator=(const gameObject& other)
{
    if (this == &other) return *this;
    localLogic = other.localLogic;
    x = other.x;
    y = other.y;
    z = other.z;
    w = other.w;
    h = other.h;
    d = other.d;
    tex = other.tex;
    layer = other.layer;
    life = other.life;
    visible = other.visible;
    obstruction = other.obstruction;
    obw = other.obw;
    obh = other.obh;
    obd = other.obd;
    score = other.score;
    name = other.name;
    type = other.type;
    rotx = other.rotx;
    roty = other.roty;
    rotz = other.rotz;
    return *this;
}

void gameObject::setObject(float nx, float ny, float nz, float nw, float nh, float nd, int ntex, int nlayer)
{
    x = nx;
    y = ny;
    z = nz;
    w = std::min(nw, objectMaxSize);
    h = std::min(nh, objectMaxSize);
    d = std::min(nd, objectMaxSize);
    if (w <= 0.0f) w = objectMinSize;
    if (h <= 0.0f) h = objectMinSize;
    tex = ntex;
    layer = nlayer;
}

void gameObject::getObject(float& ox, float& oy, float& oz, float& ow, float& oh, float& od, int& otex,
                           int& olayer) const
{
    ox = x;
    oy = y;
    oz = z;
    ow = w;
    oh = h;
    od = d;
    otex = tex;
    olayer = layer;
}

void gameObject::setObstructionSize(float nw, float nh, float nd)
{
    nw = std::min(nw, objectMaxSize);
    nh = std::min(nh, objectMaxSize);
    nd = std::min(nd, objectMaxSize);
    if (nw > 0.0f && nh > 0.0f && nd > 0.0f) {
        obw = nw;
        obh = nh;
        obd = nd;
    }
}

void gameObject::setObjectType(int t)
{
    type = std::clamp(t, static_cast<int>(objectTypeCube), static_cast<int>(objectTypeBillboard));
}
