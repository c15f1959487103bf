// Camera: the one view of the 3D world (position, look-at point, up vector,
// pitch and yaw, a stored position and the camera mode), held by the global
// `camera`; UpdateCamera turns the mode into the model-view transform.
#pragma once

enum camModeId {
    camModeEditor = 0,
    camModeFirstPerson = 1,
    camModeThirdPerson = 2,
    camModeOverhead = 3,
};

class Camera {
public:
    void SetPos(float x, float y, float z) { camx = x; camy = y; camz = z; }
    void GetPos(float& x, float& y, float& z) const { x = camx; y = camy; z = camz; }
    void SetLook(float x, float y, float z) { lookatx = x; lookaty = y; lookatz = z; }
    void GetLook(float& x, float& y, float& z) const { x = lookatx; y = lookaty; z = lookatz; }
    void SetUp(float x, float y, float z) { camupx = x; camupy = y; camupz = z; }
    void GetUp(float& x, float& y, float& z) const { x = camupx; y = camupy; z = camupz; }
    void SetRot(float x, float y) { rotx = x; roty = y; }
    void GetRot(float& x, float& y) const { x = rotx; y = roty; }
    void SetStorPos(float x, float y, float z) { storx = x; story = y; storz = z; }
    void GetStorPos(float& x, float& y, float& z) const { x = storx; y = story; z = storz; }
    int getCamMode() const { return camMode; }

    // Raises the world's free-look reset flag, applies the mode's preset
    // (editor and first person only) and switches the mode.
    void setCamMode(int mode);
    // Loads the mode's view into the current (model-view) matrix.
    void UpdateCamera();

private:
    float camx = -3.4f, camy = 18.0f, camz = -19.0f;
    float lookatx = -3.4f, lookaty = 2.9f, lookatz = -2.7f;
    float camupx = 0.0f, camupy = 1.0f, camupz = 0.0f;
    float rotx = 40.0f;
    float roty = -130.0f;
    float storx = 0.0f, story = 0.0f, storz = 0.0f;
    int camMode = camModeEditor;
};

extern Camera camera;
