#pragma once
// The message a reading process sends back: a refusal with its reason, or a
// mesh. Little-endian, without gaps:
//   "PXMW" int32 version 1, int32 kind
//   kind 0 (a mesh): uint64 N, uint64 M, N x 3 double, M x 3 uint32,
//                    uint32 length, the warning's bytes
//   kind 1 (refused): uint32 length, the reason's bytes
// The receiver trusts nothing in it: counts, indices, numbers and length are
// all checked, since it comes from a process that may have been damaged.
#include <cstddef>
#include <string>

#include "base/file_result.h"
#include "mesh/mesh_data.h"

namespace ovek {

// Reasons and warnings longer than this are cut.
constexpr size_t kMaxWireText = 4096;

// The largest message decodeMeshWire can accept: a mesh at the caps.
size_t maxMeshWireBytes();

std::string encodeMeshWire(const FileResult& result, const MeshData& data);

// The result the message carries (data filled when it is a mesh), or a
// refusal saying that the message is damaged.
FileResult decodeMeshWire(const std::string& bytes, MeshData& data);

}  // namespace ovek
