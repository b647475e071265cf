#pragma once
// An independent BMP decoder to compare ours with (stb_image, BMP only).
#ifdef __cplusplus
extern "C" {
#endif

// Red, green, blue triples, top row first, or NULL when it refuses the file.
// Release with referenceFreeBMP.
unsigned char* referenceDecodeBMP(const unsigned char* data, int size, int* width, int* height);
void referenceFreeBMP(unsigned char* pixels);

#ifdef __cplusplus
}
#endif
