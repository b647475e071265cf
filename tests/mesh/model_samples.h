#pragma once
// Small model files in the formats read through the model library, made here
// so that the tests know every point and face: a cube of 8 points (every
// coordinate -1 or 1, exact in any encoding) and 12 faces, and a glTF scene
// whose second node holds the same cube moved along x.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace samples {

struct Cube {
    // Point i has x = +1 where bit 0 of i is set, y for bit 1, z for bit 2; -1 elsewhere.
    static double coord(int i, int axis) { return (i >> axis) & 1 ? 1.0 : -1.0; }
    // Counter-clockwise seen from outside.
    static constexpr int faces[12][3] = {{0, 4, 6}, {0, 6, 2}, {1, 3, 7}, {1, 7, 5},
                                         {0, 1, 5}, {0, 5, 4}, {2, 6, 7}, {2, 7, 3},
                                         {0, 2, 3}, {0, 3, 1}, {4, 5, 7}, {4, 7, 6}};
};

inline std::string num(double v)
{
    return v < 0 ? "-1" : "1";
}

inline std::string cubeOBJ()
{
    // Quads, normals and texture corners, as modelling programs write them:
    // the reader must triangulate and join the corners again.
    std::string s = "# cube\no cube\n";
    for (int i = 0; i < 8; ++i)
        s += "v " + num(Cube::coord(i, 0)) + " " + num(Cube::coord(i, 1)) + " " +
             num(Cube::coord(i, 2)) + "\n";
    s += "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n";
    for (const auto& f : Cube::faces)
        s += "f " + std::to_string(f[0] + 1) + "/1/1 " + std::to_string(f[1] + 1) + "/2/1 " +
             std::to_string(f[2] + 1) + "/3/1\n";
    return s;
}

inline std::string cubeSTLText()
{
    std::string s = "solid cube\n";
    for (const auto& f : Cube::faces) {
        s += " facet normal 0 0 0\n  outer loop\n";
        for (int c : f)
            s += "   vertex " + num(Cube::coord(c, 0)) + " " + num(Cube::coord(c, 1)) + " " +
                 num(Cube::coord(c, 2)) + "\n";
        s += "  endloop\n endfacet\n";
    }
    return s + "endsolid cube\n";
}

inline void appendFloat(std::string& s, float v)
{
    char b[4];
    std::memcpy(b, &v, 4);   // little-endian machines only, as the tests run on
    s.append(b, 4);
}

inline void appendU32(std::string& s, uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        s += char(v >> (8 * k));
}

inline std::string cubeSTLBinary()
{
    std::string s(80, ' ');
    appendU32(s, 12);
    for (const auto& f : Cube::faces) {
        for (int k = 0; k < 3; ++k)
            appendFloat(s, 0);
        for (int c : f)
            for (int a = 0; a < 3; ++a)
                appendFloat(s, float(Cube::coord(c, a)));
        s += std::string(2, '\0');
    }
    return s;
}

inline std::string cubePLYText()
{
    std::string s = "ply\nformat ascii 1.0\nelement vertex 8\nproperty float x\nproperty float y\n"
                    "property float z\nelement face 6\nproperty list uchar int vertex_indices\n"
                    "end_header\n";
    for (int i = 0; i < 8; ++i)
        s += num(Cube::coord(i, 0)) + " " + num(Cube::coord(i, 1)) + " " + num(Cube::coord(i, 2)) +
             "\n";
    // Quads: two faces of the list at a time.
    for (int q = 0; q < 6; ++q) {
        const int* a = Cube::faces[2 * q];
        const int* b = Cube::faces[2 * q + 1];
        s += "4 " + std::to_string(a[0]) + " " + std::to_string(a[1]) + " " +
             std::to_string(a[2]) + " " + std::to_string(b[2]) + "\n";
    }
    return s;
}

inline std::string cubeOFF()
{
    std::string s = "OFF\n8 12 0\n";
    for (int i = 0; i < 8; ++i)
        s += num(Cube::coord(i, 0)) + " " + num(Cube::coord(i, 1)) + " " + num(Cube::coord(i, 2)) +
             "\n";
    for (const auto& f : Cube::faces)
        s += "3 " + std::to_string(f[0]) + " " + std::to_string(f[1]) + " " + std::to_string(f[2]) +
             "\n";
    return s;
}

// The cube's points as float32 and its faces as uint16: a glTF buffer.
inline std::string cubeBuffer()
{
    std::string s;
    for (int i = 0; i < 8; ++i)
        for (int a = 0; a < 3; ++a)
            appendFloat(s, float(Cube::coord(i, a)));
    for (const auto& f : Cube::faces)
        for (int c : f) {
            s += char(c);
            s += char(0);
        }
    return s;   // 96 + 72 bytes
}

inline std::string base64(const std::string& in)
{
    static const char t[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < in.size(); i += 3) {
        uint32_t v = uint32_t(uint8_t(in[i])) << 16;
        if (i + 1 < in.size())
            v |= uint32_t(uint8_t(in[i + 1])) << 8;
        if (i + 2 < in.size())
            v |= uint8_t(in[i + 2]);
        out += t[v >> 18 & 63];
        out += t[v >> 12 & 63];
        out += i + 1 < in.size() ? t[v >> 6 & 63] : '=';
        out += i + 2 < in.size() ? t[v & 63] : '=';
    }
    return out;
}

// nodesJson: the "nodes" array; bufferJson: the "buffers" array.
inline std::string gltfJson(const std::string& nodesJson, const std::string& bufferJson)
{
    const std::string scene = nodesJson.find("},{") != std::string::npos ? "[0,1]" : "[0]";
    return "{\"asset\":{\"version\":\"2.0\"},\"scene\":0,\"scenes\":[{\"nodes\":" + scene +
           "}],\"nodes\":" + nodesJson +
           ",\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":0},\"indices\":1}]}],"
           "\"buffers\":" + bufferJson +
           ",\"bufferViews\":[{\"buffer\":0,\"byteOffset\":0,\"byteLength\":96},"
           "{\"buffer\":0,\"byteOffset\":96,\"byteLength\":72}],"
           "\"accessors\":[{\"bufferView\":0,\"componentType\":5126,\"count\":8,\"type\":\"VEC3\","
           "\"min\":[-1,-1,-1],\"max\":[1,1,1]},"
           "{\"bufferView\":1,\"componentType\":5123,\"count\":36,\"type\":\"SCALAR\"}]}";
}

inline std::string embeddedBuffer()
{
    return "[{\"byteLength\":168,\"uri\":\"data:application/octet-stream;base64," +
           base64(cubeBuffer()) + "\"}]";
}

inline std::string cubeGLTF()
{
    return gltfJson("[{\"mesh\":0}]", embeddedBuffer());
}

// Two nodes of the same mesh; the second is moved by (dx, 0, 0).
inline std::string twoNodeGLTF(int dx)
{
    return gltfJson("[{\"mesh\":0},{\"mesh\":0,\"translation\":[" + std::to_string(dx) + ",0,0]}]",
                    embeddedBuffer());
}

// A glTF whose buffer is a file beside it, named name.
inline std::string cubeGLTFWithBufferFile(const std::string& name)
{
    return gltfJson("[{\"mesh\":0}]", "[{\"byteLength\":168,\"uri\":\"" + name + "\"}]");
}

inline std::string cubeGLB()
{
    std::string json = gltfJson("[{\"mesh\":0}]", "[{\"byteLength\":168}]");
    while (json.size() % 4)
        json += ' ';
    const std::string bin = cubeBuffer();   // 168 bytes, a multiple of 4
    std::string s = "glTF";
    appendU32(s, 2);
    appendU32(s, uint32_t(12 + 8 + json.size() + 8 + bin.size()));
    appendU32(s, uint32_t(json.size()));
    s += "JSON";
    s += json;
    appendU32(s, uint32_t(bin.size()));
    s += std::string("BIN\0", 4);
    return s + bin;
}

inline std::string cubeDAE()
{
    std::string pos, idx;
    for (int i = 0; i < 8; ++i)
        for (int a = 0; a < 3; ++a)
            pos += num(Cube::coord(i, a)) + " ";
    for (const auto& f : Cube::faces)
        for (int c : f)
            idx += std::to_string(c) + " ";
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<COLLADA xmlns=\"http://www.collada.org/2005/11/COLLADASchema\" version=\"1.4.1\">\n"
           "<asset><unit meter=\"1\"/><up_axis>Y_UP</up_axis></asset>\n"
           "<library_geometries><geometry id=\"cube\"><mesh>\n"
           "<source id=\"p\"><float_array id=\"pa\" count=\"24\">" + pos + "</float_array>\n"
           "<technique_common><accessor source=\"#pa\" count=\"8\" stride=\"3\">"
           "<param name=\"X\" type=\"float\"/><param name=\"Y\" type=\"float\"/>"
           "<param name=\"Z\" type=\"float\"/></accessor></technique_common></source>\n"
           "<vertices id=\"v\"><input semantic=\"POSITION\" source=\"#p\"/></vertices>\n"
           "<triangles count=\"12\"><input semantic=\"VERTEX\" source=\"#v\" offset=\"0\"/>"
           "<p>" + idx + "</p></triangles>\n"
           "</mesh></geometry></library_geometries>\n"
           "<library_visual_scenes><visual_scene id=\"s\"><node id=\"n\">"
           "<instance_geometry url=\"#cube\"/></node></visual_scene></library_visual_scenes>\n"
           "<scene><instance_visual_scene url=\"#s\"/></scene>\n</COLLADA>\n";
}

inline std::string cubeFBX()
{
    std::string pos, idx;
    for (int i = 0; i < 8; ++i)
        for (int a = 0; a < 3; ++a)
            pos += (pos.empty() ? "" : ",") + num(Cube::coord(i, a));
    // The last corner of each polygon is stored as -(index + 1).
    for (const auto& f : Cube::faces)
        idx += (idx.empty() ? "" : ",") + std::to_string(f[0]) + "," + std::to_string(f[1]) + "," +
               std::to_string(-f[2] - 1);
    return "; FBX 7.3.0 project file\n"
           "FBXHeaderExtension:  {\n\tFBXHeaderVersion: 1003\n\tFBXVersion: 7300\n}\n"
           "GlobalSettings:  {\n\tVersion: 1000\n}\n"
           "Objects:  {\n"
           "\tGeometry: 1000, \"Geometry::cube\", \"Mesh\" {\n"
           "\t\tVertices: *24 {\n\t\t\ta: " + pos + "\n\t\t}\n"
           "\t\tPolygonVertexIndex: *36 {\n\t\t\ta: " + idx + "\n\t\t}\n"
           "\t\tGeometryVersion: 124\n\t}\n"
           "\tModel: 2000, \"Model::cube\", \"Mesh\" {\n\t\tVersion: 232\n\t}\n"
           "}\n"
           "Connections:  {\n\tC: \"OO\",1000,2000\n\tC: \"OO\",2000,0\n}\n";
}

struct Sample {
    const char* ending;    // with its dot
    std::string bytes;
};

// The cube in every format the library reads, STL and PLY in both encodings.
inline std::vector<Sample> cubeSamples()
{
    return {{".obj", cubeOBJ()},  {".stl", cubeSTLText()}, {".stl", cubeSTLBinary()},
            {".ply", cubePLYText()}, {".off", cubeOFF()},  {".gltf", cubeGLTF()},
            {".glb", cubeGLB()},  {".dae", cubeDAE()},     {".fbx", cubeFBX()}};
}

}  // namespace samples
