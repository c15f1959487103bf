// The loading screen.
#include "media/loading.h"

#include <GL/freeglut.h>

#include "core/system.h"
#include "media/quad.h"
#include "media/text.h"
#include "media/texture.h"

namespace {

constexpr float loadDepth = -1.0f;
constexpr int loadPickName = 1;
constexpr float messageX = 20.0f, messageY = 550.0f;
constexpr float barY = 575.0f;
constexpr float frameX = 70.0f, frameHalfWidth = 53.0f, frameHalfHeight = 7.0f;
constexpr float fillLeft = 20.0f, fillFullWidth = 100.0f, fillHalfHeight = 5.0f;

}  // namespace

void loadRender(const std::string& message, float percent)
{
    if (drawLoadScreen(message, percent)) glutSwapBuffers();
}

bool drawLoadScreen(const std::string& message, float percent)
{
    if (gameSys.getColorPick()) return false;
    if (percent <= 0.0f) percent = 1.0f;
    const float fillHalfWidth = percent * fillFullWidth / 2.0f;

    // Fixed arguments the primitive never refuses, so its result is not asked.
    (void)displayTexture(400.0f, 300.0f, loadDepth, 400.0f, 300.0f, 1.0f, 1.0f, 1.0f, sysTexture(sysImageLoad), true,
                         false, 1.0f, loadPickName);
    displayTextString(messageX, messageY, message);
    (void)displayTexture(frameX, barY, loadDepth, frameHalfWidth, frameHalfHeight, 0.0f, 0.0f, 0.6f,
                         sysTexture(sysImageShader), true, true, 1.0f, loadPickName);
    (void)displayTexture(fillLeft + fillHalfWidth, barY, loadDepth, fillHalfWidth, fillHalfHeight, 0.0f, 0.0f, 1.0f,
                         sysTexture(sysImageShader), true, true, 1.0f, loadPickName);
    return true;
}
