#include "engine/worker_pool.h"

#include <algorithm>
#include <atomic>
#include <system_error>

WorkerPool::WorkerPool(int threads)
{
    if (threads < 1)
        threads = coreCount();
    try {
        for (int i = 1; i < threads; ++i)
            threads_.emplace_back([this, i] { serve(i); });
    } catch (const std::system_error&) {
        // The system has no thread to spare: the threads made so far do the work.
    }
}

WorkerPool::~WorkerPool()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : threads_)
        t.join();
}

int WorkerPool::coreCount()
{
    return std::max(1, int(std::thread::hardware_concurrency()));
}

void WorkerPool::run(const std::function<void(int worker)>& job)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        job_ = &job;
        busy_ = int(threads_.size());
        ++generation_;
    }
    wake_.notify_all();
    job(0);
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return busy_ == 0; });
    job_ = nullptr;
}

void WorkerPool::serve(int worker)
{
    unsigned seen = 0;
    for (;;) {
        const std::function<void(int)>* job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_)
                return;
            seen = generation_;
            job = job_;
        }
        (*job)(worker);
        std::lock_guard<std::mutex> lock(mutex_);
        if (--busy_ == 0)
            done_.notify_one();
    }
}

void splitRange(int first, int last, int parts, int index, int align, int& begin, int& end)
{
    const long long count = std::max(0, last - first);
    auto edge = [&](int i) {
        if (i <= 0)
            return first;
        if (i >= parts)
            return std::max(first, last);
        const long long at = count * i / parts / align * align;
        return first + int(at);
    };
    begin = edge(index);
    end = edge(index + 1);
}

void shareRange(WorkerPool& pool, int first, int last, int grain,
                const std::function<void(int worker, int begin, int end)>& work)
{
    if (first >= last)
        return;
    grain = std::max(1, grain);
    std::atomic<long long> next{first};
    pool.run([&](int worker) {
        for (;;) {
            const long long begin = next.fetch_add(grain);
            if (begin >= last)
                return;
            work(worker, int(begin), int(std::min<long long>(begin + grain, last)));
        }
    });
}
