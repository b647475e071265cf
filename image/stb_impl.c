// The translation unit that holds the stb_image decoder implementations.
// BMP is ours; TGA, HDR and PIC have no reliable signature, so content-based
// detection would take arbitrary bytes for them.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_BMP
#define STBI_NO_TGA
#define STBI_NO_HDR
#define STBI_NO_PIC
#define STBI_NO_STDIO
// Its reasons for a failure are then "Corrupt PNG" and the like, not decoder
// internals such as "outofdata".
#define STBI_FAILURE_USERMSG
#define STBI_MAX_DIMENSIONS 30000
#include <stb/stb_image.h>
