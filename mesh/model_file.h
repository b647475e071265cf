#pragma once
// The program's own model file (.om): the current point positions with their
// selection and the faces as point indices, little-endian, without gaps:
//   int32 0, int32 N, N x (double x, y, z, byte selected), int32 M, M x 3 int32.
// A file of N points and M faces is 12 + 25 N + 12 M bytes; anything after the
// faces is ignored.
#include <cstddef>
#include <cstdint>

#include "base/file_result.h"
#include "mesh/component3d.h"

namespace ovek {

// Files larger than this are refused before they are read, and meshes whose
// file would be larger are refused before they are written, so that every saved
// file reads back. Each 25-byte point record becomes two 64-byte points in
// memory: a file at the cap already needs several times its size.
constexpr size_t kMaxModelBytes = size_t(256) << 20;

// The size of the file saveModel writes for a mesh with these counts.
uint64_t modelFileBytes(uint64_t points, uint64_t faces);

// Writes the mesh's points (current positions) and faces. The file is replaced
// only by a complete one: a failed save, or a mesh too large for
// kMaxModelBytes, leaves an existing file as it was.
FileResult saveModel(const char* path, const Component3D* mesh);

// Replaces the mesh's points, static points and faces with the file's; the
// transform, modes and counters stay. A truncated or inconsistent file is
// refused as a whole and the mesh keeps what it had; bytes after the faces
// are ignored.
FileResult loadModel(const char* path, Component3D* mesh);

// loadModel over bytes already in memory.
FileResult decodeModel(const uint8_t* data, size_t size, Component3D* mesh);

// The directory that was current at the first call, for the life of the program.
const char* getRootPath();

}  // namespace ovek
