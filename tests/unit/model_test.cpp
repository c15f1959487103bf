// The 3DS reader on generated files, well-formed and malformed, and the
// loading of a game's model folders with their limits.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

#include "media/image_loading.h"
#include "media/image_loading_internal.h"
#include "media/model.h"
#include "media/texture.h"
#include "tests/unit/test_util.h"
#include "world/game_files.h"
#include "world/world.h"

namespace {

std::string u16(unsigned v)
{
    return {static_cast<char>(v & 0xff), static_cast<char>(v >> 8 & 0xff)};
}

std::string u32(uint32_t v)
{
    std::string out;
    for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i) & 0xff);
    return out;
}

std::string f32(float f)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    return u32(bits);
}

std::string chunk(unsigned id, const std::string& payload)
{
    return u16(id) + u32(static_cast<uint32_t>(6 + payload.size())) + payload;
}

std::string vertices(unsigned count, float scale = 1.0f)
{
    std::string out = u16(count);
    for (unsigned i = 0; i < count; ++i) out += f32(scale * i) + f32(scale * i + 0.5f) + f32(-scale * i);
    return chunk(chunkVerticesList, out);
}

std::string faces(const std::vector<std::array<unsigned, 3>>& list, const std::string& subChunks = "")
{
    std::string out = u16(static_cast<unsigned>(list.size()));
    for (const auto& f : list) out += u16(f[0]) + u16(f[1]) + u16(f[2]) + u16(0x7);
    return chunk(chunkFacesDescription, out + subChunks);
}

std::string mapping(unsigned count)
{
    std::string out = u16(count);
    for (unsigned i = 0; i < count; ++i) out += f32(0.25f * i) + f32(1.0f - 0.25f * i);
    return chunk(chunkMappingCoordinates, out);
}

std::string model(const std::string& name, const std::string& mesh, const std::string& extra = "")
{
    const std::string block = chunk(chunkObjectBlock, name + std::string(1, '\0') + chunk(chunkTriangularMesh, mesh));
    return chunk(chunkMain, chunk(0x0002, u32(3)) + chunk(chunkEditor, extra + block));
}

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override { mesh = std::make_unique<obj_type>(); }
    char load(const std::string& bytes)
    {
        const std::string path = dir.write("m.3ds", bytes);
        testing::internal::CaptureStdout();
        const char result = Load3DS(mesh.get(), path.c_str());
        output = testing::internal::GetCapturedStdout();
        return result;
    }
    testutil::TempDir dir;
    std::unique_ptr<obj_type> mesh;
    std::string output;
};

TEST_F(ModelTest, WellFormedFileFillsNameListsAndPrintsWhatItReads)
{
    const std::string other = chunk(0x1234, std::string(20, 'z'));  // length 26: skipped by moving 20 bytes
    ASSERT_EQ(load(model("pyramid", vertices(3) + mapping(3) + faces({{0, 1, 2}}), other)), 1);
    EXPECT_STREQ(mesh->name, "pyramid");
    EXPECT_EQ(mesh->vertices_qty, 3);
    EXPECT_EQ(mesh->polygons_qty, 1);
    EXPECT_EQ(std::vector<float>({mesh->vertex[2].x, mesh->vertex[2].y, mesh->vertex[2].z, mesh->mapcoord[1].u,
                                  mesh->mapcoord[1].v}),
              std::vector<float>({2, 2.5f, -2, 0.25f, 0.75f}));
    EXPECT_EQ(mesh->polygon[0].c, 2);
    for (const char* line : {"ChunkID: 4d4d\n", "ChunkID: 1234\nChunkLenght: 1a\nChunkID: 4000\n",
                             "Number of vertices: 3\nVertices list x: 0.000000\n", "Number of polygons: 1\n",
                             "Face flags: 7\n", "Mapping list v: 0.500000\n"})
        EXPECT_NE(output.find(line), std::string::npos) << line;
    EXPECT_TRUE(triangleDrawable(*mesh, 0));
}

TEST_F(ModelTest, MissingFileLeavesTheRecordUntouched)
{
    std::strcpy(mesh->name, "kept");
    mesh->vertices_qty = 5;
    EXPECT_EQ(Load3DS(mesh.get(), dir.file("absent.3ds").c_str()), 0);
    EXPECT_STREQ(mesh->name, "kept");
    EXPECT_EQ(mesh->vertices_qty, 5);
}

TEST_F(ModelTest, OverlongListsKeepTheirFirstEntriesAndTheWalkStaysInStep)
{
    const unsigned count = modelListMax + 5;
    // The faces chunk after the oversized vertices list must still be found.
    ASSERT_EQ(load(model("big", vertices(count, 0.001f) + faces({{0, 1, 2}, {7999, 8000, 8004}}))), 1);
    EXPECT_EQ(mesh->vertices_qty, modelListMax);
    EXPECT_FLOAT_EQ(mesh->vertex[modelListMax - 1].x, 0.001f * (modelListMax - 1));
    EXPECT_EQ(mesh->polygons_qty, 2);
    EXPECT_TRUE(triangleDrawable(*mesh, 0));
    EXPECT_FALSE(triangleDrawable(*mesh, 1));  // corners past the vertices kept
    EXPECT_FALSE(triangleDrawable(*mesh, 2));  // no such triangle
}

TEST_F(ModelTest, LongNamesAreCutAndTheMeshAfterThemIsRead)
{
    ASSERT_EQ(load(model("a_very_long_mesh_name_indeed", vertices(2) + faces({{0, 1, 5}}))), 1);
    EXPECT_EQ(std::strlen(mesh->name), static_cast<size_t>(modelNameSize - 1));
    EXPECT_EQ(std::string(mesh->name), std::string("a_very_long_mesh_name_indeed").substr(0, modelNameSize - 1));
    EXPECT_EQ(mesh->vertices_qty, 2);
    EXPECT_EQ(mesh->polygons_qty, 1);
    EXPECT_FALSE(triangleDrawable(*mesh, 0));  // vertex 5 does not exist
}

TEST_F(ModelTest, BadChunkLengthsEndTheWalk)
{
    // A length below the header size would never move the walk forward.
    const std::string tooShort = u16(0x1111) + u32(2) + vertices(3);
    EXPECT_EQ(load(chunk(chunkMain, tooShort)), 1);
    EXPECT_EQ(mesh->vertices_qty, 0);

    // A chunk claiming more bytes than the file holds.
    const std::string pastEnd = u16(chunkMain) + u32(1u << 30) + vertices(3);
    EXPECT_EQ(load(pastEnd), 1);
    EXPECT_EQ(mesh->vertices_qty, 0);

    // A list cut off by the end of the file keeps only its whole entries.
    const std::string twoOfFour = u16(4) + f32(1) + f32(2) + f32(3) + f32(4) + f32(5) + f32(6) + f32(7);
    EXPECT_EQ(load(model("cut", chunk(chunkVerticesList, twoOfFour))), 1);
    EXPECT_EQ(mesh->vertices_qty, 2);

    // Not a 3DS file at all, and an empty file.
    EXPECT_EQ(load("this is plain text, not a model"), 1);
    EXPECT_EQ(mesh->polygons_qty, 0);
    EXPECT_EQ(load(""), 1);
}

TEST_F(ModelTest, LaterObjectBlocksReplaceTheListsOfEarlierOnes)
{
    const std::string first = chunk(chunkObjectBlock, std::string("one") + '\0' +
                                                          chunk(chunkTriangularMesh, vertices(4) + faces({{0, 1, 2}})));
    const std::string second = chunk(chunkObjectBlock, std::string("two") + '\0' +
                                                           chunk(chunkTriangularMesh, vertices(3)));
    ASSERT_EQ(load(chunk(chunkMain, chunk(chunkEditor, first + second))), 1);
    EXPECT_STREQ(mesh->name, "two");
    EXPECT_EQ(mesh->vertices_qty, 3);
    EXPECT_EQ(mesh->polygons_qty, 1);
}

TEST(GameModels, AtMostAHundredModelsLoadAndTheRestAreNamed)
{
    testutil::TempDir dir;
    const std::string good = model("m", vertices(3) + faces({{0, 1, 2}}));
    for (int i = 0; i < modelMax + 2; ++i) dir.write("games/g/model/m" + std::to_string(1000 + i) + ".3ds", good);
    dir.write("games/g/modeltex/a.png", "x");
    testutil::ScopedCwd cwd(dir.path());
    setImageFileLoader(testutil::noTexture);
    world.setGameName("g");

    testing::internal::CaptureStdout();
    EXPECT_TRUE(loadGameModels(gameFolder("g")));
    const std::string out = testing::internal::GetCapturedStdout();
    int models = 0, textures = 0;
    world.worldGetModel(models, textures);
    EXPECT_EQ(models, modelMax);
    EXPECT_EQ(textures, 1);
    EXPECT_EQ(modelImg.size(), 1u);
    EXPECT_NE(out.find("at most 100 models; games/g/model/10100.3ds is not loaded."), std::string::npos);
    EXPECT_NE(out.find("games/g/model/10101.3ds is not loaded."), std::string::npos);
    EXPECT_TRUE(boost::filesystem::exists(dir.path() / "games/g/model/10101.3ds"));
    EXPECT_EQ(object[modelMax - 1].vertices_qty, 3);

    freeModels();
    world.worldGetModel(models, textures);
    EXPECT_EQ(std::vector<int>({models, textures}), std::vector<int>({0, 0}));
    EXPECT_TRUE(modelImg.empty());
    setImageFileLoader(nullptr);
}

}  // namespace
