// Tiles tile by tile through the terrain primitive, or batched by image.
#include "world/render_tiles.h"

#include <GL/gl.h>

#include <vector>

#include "editor/editor.h"
#include "editor/world_editor_selection.h"
#include "media/frustum.h"
#include "media/quad.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "world/render_images.h"
#include "world/render_primitives.h"
#include "world/world.h"

namespace {

// Grey of a selected tile's highlight: the starting tile, the others.
constexpr float highlightStartGrey = 1.0f;
constexpr float highlightGrey = 0.75f;

// Texture coordinates of a whole image stop this far short of its edges, as
// the quad primitives draw it.
constexpr float texNear = 0.01f;
constexpr float texFar = 0.99f;

float tileCentre(int i)
{
    return tileSize * static_cast<float>(i);
}

bool tileInFrustum(int j, int k)
{
    return SphereInFrustum(tileCentre(j), 0.0f, tileCentre(k), tileCullRadius) > 0.0f;
}

int tileImage(int j, int k)
{
    int index = -1;
    world.worldGetTile(index, j, k, world.getCurrentMap());
    return index;
}

void drawTile(int j, int k, float half, int pick)
{
    const imageRef image = lookUpImage(tileImage(j, k));
    cellScope cell(image, 1.0f, 1.0f);
    noticeIfRefused(displayTerrainTexture(tileCentre(j), 0.0f, tileCentre(k), half, half, 1.0f, 1.0f, 1.0f, image.tex,
                                          false, false, 1.0f, pick, j, k));
}

// The image of tile (0, 0) over the whole map as one flat quad.
void drawStretchedMap(int w, int h, int pick)
{
    const imageRef image = lookUpImage(tileImage(0, 0));
    const float halfW = 0.5f * tileSize * static_cast<float>(w), halfH = 0.5f * tileSize * static_cast<float>(h);
    // The depth quad repeats its image over half its half-extents plus one.
    cellScope cell(image, halfW / 2.0f + 1.0f, halfH / 2.0f + 1.0f);
    noticeIfRefused(displayDepthTexture(halfW, 0.0f, halfH, halfW, halfH, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, image.tex,
                                        false, false, 1.0f, pick));
}

// A selected tile, the starting one (the rectangle's first corner) brighter.
void drawTileHighlight(int j, int k, const tileRect& selection)
{
    const float grey = j == selection.x0 && k == selection.y0 ? highlightStartGrey : highlightGrey;
    noticeIfRefused(displayTerrainTexture(tileCentre(j), 0.0f, tileCentre(k), tileHalfSize, tileHalfSize, grey, grey,
                                          grey, sysTexture(sysImageShader), false, true, 1.0f, pickNone, j, k));
}

// Tile by tile, each under its names in the editor (x pushed per column, y
// by the primitive), each selected tile highlighted right after it.
void renderTilesOneByOne(int w, int h, float half, bool editor, bool highlight)
{
    const tileRect selection = selectedTiles();
    for (int j = 0; j < w; ++j) {
        if (editor) glPushName(static_cast<GLuint>(j));
        for (int k = 0; k < h; ++k) {
            if (!tileInFrustum(j, k)) continue;
            drawTile(j, k, half, editor ? k : pickNone);
            if (highlight && selection.contains(j, k)) drawTileHighlight(j, k, selection);
        }
        if (editor) glPopName();
    }
}

// ------------------------------------------------------------ batches

struct tileCoord {
    int j, k;
};

// The visible tiles of each image, by image index, and the images in use;
// kept between frames so that their storage is reused.
std::vector<std::vector<tileCoord>> tilesOfImage;
std::vector<int> imagesInUse;

// One terrain quad as the primitive lays it, in map coordinates: the stored
// height of a tile is its corner at (-half, -half), the other three corners
// borrowed from its neighbours; the image runs mirrored along x. Lighting is
// off for tiles, so no normals are needed.
void emitTerrainQuad(const tileCoord& t, float half, int m)
{
    const float x = tileCentre(t.j), z = tileCentre(t.k);
    glTexCoord2f(texFar, texNear);
    glVertex3f(x - half, world.worldGetTileHeight(t.j, t.k, m), z - half);
    glTexCoord2f(texFar, texFar);
    glVertex3f(x - half, world.worldGetTileHeight(t.j, t.k + 1, m), z + half);
    glTexCoord2f(texNear, texFar);
    glVertex3f(x + half, world.worldGetTileHeight(t.j + 1, t.k + 1, m), z + half);
    glTexCoord2f(texNear, texNear);
    glVertex3f(x + half, world.worldGetTileHeight(t.j + 1, t.k, m), z - half);
}

// The state the terrain primitive draws in and leaves behind: unlit, depth
// tested, white, modulated; texturing off and lighting on afterwards.
void drawBatch(int index, const std::vector<tileCoord>& tiles, float half)
{
    const imageRef image = lookUpImage(index);
    const int m = world.getCurrentMap();
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(image.tex));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    cellScope cell(image, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    for (const tileCoord& t : tiles) emitTerrainQuad(t, half, m);
    glEnd();
}

void renderTilesBatched(int w, int h, float half)
{
    const int images = world.getGameImageCount();
    if (tilesOfImage.size() < static_cast<size_t>(images)) tilesOfImage.resize(static_cast<size_t>(images));
    for (int j = 0; j < w; ++j) {
        for (int k = 0; k < h; ++k) {
            if (!tileInFrustum(j, k)) continue;
            const int index = tileImage(j, k);
            if (!gameImageAt(index)) {
                drawTile(j, k, half, pickNone);  // refused by the primitive; drawTile raises the image notice
                continue;
            }
            std::vector<tileCoord>& batch = tilesOfImage[static_cast<size_t>(index)];
            if (batch.empty()) imagesInUse.push_back(index);
            batch.push_back({j, k});
        }
    }
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    for (int index : imagesInUse) {
        std::vector<tileCoord>& batch = tilesOfImage[static_cast<size_t>(index)];
        drawBatch(index, batch, half);
        batch.clear();
    }
    imagesInUse.clear();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
}

}  // namespace

void renderTiles(int w, int h, bool editor)
{
    if (world.worldGetTileStretch(world.getCurrentMap())) {
        if (editor) glPushName(0);
        drawStretchedMap(w, h, editor ? 0 : pickNone);
        if (editor) glPopName();
        return;
    }
    const float half = editor && worldEditor.getWireframe() ? gridTileHalfSize : tileHalfSize;
    const bool highlight = editor && worldEditor.getEditorMode() == editorModeTile;
    if (highlight || (editor && drawingForSelection()))
        renderTilesOneByOne(w, h, half, editor, highlight);
    else
        renderTilesBatched(w, h, half);
}
