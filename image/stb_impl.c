// The one translation unit that holds the stb image coder implementations.
// BMP is ours; TGA, HDR and PIC have no reliable signature, so content-based
// detection would take arbitrary bytes for them.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_BMP
#define STBI_NO_TGA
#define STBI_NO_HDR
#define STBI_NO_PIC
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 30000
#include <stb/stb_image.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>
