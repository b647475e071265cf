#include "mesh/chunk_reader.h"

#include <cstdio>
#include <cstring>

#include "base/byte_order.h"

bool ChunkReader::fail(const std::string& reason)
{
    if (parse_->error.empty())
        parse_->error = reason;
    return false;
}

bool ChunkReader::runOut(const std::string& reason)
{
    if (!cut_)
        return fail(reason);
    pos_ = end_;   // nothing after a cut-short value is read
    return false;
}

bool ChunkReader::need(size_t n)
{
    if (!ok())
        return false;
    if (n <= remaining())
        return true;
    return runOut("a value runs past its chunk");
}

bool ChunkReader::u8(uint8_t& v)
{
    if (!need(1))
        return false;
    v = *pos_++;
    return true;
}

bool ChunkReader::u16(uint16_t& v)
{
    if (!need(2))
        return false;
    v = uint16_t(ovek::getLE16(pos_));
    pos_ += 2;
    return true;
}

bool ChunkReader::u32(uint32_t& v)
{
    if (!need(4))
        return false;
    v = ovek::getLE32(pos_);
    pos_ += 4;
    return true;
}

bool ChunkReader::f32(float& v)
{
    uint32_t bits;
    if (!u32(bits))
        return false;
    std::memcpy(&v, &bits, sizeof v);
    return true;
}

ChunkReader ChunkReader::take(size_t n, uint16_t id)
{
    const bool clamped = n > remaining();
    if (clamped && parse_->cut.empty()) {
        char name[16];
        std::snprintf(name, sizeof name, "0x%04X", unsigned(id));
        const bool pastFile = n > size_t(fileEnd_ - pos_);
        parse_->cut = std::string("chunk ") + name +
                      (pastFile ? " runs past the end of the file" : " runs past its parent");
    }
    const uint8_t* start = pos_;
    pos_ += clamped ? remaining() : n;
    return ChunkReader(start, pos_, fileEnd_, clamped, parse_);
}
