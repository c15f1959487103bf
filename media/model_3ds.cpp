// The 3DS reader: walks the chunks of an untrusted file and fills one mesh.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <utility>

#include "core/file_read.h"
#include "core/log.h"
#include "media/model.h"

namespace {

constexpr size_t vertexBytes = 12;   // three 32-bit floats
constexpr size_t faceBytes = 8;      // four 16-bit words
constexpr size_t mapcoordBytes = 8;  // two 32-bit floats

// A bounded little-endian cursor over the file's bytes.
class chunkReader {
public:
    explicit chunkReader(std::string bytes) : data(std::move(bytes)) {}
    size_t size() const { return data.size(); }
    size_t position() const { return pos; }
    size_t remaining() const { return data.size() - pos; }
    void seek(size_t p) { pos = p < data.size() ? p : data.size(); }
    void skip(size_t n) { seek(n > remaining() ? data.size() : pos + n); }

    bool u8(unsigned& out)
    {
        if (remaining() < 1) return false;
        out = byteAt(pos++);
        return true;
    }
    bool u16(unsigned& out)
    {
        if (remaining() < 2) return false;
        out = byteAt(pos) | byteAt(pos + 1) << 8;
        pos += 2;
        return true;
    }
    bool u32(unsigned long& out)
    {
        if (remaining() < 4) return false;
        out = 0;
        for (int i = 3; i >= 0; --i) out = out << 8 | byteAt(pos + static_cast<size_t>(i));
        pos += 4;
        return true;
    }
    bool f32(float& out)
    {
        unsigned long bits = 0;
        if (!u32(bits)) return false;
        const uint32_t word = static_cast<uint32_t>(bits);
        std::memcpy(&out, &word, sizeof out);
        return true;
    }

private:
    std::string data;
    size_t pos = 0;

    unsigned byteAt(size_t at) const { return static_cast<unsigned char>(data[at]); }
};

// How many entries of a list of `count` fit the table, and how many of those
// the file still holds in full.
int storedEntries(unsigned count, size_t entryBytes, const chunkReader& in)
{
    size_t n = count < static_cast<unsigned>(modelListMax) ? count : static_cast<unsigned>(modelListMax);
    const size_t available = in.remaining() / entryBytes;
    return static_cast<int>(n < available ? n : available);
}

// The entries past the table's capacity are read past, so the walk stays in
// step with the file.
void skipExcess(unsigned count, int stored, size_t entryBytes, chunkReader& in)
{
    if (count > static_cast<unsigned>(stored)) in.skip((count - static_cast<unsigned>(stored)) * entryBytes);
}

void readName(obj_type& mesh, chunkReader& in, size_t chunkEnd)
{
    size_t length = 0;
    unsigned byte = 0;
    while (in.position() < chunkEnd && in.u8(byte) && byte != 0) {
        if (length + 1 < static_cast<size_t>(modelNameSize)) mesh.name[length++] = static_cast<char>(byte);
    }
    mesh.name[length] = '\0';
}

void readVertices(obj_type& mesh, chunkReader& in)
{
    unsigned count = 0;
    if (!in.u16(count)) return;
    const int stored = storedEntries(count, vertexBytes, in);
    mesh.vertices_qty = stored;
    std::printf("Number of vertices: %d\n", static_cast<int>(count));
    for (int i = 0; i < stored; ++i) {
        vertex_type& v = mesh.vertex[i];
        in.f32(v.x);
        in.f32(v.y);
        in.f32(v.z);
        std::printf("Vertices list x: %f\n", v.x);
        std::printf("Vertices list y: %f\n", v.y);
        std::printf("Vertices list z: %f\n", v.z);
    }
    skipExcess(count, stored, vertexBytes, in);
}

void readFaces(obj_type& mesh, chunkReader& in)
{
    unsigned count = 0;
    if (!in.u16(count)) return;
    const int stored = storedEntries(count, faceBytes, in);
    mesh.polygons_qty = stored;
    std::printf("Number of polygons: %d\n", static_cast<int>(count));
    for (int i = 0; i < stored; ++i) {
        unsigned a = 0, b = 0, c = 0, flags = 0;
        in.u16(a);
        in.u16(b);
        in.u16(c);
        in.u16(flags);
        mesh.polygon[i] = polygon_type{static_cast<int>(a), static_cast<int>(b), static_cast<int>(c)};
        std::printf("Polygon point a: %d\n", mesh.polygon[i].a);
        std::printf("Polygon point b: %d\n", mesh.polygon[i].b);
        std::printf("Polygon point c: %d\n", mesh.polygon[i].c);
        std::printf("Face flags: %x\n", flags);
    }
    skipExcess(count, stored, faceBytes, in);
}

void readMapping(obj_type& mesh, chunkReader& in)
{
    unsigned count = 0;
    if (!in.u16(count)) return;
    const int stored = storedEntries(count, mapcoordBytes, in);
    for (int i = 0; i < stored; ++i) {
        in.f32(mesh.mapcoord[i].u);
        in.f32(mesh.mapcoord[i].v);
        std::printf("Mapping list u: %f\n", mesh.mapcoord[i].u);
        std::printf("Mapping list v: %f\n", mesh.mapcoord[i].v);
    }
    skipExcess(count, stored, mapcoordBytes, in);
}

// The whole file, when it is a regular file of at most modelFileMaxBytes
// that can be read; false otherwise (a file too large or unreadable is named
// in a warning; anything but a file is named by the folder walk).
bool readModelFile(const std::string& path, std::string& bytes)
{
    std::string reason;
    fileReadResult result;
    try {
        result = readWholeFile(path, modelFileMaxBytes, bytes, reason);
    } catch (const std::exception& e) {
        result = fileReadResult::failed;
        reason = std::string("cannot be read: ") + e.what();
    }
    if (result == fileReadResult::tooLarge || result == fileReadResult::failed)
        systemMsg(QV_WARNING "The model ^y" + path + "^w " + reason + "; it is not loaded.");
    return result == fileReadResult::read;
}

}  // namespace

char Load3DS(obj_type* p_object, const char* p_filename)
{
    if (!p_object || !p_filename) return 0;
    std::string bytes;
    if (!readModelFile(p_filename, bytes)) return 0;
    chunkReader in(std::move(bytes));

    obj_type& mesh = *p_object;
    std::memset(&mesh, 0, sizeof mesh);

    while (in.position() < in.size()) {
        const size_t start = in.position();
        unsigned id = 0;
        unsigned long length = 0;
        if (!in.u16(id)) break;
        std::printf("ChunkID: %x\n", id);
        if (!in.u32(length)) break;
        std::printf("ChunkLenght: %lx\n", length);
        if (length < chunkHeaderSize || length > in.size() - start) break;
        const size_t chunkEnd = start + length;

        switch (id) {
        case chunkMain:
        case chunkEditor:
        case chunkTriangularMesh:
            break;  // containers: their sub-chunks follow
        case chunkObjectBlock:
            readName(mesh, in, chunkEnd);
            break;
        case chunkVerticesList:
            readVertices(mesh, in);
            break;
        case chunkFacesDescription:
            readFaces(mesh, in);
            break;
        case chunkMappingCoordinates:
            readMapping(mesh, in);
            break;
        default:
            in.seek(chunkEnd);
            break;
        }
        if (in.position() <= start) break;  // the walk only moves forward
    }
    return 1;
}
