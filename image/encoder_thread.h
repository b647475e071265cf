#pragma once
// Runs an encoder on a thread of its own, so that compressing the rows
// overlaps the making of the next ones. Rows are copied into a queue of
// bounded length; the producer waits when it is full.
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "image/row_encoder.h"

namespace ovek {

class EncoderThread : public RowEncoder {
public:
    explicit EncoderThread(RowEncoder& inner, int queueRows = 128);
    ~EncoderThread() override;
    EncoderThread(const EncoderThread&) = delete;
    EncoderThread& operator=(const EncoderThread&) = delete;

    // The header is written on the calling thread, then the thread starts.
    bool start(int width, int height) override;
    // Queues a copy of the row; false once the encoder refused a row.
    bool putRow(const uint8_t* bgr) override;
    // Waits until every queued row is encoded, then finishes the file.
    bool finish() override;

private:
    void run();
    void stop();

    RowEncoder& inner_;
    const size_t queueRows_;
    size_t rowBytes_ = 0;
    std::vector<uint8_t> queue_;  // queueRows_ rows, a ring
    size_t head_ = 0;             // next row to encode
    size_t count_ = 0;            // rows waiting
    bool closing_ = false;        // no more rows will come
    bool failed_ = false;         // the encoder refused a row
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;
};

}  // namespace ovek
