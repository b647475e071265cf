#pragma once
// A tiny writer of 3DS chunk files: enough of the chunk tree (main, editor,
// named object, triangle mesh, vertex list, face list with an optional material
// group) to build small test and demo files. Every chunk is a 16-bit id and a
// 32-bit length that counts its 6-byte header, little-endian.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace threeds {

enum ChunkId : uint16_t {
    kMain = 0x4D4D,
    kVersion = 0x0002,
    kEditor = 0x3D3D,
    kObject = 0x4000,
    kTriMesh = 0x4100,
    kVertexList = 0x4110,
    kFaceList = 0x4120,
    kFaceMaterial = 0x4130,
    kSmoothGroups = 0x4150,
    kLocalAxes = 0x4160,
};

inline std::string u16(uint16_t v)
{
    return std::string{char(v & 0xFF), char(v >> 8)};
}

inline std::string u32(uint32_t v)
{
    return u16(uint16_t(v & 0xFFFF)) + u16(uint16_t(v >> 16));
}

inline std::string f32(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    return u32(bits);
}

// A chunk with the given body; length overrides the computed length when set,
// so that tests can write damaged files.
inline std::string chunk(uint16_t id, const std::string& body, int64_t length = -1)
{
    return u16(id) + u32(length >= 0 ? uint32_t(length) : uint32_t(body.size() + 6)) + body;
}

struct Vertex {
    float x = 0;
    float y = 0;
    float z = 0;
};

struct Face {
    uint16_t a = 0;
    uint16_t b = 0;
    uint16_t c = 0;
    uint16_t flags = 7;   // edge visibility bits, ignored by readers of shape
};

struct Object {
    std::string name = "Object";
    std::vector<Vertex> vertices;
    std::vector<Face> faces;
    std::string material;   // when not empty, a material group over every face follows the faces
};

inline std::string vertexList(const std::vector<Vertex>& vertices)
{
    std::string body = u16(uint16_t(vertices.size()));
    for (const Vertex& v : vertices)
        body += f32(v.x) + f32(v.y) + f32(v.z);
    return chunk(kVertexList, body);
}

inline std::string faceList(const std::vector<Face>& faces, const std::string& material = {})
{
    std::string body = u16(uint16_t(faces.size()));
    for (const Face& f : faces)
        body += u16(f.a) + u16(f.b) + u16(f.c) + u16(f.flags);
    if (!material.empty()) {
        std::string group = material + std::string(1, '\0') + u16(uint16_t(faces.size()));
        for (size_t i = 0; i < faces.size(); ++i)
            group += u16(uint16_t(i));
        body += chunk(kFaceMaterial, group);
        body += chunk(kSmoothGroups, std::string(4 * faces.size(), '\0'));
    }
    return chunk(kFaceList, body);
}

// The identity local axes of an object.
inline std::string localAxes()
{
    std::string body;
    const float m[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    for (float v : m)
        body += f32(v);
    return chunk(kLocalAxes, body);
}

inline std::string object(const Object& o)
{
    const std::string mesh =
        chunk(kTriMesh, vertexList(o.vertices) + faceList(o.faces, o.material) + localAxes());
    return chunk(kObject, o.name + std::string(1, '\0') + mesh);
}

// A whole file: main chunk with a version, editor chunk with the objects.
inline std::string file(const std::vector<Object>& objects)
{
    std::string editor;
    for (const Object& o : objects)
        editor += object(o);
    return chunk(kMain, chunk(kVersion, u32(3)) + chunk(kEditor, editor));
}

}  // namespace threeds
