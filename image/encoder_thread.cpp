#include "image/encoder_thread.h"

#include <cstring>

namespace ovek {

EncoderThread::EncoderThread(RowEncoder& inner, int queueRows)
    : inner_(inner), queueRows_(size_t(queueRows))
{
}

EncoderThread::~EncoderThread()
{
    stop();
}

bool EncoderThread::start(int width, int height)
{
    if (!inner_.start(width, height))
        return false;
    rowBytes_ = 3 * size_t(width);
    queue_.resize(queueRows_ * rowBytes_);
    thread_ = std::thread(&EncoderThread::run, this);
    return true;
}

bool EncoderThread::putRow(const uint8_t* bgr)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return count_ < queueRows_ || failed_; });
    if (failed_)
        return false;
    std::memcpy(&queue_[(head_ + count_) % queueRows_ * rowBytes_], bgr, rowBytes_);
    ++count_;
    changed_.notify_all();
    return true;
}

void EncoderThread::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return count_ > 0 || closing_; });
        if (count_ == 0)
            return;
        // The row stays in its slot until encoded: the producer fills others.
        const uint8_t* row = &queue_[head_ * rowBytes_];
        lock.unlock();
        const bool ok = inner_.putRow(row);
        lock.lock();
        head_ = (head_ + 1) % queueRows_;
        --count_;
        failed_ = failed_ || !ok;
        changed_.notify_all();
        if (failed_)
            return;
    }
}

void EncoderThread::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
        changed_.notify_all();
    }
    if (thread_.joinable())
        thread_.join();
}

bool EncoderThread::finish()
{
    stop();
    return !failed_ && count_ == 0 && inner_.finish();
}

}  // namespace ovek
