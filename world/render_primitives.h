// The drawing routines that belong to the world rather than to the media
// layer: the skybox around the camera, the light and material of the world
// pass, the textured object cube, the wire box of the editor's outlines, a
// solid sphere, and the full-screen image box a rule shows during play.
// Each issues fixed-function OpenGL directly and leaves the state it names
// changed, as the world pass that follows expects.
#pragma once

// Half-size of the skybox cube centred on the camera.
constexpr float skyboxHalfSize = 60.0f;

// The play-time image box and phrase count down from their start value by
// this much per drawn frame and then rest at their ready value (1).
constexpr int displayTimerStep = 40;

// The next value of a box or phrase count-down that is above 0: lowered by one
// step, held at 1 once it would reach 0 or below.
int lowerDisplayTimer(int timer);

// True while the world is drawn for the 3D pick (OpenGL selection mode).
bool drawingForSelection();

// The current map's six skybox faces (Front, Left, Back, Right, Top, Bottom)
// around the camera position, without depth test or lighting. A face whose
// image index names no game image is left out.
void renderSkybox();
// The same sky drawn after the opaque ground: depth tested on the far plane,
// it fills only the pixels the ground left uncovered, which is the picture of
// drawing it first at a fraction of the fill. Leaves the depth test off and
// lighting off, as renderSkybox does.
void renderSkyboxBehind();
// Depth test, light 0 over the middle of the current map and the material of
// the world pass; lighting on.
void renderLight();
// A cube of half-extents (w, h, d) at (x, y, z), turned about x, then y, then
// z, with OpenGL texture `tex` repeating once per 4 world units; `pick` (0 or
// more) is pushed as a selection name.
void renderCube(float x, float y, float z, float w, float h, float d, float rotx, float roty, float rotz, int tex,
                int pick);
// As renderCube, showing cell `frame` of an animation strip once across
// every face.
void renderCubeFrame(float x, float y, float z, float w, float h, float d, float rotx, float roty, float rotz,
                     int tex, int frame, int pick);
// A white wire box of full sizes (w, h, d) at (x, y, z); no selection name.
void renderCubeWire(float x, float y, float z, float w, float h, float d, float rotx, float roty, float rotz);
// A solid white sphere of radius r; w, h and d are not used.
void renderSphere(float x, float y, float z, float w, float h, float d, float r, int pick);
// While its timer is above 0: counts the image box down and draws its game
// image over the whole screen, with the blocker square in the top left.
void renderGameBox();
