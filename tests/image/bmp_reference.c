// A private copy of stb_image's BMP reader: the library's own copy leaves BMP
// out, because it refuses run-length coded and palette-carrying 16/24-bit files.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include "tests/image/bmp_reference.h"

unsigned char* referenceDecodeBMP(const unsigned char* data, int size, int* width, int* height)
{
    int channels = 0;
    return stbi_load_from_memory(data, size, width, height, &channels, 3);
}

void referenceFreeBMP(unsigned char* pixels) { stbi_image_free(pixels); }
