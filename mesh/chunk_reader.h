#pragma once
// A bounded cursor over the bytes of one 3DS chunk body. Reads never pass the
// end of the chunk; the first failure is kept with its reason and every later
// read fails too, so a parse stops cleanly on damaged input.
#include <cstddef>
#include <cstdint>
#include <string>

class ChunkReader {
public:
    // Reads data[0 .. size) as one body; the file ends at the same place.
    ChunkReader(const uint8_t* data, size_t size, std::string* error)
        : pos_(data), end_(data + size), fileEnd_(data + size), error_(error)
    {
    }

    size_t remaining() const { return size_t(end_ - pos_); }
    bool ok() const { return error_->empty(); }
    // Keeps the first reason only; returns false for convenience.
    bool fail(const std::string& reason);

    bool u8(uint8_t& v);
    bool u16(uint16_t& v);
    bool u32(uint32_t& v);
    bool f32(float& v);

    // Hands over the next n bytes as a body of their own and moves past them.
    // Fails (with a reason that tells whether the parent or the whole file is
    // too short) when fewer than n bytes remain.
    bool take(size_t n, ChunkReader& body);

private:
    ChunkReader(const uint8_t* pos, const uint8_t* end, const uint8_t* fileEnd, std::string* error)
        : pos_(pos), end_(end), fileEnd_(fileEnd), error_(error)
    {
    }
    bool need(size_t n);

    const uint8_t* pos_;
    const uint8_t* end_;
    const uint8_t* fileEnd_;
    std::string* error_;   // shared by every body of one parse
};
