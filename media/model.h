// 3DS models: the mesh record `obj_type`, the table `object` of the loaded
// game's meshes (model i is drawn with texture i of `modelImg`), the 3DS
// reader, the loading of a game's `model/` and `modeltex/` folders, the two
// renderers and the release of the model textures.
#pragma once
#include <string>

constexpr int modelListMax = 8000;  // vertices, triangles and texture coordinates per mesh
constexpr int modelNameSize = 20;   // name bytes with the terminating 0
constexpr int modelMax = 100;       // models of one game
constexpr unsigned long long modelFileMaxBytes = 64ull << 20;  // a larger model file is refused

struct vertex_type {
    float x, y, z;
};
struct polygon_type {
    int a, b, c;
};
struct mapcoord_type {
    float u, v;
};

struct obj_type {
    char name[modelNameSize];
    int vertices_qty;
    int polygons_qty;
    vertex_type vertex[modelListMax];
    polygon_type polygon[modelListMax];
    mapcoord_type mapcoord[modelListMax];
    int id_texture;  // not used: model i takes texture i
};

// The meshes, by model number; they live for the whole run.
extern obj_type object[modelMax];

// 3DS chunk ids the reader acts on.
enum chunk3dsId : unsigned {
    chunkMain = 0x4D4D,
    chunkEditor = 0x3D3D,
    chunkObjectBlock = 0x4000,
    chunkTriangularMesh = 0x4100,
    chunkVerticesList = 0x4110,
    chunkFacesDescription = 0x4120,
    chunkMappingCoordinates = 0x4140,
};
constexpr unsigned chunkHeaderSize = 6;

// Fills `p_object` from a 3DS file; 1 when the file was opened and walked, 0
// (record untouched) when it is no regular file, or (with a warning) holds
// more than modelFileMaxBytes or cannot be read. The record is emptied
// first. Lists longer than modelListMax keep their first entries and the rest
// is read past; a chunk shorter than its header or reaching past the end of
// the file ends the walk. Diagnostic lines go to standard output.
char Load3DS(obj_type* p_object, const char* p_filename);

// True when triangle t of the mesh is drawn: it is one of the mesh's
// triangles and its three corners are vertices of the mesh.
bool triangleDrawable(const obj_type& mesh, int t);

// Renames and loads the `model/` and `modeltex/` folders of the loaded game's
// folder `gameFolder` (games/<name>, which the caller has from
// world/game_files) and sets both counts in `world`; always true.
bool loadGameModels(const std::string& gameFolder);

void renderModel(float x, float y, float z, float w, float h, float d, float rotx, float roty, float rotz,
                 int modelNum, int pick);
void renderModelOrtho(int x, int y, int w, int h, float rotx, float roty, float rotz, int modelNum);

// Deletes the model textures, releases `modelImg` and sets both counts to 0.
void freeModels();
