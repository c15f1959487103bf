// Steps shared by the textured-quad primitives (internal to media/quad*.cpp).
#pragma once
#include <GL/gl.h>

namespace quad {

// Texture coordinates of a whole image stop this far short of its edges.
constexpr float texInset = 0.01f;
constexpr float texFar = 1.0f - texInset;

// False, with the image notice raised, when a quad's arguments are refused.
bool validate(float x, float y, float w, float h, int tex, const char* message);
bool validateTinted(float x, float y, float w, float h, float r, float g, float b, int tex);

// Colour before placing, then with `al` the opaque colour and blending.
void setColour(float r, float g, float b, float a, int pick);
void enableAlphaBlend(float r, float g, float b, bool al, int pick);
// Name push or the flat-colour form, just before the quad is begun.
void beginPick(int pick);
void endPick(int pick);
// Texturing off, colour white.
void finish();

}  // namespace quad
