// The kept copy of an opaque full-view layer, in an off-screen colour buffer.
#define GL_GLEXT_PROTOTYPES
#include "media/screen_layer.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace {

struct viewRect {
    GLint x = 0, y = 0, width = 0, height = 0;
    bool operator==(const viewRect& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

GLuint framebuffer = 0;
GLuint colourBuffer = 0;
viewRect bufferSize;  // the storage of colourBuffer (only its width and height count)

bool kept = false;
screenLayer keptLayer;
viewRect keptView;

viewRect currentView()
{
    GLint v[4] = {};
    glGetIntegerv(GL_VIEWPORT, v);
    return {v[0], v[1], v[2], v[3]};
}

bool hasAlphaChannel(int tex)
{
    GLint alphaBits = 0;
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(tex));
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
    glBindTexture(GL_TEXTURE_2D, 0);
    return alphaBits != 0;
}

// An off-screen colour buffer the size of `view`; false when the context
// cannot make one.
bool prepareBuffer(const viewRect& view)
{
    if (framebuffer == 0) {
        glGenFramebuffers(1, &framebuffer);
        glGenRenderbuffers(1, &colourBuffer);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    if (bufferSize.width != view.width || bufferSize.height != view.height) {
        glBindRenderbuffer(GL_RENDERBUFFER, colourBuffer);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, view.width, view.height);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer);
        bufferSize = {0, 0, view.width, view.height};
    }
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return complete;
}

// Copies `view` of the window's back buffer to the kept buffer (toWindow
// false) or back. Pixel for pixel, so the colours come back unchanged.
void copyView(const viewRect& view, bool toWindow)
{
    GLint readBuffer = GL_BACK;
    glGetIntegerv(GL_READ_BUFFER, &readBuffer);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, toWindow ? framebuffer : 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, toWindow ? 0 : framebuffer);
    if (!toWindow) glReadBuffer(GL_BACK);
    const GLint right = view.x + view.width, top = view.y + view.height;
    if (toWindow)
        glBlitFramebuffer(0, 0, view.width, view.height, view.x, view.y, right, top, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    else
        glBlitFramebuffer(view.x, view.y, right, top, 0, 0, view.width, view.height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(static_cast<GLenum>(readBuffer));
}

}  // namespace

bool restoreScreenLayer(const screenLayer& layer)
{
    if (!kept || layer.tex != keptLayer.tex || layer.frame != keptLayer.frame) return false;
    const viewRect view = currentView();
    if (!(view == keptView)) return false;
    copyView(view, true);
    return true;
}

void storeScreenLayer(const screenLayer& layer)
{
    kept = false;
    const viewRect view = currentView();
    if (layer.tex <= 0 || view.width <= 0 || view.height <= 0 || hasAlphaChannel(layer.tex)) return;
    if (!prepareBuffer(view)) return;
    copyView(view, false);
    kept = true;
    keptLayer = layer;
    keptView = view;
}

void forgetScreenLayer()
{
    kept = false;
}
