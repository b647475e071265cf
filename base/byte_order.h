#pragma once
// Little-endian fields, as every file the program reads and writes stores them.
#include <cstdint>
#include <string>

namespace ovek {

inline uint32_t getLE16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
inline uint32_t getLE32(const uint8_t* p) { return getLE16(p) | getLE16(p + 2) << 16; }

inline void putLE16(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void putLE32(uint8_t* p, uint32_t v)
{
    putLE16(p, v & 0xffff);
    putLE16(p + 2, v >> 16);
}
inline void appendLE32(std::string& out, uint32_t v)
{
    uint8_t b[4];
    putLE32(b, v);
    out.append(reinterpret_cast<const char*>(b), 4);
}

}  // namespace ovek
