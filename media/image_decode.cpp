// Handing checked image bytes to the image library, told their format (BMP
// pixels laid out by colour masks turned into the pixels it reads exactly),
// and keeping what it decoded only when it can be made into colours safely.
#include "media/image_decode.h"

#include <IL/il.h>

#include <algorithm>

#include "core/log.h"
#include "media/image_bmp.h"
#include "media/image_loading_internal.h"

namespace {

ILenum libraryType(imageFormat format)
{
    static const struct {
        imageFormat format;
        ILenum type;
    } types[] = {{imageFormatPng, IL_PNG}, {imageFormatJpeg, IL_JPG}, {imageFormatGif, IL_GIF},
                 {imageFormatBmp, IL_BMP}, {imageFormatTga, IL_TGA}};
    for (const auto& t : types)
        if (t.format == format) return t.type;
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

// The library's errors in its own words (those of its utility library,
// which is not needed to say them).
std::string errorText(ILenum error)
{
    static const struct {
        ILenum error;
        const char* text;
    } texts[] = {
        {IL_OUT_OF_MEMORY, "out of memory"},
        {IL_FORMAT_NOT_SUPPORTED, "format not supported"},
        {IL_INTERNAL_ERROR, "internal error"},
        {IL_INVALID_VALUE, "invalid value"},
        {IL_ILLEGAL_OPERATION, "illegal operation"},
        {IL_ILLEGAL_FILE_VALUE, "illegal file value"},
        {IL_INVALID_FILE_HEADER, "invalid file header"},
        {IL_INVALID_PARAM, "invalid parameter"},
        {IL_INVALID_CONVERSION, "invalid conversion"},
        {IL_BAD_DIMENSIONS, "bad dimensions"},
        {IL_FILE_READ_ERROR, "file read error"},
        {IL_LIB_GIF_ERROR, "gif library error"},
        {IL_LIB_JPEG_ERROR, "jpeg library error"},
        {IL_LIB_PNG_ERROR, "png library error"},
    };
    for (const auto& t : texts)
        if (t.error == error) return t.text;
    return "error " + std::to_string(error);
}

}  // namespace

std::string imageLibraryReason()
{
    // The library keeps a stack of errors; the first one says what went wrong.
    std::string reason;
    for (ILenum error = ilGetError(); error != IL_NO_ERROR; error = ilGetError())
        if (reason.empty()) reason = errorText(error);
    return reason.empty() ? "no reason given" : reason;
}

void warnImageNotLoaded(const std::string& path, const std::string& what, const std::string& reason)
{
    systemMsg(QV_WARNING "The image ^y" + path + "^w could not be " + what + ": " + reason + "; it is not loaded.");
}

unsigned int decodeImage(const checkedImage& image)
{
    if (image.format == imageFormatNone) return 0;
    imageLibraryReason();  // nothing left from before is blamed on this image
    const std::string colourPixels = image.format == imageFormatBmp ? bmpWithColourPixels(image.bytes) : "";
    const std::string_view bytes = colourPixels.empty() ? image.bytes.view() : std::string_view(colourPixels);
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    const bool decoded = ilLoadL(libraryType(image.format), bytes.data(), static_cast<ILuint>(bytes.size()));
    const std::string reason = imageLibraryReason();  // a success may leave errors too
    if (decoded && paletteHoldsEveryPixel()) return name;
    if (decoded)
        systemMsg(QV_WARNING "The image ^y" + image.path +
                  "^w names colours its palette does not hold; it is not loaded.");
    else
        warnImageNotLoaded(image.path, "decoded", reason);
    releaseDecodedImage(name);
    return 0;
}

void releaseDecodedImage(unsigned int image)
{
    if (image != 0) ilDeleteImages(1, &image);
}

unsigned int decodeWithoutTexture(const checkedImage& image)
{
    const unsigned int decoded = decodeImage(image);
    // Making a texture turns a palette image into colours first; so does this.
    const bool converted = decoded != 0 && ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE);
    const unsigned int width = converted ? static_cast<unsigned int>(ilGetInteger(IL_IMAGE_WIDTH)) : 0;
    if (decoded != 0 && !converted) warnImageNotLoaded(image.path, "made into colours", imageLibraryReason());
    releaseDecodedImage(decoded);
    return width;
}
