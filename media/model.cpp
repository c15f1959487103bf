// Loading a game's models and model textures, drawing models in the world
// and on the screen, and releasing the model textures.
#include "media/model.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

#include "core/frame.h"
#include "core/log.h"
#include "media/image_loading.h"
#include "media/numbered_names.h"
#include "media/screen_layer.h"
#include "media/texture.h"
#include "world/world.h"

obj_type object[modelMax];

namespace {

constexpr float orthoDepth = 1.0f;
constexpr float orthoDepthScale = -0.1f;

int loadModelFolder(const std::string& prefix)
{
    int n = 0;
    for (const std::string& name : numberFolder({prefix, imageNumberFirst, ""})) {
        if (n >= modelMax) {
            systemMsg(QV_WARNING "A game holds at most " + std::to_string(modelMax) + " models; ^y" + prefix + name +
                      "^w is not loaded.");
            continue;
        }
        const std::string path = prefix + name;
        // A file that does not open leaves an empty mesh, so no earlier game's model shows in its place.
        if (!Load3DS(&object[n], path.c_str())) std::memset(&object[n], 0, sizeof object[n]);
        ++n;
    }
    return n;
}

int loadModelTextures(const std::string& prefix)
{
    std::vector<img>().swap(modelImg);
    for (const std::string& name : numberFolder({prefix, imageNumberFirst, ""})) {
        modelImg.emplace_back();
        generateModelImage(prefix + name, static_cast<int>(modelImg.size()) - 1);
    }
    return static_cast<int>(modelImg.size());
}

// The model to draw, or nullptr when the number is no loaded model.
const obj_type* drawableModel(int modelNum)
{
    int models = 0, textures = 0;
    world.worldGetModel(models, textures);
    if (modelNum < 0 || modelNum >= models || modelNum >= modelMax) return nullptr;
    return &object[modelNum];
}

void bindModelTexture(int modelNum)
{
    int models = 0, textures = 0;
    world.worldGetModel(models, textures);
    if (modelNum < textures && static_cast<size_t>(modelNum) < modelImg.size())
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(modelImg[static_cast<size_t>(modelNum)].GetTex()));
}

void emitCorner(const obj_type& mesh, int i)
{
    const vertex_type& v = mesh.vertex[i];
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length > 0.0f)
        glNormal3f(v.x / length, v.y / length, v.z / length);
    else
        glNormal3f(0.0f, 1.0f, 0.0f);  // a vertex at the origin has no direction
    glTexCoord2f(mesh.mapcoord[i].u, mesh.mapcoord[i].v);
    glVertex3f(v.x, v.y, v.z);
}

// The triangles of the mesh; one whose corner is no vertex is skipped.
void drawTriangles(const obj_type& mesh)
{
    glBegin(GL_TRIANGLES);
    for (int t = 0; t < mesh.polygons_qty && t < modelListMax; ++t) {
        if (!triangleDrawable(mesh, t)) continue;
        const polygon_type& p = mesh.polygon[t];
        emitCorner(mesh, p.a);
        emitCorner(mesh, p.b);
        emitCorner(mesh, p.c);
    }
    glEnd();
}

void rotate(float rotx, float roty, float rotz)
{
    glRotatef(rotx, 1.0f, 0.0f, 0.0f);
    glRotatef(roty, 0.0f, 1.0f, 0.0f);
    glRotatef(rotz, 0.0f, 0.0f, 1.0f);
}

}  // namespace

bool triangleDrawable(const obj_type& mesh, int t)
{
    if (t < 0 || t >= mesh.polygons_qty || t >= modelListMax) return false;
    const int vertices = mesh.vertices_qty < modelListMax ? mesh.vertices_qty : modelListMax;
    const polygon_type& p = mesh.polygon[t];
    for (int corner : {p.a, p.b, p.c})
        if (corner < 0 || corner >= vertices) return false;
    return true;
}

bool loadGameModels(const std::string& gameFolder)
{
    freeModels();  // a game loaded over another: its model textures go first
    const int models = loadModelFolder(gameFolder + "/model/");
    const int textures = loadModelTextures(gameFolder + "/modeltex/");
    world.worldSetModel(models, textures);
    return true;
}

void renderModel(float x, float y, float z, float w, float h, float d, float rotx, float roty, float rotz,
                 int modelNum, int pick)
{
    const obj_type* mesh = drawableModel(modelNum);
    if (!mesh) return;
    glPushMatrix();
    glPushName(static_cast<GLuint>(pick));
    glTranslatef(x, y - h, z);
    rotate(rotx, roty, rotz);
    glEnable(GL_DEPTH_TEST);
    glScalef(d, w, h);
    glEnable(GL_TEXTURE_2D);
    bindModelTexture(modelNum);
    drawTriangles(*mesh);
    glPopName();
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

void renderModelOrtho(int x, int y, int w, int h, float rotx, float roty, float rotz, int modelNum)
{
    const obj_type* mesh = drawableModel(modelNum);
    if (!mesh) return;
    glPushMatrix();
    draw2dortho();
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(static_cast<float>(-x), static_cast<float>(-y), orthoDepth);
    glScalef(static_cast<float>(w), static_cast<float>(h), orthoDepthScale);
    rotate(rotx, roty, rotz);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    bindModelTexture(modelNum);
    drawTriangles(*mesh);
    glEnable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    leave2dortho();
    glPopMatrix();
}

void freeModels()
{
    int models = 0, textures = 0;
    world.worldGetModel(models, textures);
    for (int i = 0; i < textures && static_cast<size_t>(i) < modelImg.size(); ++i) {
        const GLuint tex = static_cast<GLuint>(modelImg[static_cast<size_t>(i)].GetTex());
        if (tex != 0) glDeleteTextures(1, &tex);
    }
    forgetScreenLayer();
    std::vector<img>().swap(modelImg);
    world.worldSetModel(0, 0);
}
