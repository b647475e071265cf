#pragma once
// Reading another program's file in a short-lived child process, so that
// whatever the reader does with a hostile file (crash, endless loop, memory
// without end) becomes a refusal with a reason instead of the end of the
// program. The child gets the process as it was at the fork, reads, and sends
// the mesh back through a pipe in the checked format of mesh_wire.h; the
// parent watches the clock and the child's memory and kills it past either
// limit. Nothing in the parent changes unless the answer is a sound mesh.
#include <cstddef>
#include <functional>

#include "base/file_result.h"
#include "mesh/mesh_data.h"

namespace ovek {

struct ContainLimits {
    double seconds = 30;                      // wall-clock time for the whole read
    size_t memoryBytes = size_t(3) << 30;     // memory the child may add to what it inherits
};

// Runs read in a child process and hands back what it read. On any refusal
// out is left as it was.
FileResult readContained(const std::function<FileResult(MeshData&)>& read,
                         const ContainLimits& limits, MeshData& out);

}  // namespace ovek
