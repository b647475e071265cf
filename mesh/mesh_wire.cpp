#include "mesh/mesh_wire.h"

#include <cmath>
#include <cstring>

#include "base/byte_order.h"

namespace ovek {

namespace {

constexpr char kMagic[4] = {'P', 'X', 'M', 'W'};
constexpr size_t kHeadBytes = 12;

void put64(std::string& out, uint64_t v)
{
    appendLE32(out, uint32_t(v));
    appendLE32(out, uint32_t(v >> 32));
}

uint64_t get64(const uint8_t* p)
{
    return uint64_t(getLE32(p)) | uint64_t(getLE32(p + 4)) << 32;
}

void putText(std::string& out, const std::string& text)
{
    const std::string cut = text.substr(0, kMaxWireText);
    appendLE32(out, uint32_t(cut.size()));
    out += cut;
}

// Reads the length-prefixed text at at, which must end the message exactly.
bool getLastText(const std::string& bytes, size_t at, std::string& text)
{
    if (bytes.size() - at < 4)
        return false;
    const uint32_t n = getLE32(reinterpret_cast<const uint8_t*>(bytes.data()) + at);
    if (n > kMaxWireText || bytes.size() - at - 4 != n)
        return false;
    text = bytes.substr(at + 4);
    return true;
}

FileResult damaged(const char* what)
{
    return FileResult::failure(std::string("the reading process sent a damaged answer (") + what +
                               ")");
}

}  // namespace

size_t maxMeshWireBytes()
{
    return kHeadBytes + 16 + 24 * kMaxModelPoints + 12 * kMaxModelFaces + 4 + kMaxWireText;
}

std::string encodeMeshWire(const FileResult& result, const MeshData& data)
{
    std::string out(kMagic, 4);
    appendLE32(out, 1);
    appendLE32(out, result ? 0 : 1);
    if (!result) {
        putText(out, result.error);
        return out;
    }
    put64(out, data.pointCount());
    put64(out, data.faceCount());
    out.reserve(out.size() + 8 * data.xyz.size() + 4 * data.corners.size() + 4 +
                data.warning.size());
    for (double v : data.xyz) {
        uint64_t u;
        std::memcpy(&u, &v, 8);
        put64(out, u);
    }
    for (uint32_t c : data.corners)
        appendLE32(out, c);
    putText(out, data.warning);
    return out;
}

FileResult decodeMeshWire(const std::string& bytes, MeshData& data)
{
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    if (bytes.size() < kHeadBytes || std::memcmp(p, kMagic, 4) != 0 || getLE32(p + 4) != 1)
        return damaged("no header");
    const uint32_t kind = getLE32(p + 8);
    if (kind == 1) {
        std::string why;
        if (!getLastText(bytes, kHeadBytes, why) || why.empty())
            return damaged("no reason");
        return FileResult::failure(why);
    }
    if (kind != 0 || bytes.size() < kHeadBytes + 16)
        return damaged("unknown kind");
    const uint64_t n = get64(p + kHeadBytes);
    const uint64_t m = get64(p + kHeadBytes + 8);
    if (!meshCountProblem(n, m).empty())
        return damaged("counts past the caps");
    // Within the caps the sizes below cannot overflow.
    const size_t pointsAt = kHeadBytes + 16;
    const size_t facesAt = pointsAt + 24 * size_t(n);
    const size_t textAt = facesAt + 12 * size_t(m);
    if (bytes.size() < textAt)
        return damaged("cut short");
    MeshData read;
    if (!getLastText(bytes, textAt, read.warning))
        return damaged("bad ending");
    read.xyz.resize(3 * size_t(n));
    for (size_t i = 0; i < read.xyz.size(); ++i) {
        const uint64_t u = get64(p + pointsAt + 8 * i);
        std::memcpy(&read.xyz[i], &u, 8);
        if (!std::isfinite(read.xyz[i]))
            return damaged("a number that is not finite");
    }
    read.corners.resize(3 * size_t(m));
    for (size_t i = 0; i < read.corners.size(); ++i) {
        read.corners[i] = getLE32(p + facesAt + 4 * i);
        if (read.corners[i] >= n)
            return damaged("a face past the points");
    }
    data = std::move(read);
    return data.warning.empty() ? FileResult::success() : FileResult::withWarning(data.warning);
}

}  // namespace ovek
