#pragma once
// A bounded cursor over the bytes of one 3DS chunk body. Reads never pass the
// end of the chunk. A chunk whose length runs past its parent or the file is
// clamped to what is there and marked cut: running out inside it is the end of
// what the file holds, not a fault. Running out inside a whole chunk is a
// fault: the first one is kept with its reason and every later read fails, so
// a parse stops cleanly on damaged input.
#include <cstddef>
#include <cstdint>
#include <string>

// What one parse has found so far; every body of the parse shares it.
struct ChunkParse {
    std::string error;      // the first fault: the file is refused
    std::string cut;        // the first chunk clamped to what is there
    int meshesLeftOut = 0;  // meshes dropped because a list of theirs was cut short
};

class ChunkReader {
public:
    // Reads data[0 .. size) as one whole body; the file ends at the same place.
    ChunkReader(const uint8_t* data, size_t size, ChunkParse* parse)
        : pos_(data), end_(data + size), fileEnd_(data + size), parse_(parse)
    {
    }

    size_t remaining() const { return size_t(end_ - pos_); }
    bool ok() const { return parse_->error.empty(); }
    ChunkParse& parse() const { return *parse_; }
    // Keeps the first reason only; returns false for convenience.
    bool fail(const std::string& reason);
    // The data needs more than remains: in a cut body this ends the body
    // quietly, in a whole one it fails with the reason. Returns false.
    bool runOut(const std::string& reason);

    bool u8(uint8_t& v);
    bool u16(uint16_t& v);
    bool u32(uint32_t& v);
    bool f32(float& v);

    // Hands over the next n bytes, the body of chunk id, as a body of their
    // own and moves past them. When fewer remain, the body is clamped to them
    // and cut, and the first such chunk is noted in the parse.
    ChunkReader take(size_t n, uint16_t id);

private:
    ChunkReader(const uint8_t* pos, const uint8_t* end, const uint8_t* fileEnd, bool clamped,
                ChunkParse* parse)
        : pos_(pos), end_(end), fileEnd_(fileEnd), cut_(clamped), parse_(parse)
    {
    }
    bool need(size_t n);

    const uint8_t* pos_;
    const uint8_t* end_;
    const uint8_t* fileEnd_;
    bool cut_ = false;   // clamped short of its chunk's length
    ChunkParse* parse_;
};
