#include "mesh/chunk_reader.h"

#include <cstring>

#include "base/byte_order.h"

bool ChunkReader::fail(const std::string& reason)
{
    if (error_->empty())
        *error_ = reason;
    return false;
}

bool ChunkReader::need(size_t n)
{
    if (!ok())
        return false;
    if (n <= remaining())
        return true;
    return fail(end_ == fileEnd_ ? "the file ends inside a chunk" : "a value runs past its chunk");
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

bool ChunkReader::take(size_t n, ChunkReader& body)
{
    if (!ok())
        return false;
    if (n > remaining()) {
        const bool pastFile = n > size_t(fileEnd_ - pos_);
        return fail(pastFile ? "chunk runs past the end of the file" : "chunk runs past its parent");
    }
    body = ChunkReader(pos_, pos_ + n, fileEnd_, error_);
    pos_ += n;
    return true;
}
