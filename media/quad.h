// Textured-quad primitives: the one textured quadrilateral that almost
// everything on screen and in the world is drawn with, in its flat, depth,
// billboard, terrain-tile and animation-frame forms, each also the form in
// which its quad takes part in picking.
//
// `ov` true draws in the 800 x 600 screen space (centre x, y and half extents
// w, h, y growing downward), false in the current 3D transform. `al` blends by
// the texture's alpha. `pick`: 0 or more is a selection name pushed around the
// quad, pickNone draws plainly, pickFlatColor draws a flat quad in the
// caller's current colour for the colour-pick pass. Each returns false, raises
// the image notice and draws nothing when it refuses its arguments. Each ends
// with texturing off and the colour white.
#pragma once

constexpr int pickNone = -1;
constexpr int pickFlatColor = -2;

// Lowest accepted centre coordinate of a quad.
constexpr float quadMinCoordinate = -100.0f;

bool displayTexture(float x, float y, float z, float w, float h, float r, float g, float b, int tex, bool ov,
                    bool al, float a, int pick);
bool displayDepthTexture(float x, float y, float z, float w, float h, float rotx, float roty, float rotz, float r,
                         float g, float b, int tex, bool ov, bool al, float a, int pick);
bool displayBillboardTexture(float x, float y, float z, float w, float h, int tex, bool al, float a, int pick);
bool displayTerrainTexture(float x, float y, float z, float w, float h, float r, float g, float b, int tex, bool ov,
                           bool al, float a, int pick, int tilex, int tiley);
// Turns what is drawn next at the current origin towards the camera of the
// current mode (billboards and text in the world); angles in degrees.
void faceCamera(float pitch, float yaw);
// Frame `frame` of a strip of ten animation cells side by side.
bool displayFrame(float x, float y, float z, float w, float h, int tex, float frame, bool ov, bool al, int pick);
