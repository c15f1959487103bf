// The 3DS reader: any bytes walked as a 3DS file into one mesh record, whose
// triangles are then checked for drawing as the renderer does.
#include "media/model.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enterFuzzFolder();
    static obj_type mesh;
    const std::string path = writeInput("model.3ds", data, size);
    if (Load3DS(&mesh, path.c_str()) != 1) __builtin_trap();
    for (int t = 0; t < mesh.polygons_qty; ++t) triangleDrawable(mesh, t);
    endInput();
    return 0;
}
