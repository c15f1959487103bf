// The camera: mode presets and the per-frame view transform of each mode.
#include "core/camera.h"

#include <GL/glu.h>

#include "world/world.h"

Camera camera;

namespace {

// Editor preset.
constexpr float editorPos[3] = {-3.4f, 18.0f, -19.0f};
constexpr float editorLook[3] = {-3.4f, 2.9f, -2.7f};
// First-person preset.
constexpr float firstPersonPos[3] = {-2.3f, 7.2f, -3.7f};
constexpr float firstPersonRotX = 0.0f;
constexpr float firstPersonRotY = 140.0f;
// Following views: distance behind the object, height above it, fixed pitch.
constexpr float thirdPersonDistance = 10.0f;
constexpr float overheadDistance = 20.0f;
constexpr float overheadHeight = 3.0f;
constexpr float overheadPitch = 40.0f;

struct followedObject {
    float x = 0.0f, y = 0.0f, z = 0.0f;  // ground x, ground y, height
    float obstructionHeight = 0.0f;
};

// The play camera's object on the current map; all zero when there is none.
followedObject findFollowedObject()
{
    followedObject f;
    const int m = world.getCurrentMap();
    const int o = world.getLookAtObject();
    float w, h, d;
    int tex, layer;
    world.worldGetObject(f.x, f.y, f.z, w, h, d, tex, layer, o, m);
    float obw = 0.0f, obd = 0.0f;
    world.getObstructionSize(obw, f.obstructionHeight, obd, o, m);
    return f;
}

}  // namespace

void Camera::setCamMode(int mode)
{
    world.setResetFreelook(true);
    if (mode == camModeEditor) {
        SetPos(editorPos[0], editorPos[1], editorPos[2]);
        SetLook(editorLook[0], editorLook[1], editorLook[2]);
    } else if (mode == camModeFirstPerson) {
        SetPos(firstPersonPos[0], firstPersonPos[1], firstPersonPos[2]);
        SetRot(firstPersonRotX, firstPersonRotY);
    }
    camMode = mode;
}

void Camera::UpdateCamera()
{
    glLoadIdentity();
    switch (camMode) {
    case camModeEditor:
        gluLookAt(camx, camy, camz, lookatx, lookaty, lookatz, camupx, camupy, camupz);
        break;
    case camModeFirstPerson:
        glRotatef(rotx, 1.0f, 0.0f, 0.0f);
        glRotatef(roty, 0.0f, 1.0f, 0.0f);
        glTranslatef(-camx, -camy, -camz);
        break;
    case camModeThirdPerson: {
        const followedObject f = findFollowedObject();
        glTranslatef(0.0f, -f.obstructionHeight, -thirdPersonDistance);
        glRotatef(rotx, 1.0f, 0.0f, 0.0f);
        glRotatef(roty, 0.0f, 1.0f, 0.0f);
        glTranslatef(-f.x, -f.z, -f.y);
        break;
    }
    case camModeOverhead: {
        const followedObject f = findFollowedObject();
        glTranslatef(0.0f, -overheadHeight, -overheadDistance);
        glRotatef(overheadPitch, 1.0f, 0.0f, 0.0f);
        glRotatef(roty, 0.0f, 1.0f, 0.0f);
        glTranslatef(-f.x, -f.z, -f.y);
        break;
    }
    default:
        break;
    }
}
