#include "mesh/chunk3ds.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr uint16_t kMain = 0x4D4D;
constexpr int kObjMesh = 0x3D3D;
constexpr int kObjBlock = 0x4000;
constexpr int kTriMesh = 0x4100;
constexpr int kVertList = 0x4110;
constexpr int kFaceList = 0x4120;
constexpr int kLocalCoordinate = 0x4160;
constexpr uint32_t kHeaderBytes = 6;

// Whether any face list below chunk holds a face. The tree is at most five
// levels deep: only the mesh chunks have children.
bool hasFaces(const BaseChunk& chunk)
{
    if (auto* f = dynamic_cast<const FaceListChunk*>(&chunk); f && !f->faces.empty())
        return true;
    for (const auto& c : chunk.children)
        if (hasFaces(*c))
            return true;
    return false;
}

bool readFinite(ChunkReader& in, float& v)
{
    if (!in.f32(v))
        return false;
    return std::isfinite(v) || in.fail("a vertex coordinate is not a finite number");
}

}  // namespace

BaseChunk* BaseChunk::createChunk(int, long)
{
    return nullptr;
}

void BaseChunk::load(ChunkReader&) {}

void BaseChunk::show()
{
    std::printf("{\r\n");
    for (auto& c : children)
        c->show();
    std::printf("}\r\n");
}

void BaseChunk::loadSubChunks(ChunkReader& in)
{
    // Every pass consumes at least a 6-byte header or ends the body, so this
    // loop ends.
    while (in.ok() && in.remaining() > 0) {
        uint16_t rawId;
        if (!in.u16(rawId) || !in.u32(subLength))
            return;
        subId = int16_t(rawId);
        if (subLength < kHeaderBytes) {
            in.fail("chunk length " + std::to_string(subLength) + " is shorter than its header");
            return;
        }
        ChunkReader body = in.take(subLength - kHeaderBytes, rawId);
        BaseChunk* made = createChunk(subId, long(subLength));
        std::unique_ptr<BaseChunk> child(made ? made : new UnknownChunk);
        child->id = rawId;
        child->length = subLength;
        child->load(body);
        children.push_back(std::move(child));
    }
}

BaseChunk* MainChunk::createChunk(int chunkId, long)
{
    if (chunkId == kObjMesh)
        return new ObjMeshChunk;
    return new UnknownChunk;
}

void MainChunk::load(ChunkReader& in)
{
    // Only a real main chunk is read with damage forgiven: anything else is
    // not a 3DS file at all.
    uint16_t rawId;
    if (in.remaining() < kHeaderBytes || !in.u16(rawId) || !in.u32(length) || rawId != kMain) {
        in.fail("not a 3DS file: it does not start with a main chunk");
        return;
    }
    subId = int16_t(rawId);
    id = rawId;
    if (length < kHeaderBytes) {
        in.fail("chunk length " + std::to_string(length) + " is shorter than its header");
        return;
    }
    ChunkReader body = in.take(length - kHeaderBytes, rawId);
    loadSubChunks(body);
}

BaseChunk* ObjMeshChunk::createChunk(int chunkId, long)
{
    if (chunkId == kObjBlock)
        return new ObjBlockChunk;
    return new UnknownChunk;
}

void ObjMeshChunk::load(ChunkReader& in)
{
    loadSubChunks(in);
}

BaseChunk* ObjBlockChunk::createChunk(int chunkId, long)
{
    if (chunkId == kTriMesh)
        return new TriMeshChunk;
    return new UnknownChunk;
}

void ObjBlockChunk::load(ChunkReader& in)
{
    // The name ends at a zero byte that must lie inside the chunk.
    do {
        if (in.remaining() == 0) {
            in.runOut("an object name runs past its chunk");
            return;
        }
        in.u8(nameChar);
    } while (nameChar != 0);
    loadSubChunks(in);
}

BaseChunk* TriMeshChunk::createChunk(int chunkId, long)
{
    switch (chunkId) {
    case kVertList:
        vertList = new VertListChunk;
        return vertList;
    case kFaceList: {
        auto* f = new FaceListChunk;
        f->vertList = vertList;
        return f;
    }
    case kLocalCoordinate:
        localCoordinate = new LocalCoordinateChunk;
        return localCoordinate;
    default:
        return new UnknownChunk;
    }
}

void TriMeshChunk::load(ChunkReader& in)
{
    loadSubChunks(in);
    // A vertex or face list cut short by the end of the file or of a parent
    // leaves the whole mesh out; the meshes before it stay.
    for (const auto& c : children) {
        const auto* v = dynamic_cast<const VertListChunk*>(c.get());
        const auto* f = dynamic_cast<const FaceListChunk*>(c.get());
        if ((v && !v->whole) || (f && !f->whole)) {
            vertList = nullptr;
            localCoordinate = nullptr;
            children.clear();
            ++in.parse().meshesLeftOut;
            return;
        }
    }
}

void VertListChunk::load(ChunkReader& in)
{
    if (!in.u16(count))
        return;
    if (size_t(count) * 12 > in.remaining()) {
        in.runOut("a vertex list runs past its chunk");
        return;
    }
    points.resize(count);
    for (VPoint& p : points)
        if (!readFinite(in, p.x) || !readFinite(in, p.y) || !readFinite(in, p.z))
            return;
    whole = true;
}

void VertListChunk::show()
{
    std::printf("_____\r\n");
    for (const VPoint& p : points)
        std::printf("(%f,%f,%f)\r\n", p.x, p.y, p.z);
    std::printf("_____\r\n");
}

void FaceListChunk::load(ChunkReader& in)
{
    if (!vertList) {
        in.fail("a face list comes before the vertex list of its mesh");
        return;
    }
    if (!in.u16(count))
        return;
    if (size_t(count) * 8 > in.remaining()) {
        in.runOut("a face list runs past its chunk");
        return;
    }
    faces.resize(count);
    for (VTriangle& f : faces) {
        uint16_t a, b, c, flags;
        if (!in.u16(a) || !in.u16(b) || !in.u16(c) || !in.u16(flags))
            return;
        const size_t n = vertList->points.size();
        if (a >= n || b >= n || c >= n) {
            in.fail("a face uses a vertex beyond the " + std::to_string(n) + " of its mesh");
            return;
        }
        f.a = a;
        f.b = b;
        f.c = c;
    }
    whole = true;
    // Material and smoothing sub-chunks follow; the chunk's end skips them.
}

void FaceListChunk::show()
{
    std::printf("_____\r\n");
    for (const VTriangle& f : faces)
        std::printf("(%d-%d-%d)\r\n", f.a, f.b, f.c);
    std::printf("_____\r\n");
}

void LocalCoordinateChunk::load(ChunkReader& in)
{
    for (auto& row : matrix)
        for (float& v : row)
            if (!in.f32(v))
                return;
}

namespace ovek {

FileResult parse3DS(const uint8_t* data, size_t size, MainChunk& root)
{
    if (size == 0)
        return FileResult::failure("the file is empty");
    ChunkParse parse;
    ChunkReader in(data, size, &parse);
    root.load(in);
    if (!parse.error.empty())
        return FileResult::failure(parse.error);
    if (parse.cut.empty())
        return FileResult::success();
    // Cut short with nothing to show: refused, so the user's mesh stays.
    if (!hasFaces(root))
        return FileResult::failure(parse.cut + ", before any complete mesh");
    std::string warning = parse.cut + "; read up to there";
    if (parse.meshesLeftOut > 0)
        warning += ", leaving out " + std::to_string(parse.meshesLeftOut) +
                   (parse.meshesLeftOut == 1 ? " mesh" : " meshes") + " cut short";
    return FileResult::withWarning(warning);
}

}  // namespace ovek
