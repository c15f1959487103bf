// Textured-quad primitives: the one textured quadrilateral that almost
// everything on screen and in the world is drawn with, in its flat, depth,
// billboard, terrain-tile and animation-frame forms, each also the form in
// which its quad takes part in picking.
//
// `ov` true draws in the 800 x 600 screen space (centre x, y and half extents
// w, h, y growing downward), false in the current 3D transform. `al` blends by
// the texture's alpha. `pick`: 0 or more is a selection name pushed around the
// quad, pickNone draws plainly, pickFlatColor draws a flat quad in the
// caller's current colour for the colour-pick pass. Each draws nothing when it
// refuses its arguments and says so in its result, which the caller hands to
// noticeIfRefused (menus/notice.h) so that the user hears of it. Each ends
// with texturing off and the colour white.
#pragma once

class img;

constexpr int pickNone = -1;
constexpr int pickFlatColor = -2;

// Lowest accepted centre coordinate of a quad.
constexpr float quadMinCoordinate = -100.0f;

// What a primitive did: drew its quad, or refused its arguments as an image
// (x or y below quadMinCoordinate, a half extent of 0 or less, a colour
// component below 0, a texture below 0) or as an animation frame. True when
// drawn.
enum class quadRefusal { none, image, frame };
struct [[nodiscard]] quadResult {
    quadRefusal refusal = quadRefusal::none;
    explicit operator bool() const { return refusal == quadRefusal::none; }
};

quadResult displayTexture(float x, float y, float z, float w, float h, float r, float g, float b, int tex, bool ov,
                          bool al, float a, int pick);
quadResult displayDepthTexture(float x, float y, float z, float w, float h, float rotx, float roty, float rotz, float r,
                               float g, float b, int tex, bool ov, bool al, float a, int pick);
quadResult displayBillboardTexture(float x, float y, float z, float w, float h, int tex, bool al, float a, int pick);
quadResult displayTerrainTexture(float x, float y, float z, float w, float h, float r, float g, float b, int tex,
                                 bool ov, bool al, float a, int pick, int tilex, int tiley);
// Turns what is drawn next at the current origin towards the camera of the
// current mode (billboards and text in the world); angles in degrees.
void faceCamera(float pitch, float yaw);
// Frame `frame` of a strip of ten animation cells side by side.
quadResult displayFrame(float x, float y, float z, float w, float h, int tex, float frame, bool ov, bool al, int pick);
// An image record blended in the screen space: its current frame when it is
// animated (the tint and z left out, as displayFrame does), else the whole
// image tinted (r, g, b) at alpha a.
quadResult displayImage(const img& image, float x, float y, float z, float w, float h, int pick, float r = 1.0f,
                        float g = 1.0f, float b = 1.0f, float a = 1.0f);
