// Handing checked image files to the image library, told their format.
#include "media/image_decode.h"

#include <IL/il.h>

#include "media/image_header.h"
#include "media/image_loading_internal.h"

namespace {

ILenum libraryType(imageFormat format)
{
    switch (format) {
    case imageFormatPng: return IL_PNG;
    case imageFormatJpeg: return IL_JPG;
    case imageFormatGif: return IL_GIF;
    case imageFormatBmp: return IL_BMP;
    case imageFormatTga: return IL_TGA;
    case imageFormatNone: break;
    }
    return IL_TYPE_UNKNOWN;
}

// The library keeps a stack of errors; a failed load leaves its own there.
void clearLibraryErrors()
{
    while (ilGetError() != IL_NO_ERROR) {
    }
}

}  // namespace

unsigned int decodeImageFile(const std::string& path)
{
    const imageFormat format = checkImageFile(path).format;
    if (format == imageFormatNone) return 0;
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (ilLoad(libraryType(format), path.c_str())) return image;
    clearLibraryErrors();
    releaseDecodedImage(image);
    return 0;
}

void releaseDecodedImage(unsigned int image)
{
    if (image != 0) ilDeleteImages(1, &image);
}

unsigned int decodeWithoutTexture(const std::string& filename)
{
    const unsigned int image = decodeImageFile(filename);
    const unsigned int width = image != 0 ? static_cast<unsigned int>(ilGetInteger(IL_IMAGE_WIDTH)) : 0;
    releaseDecodedImage(image);
    return width;
}
