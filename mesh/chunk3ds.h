#pragma once
// The part of the 3DS chunk tree that holds triangle meshes. Every chunk starts
// with a 6-byte header, id (16 bits) and length (32 bits, header included), all
// little-endian. Chunks of other ids are skipped by their length; a chunk
// longer than its parent or the file is read as far as it goes.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/file_result.h"
#include "mesh/chunk_reader.h"

class BaseChunk {
public:
    int16_t subId = 0;          // header of the sub-chunk being read
    uint32_t subLength = 0;
    std::vector<std::unique_ptr<BaseChunk>> children;   // in file order
    uint16_t id = 0;            // this chunk's header
    uint32_t length = 0;        // bytes, header included

    BaseChunk() = default;
    virtual ~BaseChunk() = default;
    BaseChunk(const BaseChunk&) = delete;
    BaseChunk& operator=(const BaseChunk&) = delete;

    // The object for a sub-chunk with this header, or null when this chunk has
    // no sub-chunks it understands.
    virtual BaseChunk* createChunk(int chunkId, long chunkLength);
    // Reads the chunk body from in, which ends where the chunk ends (or where
    // the file or the parent ends, when in is cut).
    virtual void load(ChunkReader& in);
    // Debug dump to standard output.
    virtual void show();

    void add(BaseChunk* child) { children.emplace_back(child); }
    // Reads sub-chunks until the body is used up, cut short or damaged.
    void loadSubChunks(ChunkReader& in);
};

struct VPoint {
    float x = 0;
    float y = 0;
    float z = 0;
};

struct VTriangle {
    int a = 0;   // vertex indices, base 0
    int b = 0;
    int c = 0;
};

// 0x4D4D, the whole file: reads its own header first.
class MainChunk : public BaseChunk {
public:
    BaseChunk* createChunk(int chunkId, long chunkLength) override;
    void load(ChunkReader& in) override;
};

// 0x3D3D, the editor data.
class ObjMeshChunk : public BaseChunk {
public:
    BaseChunk* createChunk(int chunkId, long chunkLength) override;
    void load(ChunkReader& in) override;
};

// 0x4000, a named object.
class ObjBlockChunk : public BaseChunk {
public:
    uint8_t nameChar = 0;   // the last name byte read

    BaseChunk* createChunk(int chunkId, long chunkLength) override;
    void load(ChunkReader& in) override;
};

class VertListChunk;
class LocalCoordinateChunk;

// 0x4100, a triangle mesh. When one of its lists is cut short it drops its
// children and its list pointers: the mesh is left out.
class TriMeshChunk : public BaseChunk {
public:
    VertListChunk* vertList = nullptr;                 // the last vertex list made; not owned
    LocalCoordinateChunk* localCoordinate = nullptr;   // not owned

    BaseChunk* createChunk(int chunkId, long chunkLength) override;
    void load(ChunkReader& in) override;
};

// 0x4110, the vertices of a mesh.
class VertListChunk : public BaseChunk {
public:
    uint16_t count = 0;
    std::vector<VPoint> points;
    bool whole = false;   // all count points were read

    void load(ChunkReader& in) override;
    void show() override;
};

// 0x4120, the faces of a mesh over its vertex list; material and smoothing
// sub-chunks after the faces are skipped.
class FaceListChunk : public BaseChunk {
public:
    uint16_t count = 0;
    VertListChunk* vertList = nullptr;   // the mesh's vertex list when met; not owned
    std::vector<VTriangle> faces;
    bool whole = false;                  // all count faces were read

    void load(ChunkReader& in) override;
    void show() override;
};

// 0x4160, the object's local axes and origin; stored, never applied.
class LocalCoordinateChunk : public BaseChunk {
public:
    float matrix[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};

    void load(ChunkReader& in) override;
    void show() override {}
};

// Any other chunk: skipped by its length.
class UnknownChunk : public BaseChunk {
public:
    void show() override {}
};

namespace ovek {

// Files larger than this are refused before they are read.
constexpr size_t kMax3DSBytes = size_t(64) << 20;

// Reads the chunk tree of a whole file into root.
// Refused as a whole, with the reason: a file that does not start with a main
// chunk (0x4D4D), a chunk shorter than its header, a name, list or value
// running past a chunk that is all there, a face list before its vertex list,
// a face index beyond its vertex list, a coordinate that is not finite.
// Read with a warning: a chunk running past its parent or the file is clamped
// to what is there; a mesh whose vertex or face list is cut short by it is left
// out, the rest is kept. Refused when that leaves no face at all.
FileResult parse3DS(const uint8_t* data, size_t size, MainChunk& root);

}  // namespace ovek
