// Handing checked image files to the image library, told their format, and
// keeping what it decoded only when it can be made into colours safely.
#include "media/image_decode.h"

#include <IL/il.h>

#include <algorithm>

#include "core/log.h"
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

// A palette image can name colours its palette lacks; the library, turning
// it into colours for a texture, would read past the palette.
bool paletteHoldsEveryPixel()
{
    if (ilGetInteger(IL_IMAGE_FORMAT) != IL_COLOUR_INDEX) return true;
    const ILint colours = ilGetInteger(IL_PALETTE_NUM_COLS);
    const ILubyte* pixels = ilGetData();
    const ILint bytes = ilGetInteger(IL_IMAGE_SIZE_OF_DATA);
    if (ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL) != 1 || !pixels || bytes <= 0) return false;
    return std::all_of(pixels, pixels + bytes, [colours](ILubyte index) { return index < colours; });
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
    const bool decoded = ilLoad(libraryType(format), path.c_str());
    if (decoded && paletteHoldsEveryPixel()) return image;
    if (decoded)
        systemMsg(QV_WARNING "The image ^y" + path + "^w names colours its palette does not hold; it is not loaded.");
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
    // Making a texture turns a palette image into colours first; so does this.
    const bool converted = image != 0 && ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE);
    const unsigned int width = converted ? static_cast<unsigned int>(ilGetInteger(IL_IMAGE_WIDTH)) : 0;
    releaseDecodedImage(image);
    return width;
}
