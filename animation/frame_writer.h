#pragma once
// Where finished frames go: an encoder split into the work that can run beside
// other frames (colour conversion, palettes, compression) and the writing,
// which takes the frames one after another in order.
#include <memory>

#include "base/file_result.h"

namespace ovek {

class Image;

// A frame as the writer's own preparation left it.
class PreparedFrame {
public:
    virtual ~PreparedFrame() = default;
};

class FrameWriter {
public:
    virtual ~FrameWriter() = default;
    // Called for several frames at once, from several threads. Null when the
    // frame could not be prepared (out of memory).
    virtual std::unique_ptr<PreparedFrame> prepare(const Image& frame, int index) = 0;
    // Called on one thread, for index 0, 1, 2... in order.
    virtual FileResult write(PreparedFrame& frame, int index) = 0;
    // After the last frame: trailers, indexes, flushing.
    virtual FileResult finish() = 0;
};

}  // namespace ovek
