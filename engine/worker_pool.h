#pragma once
// A fixed set of threads that run one job at a time: each worker calls the job
// with its own index and the caller waits until all of them are done. The
// calling thread is worker 0, so a pool of one thread starts no thread at all.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class WorkerPool {
public:
    // threads < 1 means one thread per core.
    explicit WorkerPool(int threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int size() const { return int(threads_.size()) + 1; }

    // Runs job(worker) for worker = 0 .. size() - 1, each on its own thread,
    // and returns when every call has returned. job must not throw.
    void run(const std::function<void(int worker)>& job);

    // The cores the system offers, at least 1.
    static int coreCount();

private:
    void serve(int worker);

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const std::function<void(int)>* job_ = nullptr;  // the job being run; valid during run
    unsigned generation_ = 0;                        // counts jobs, so a worker runs each once
    int busy_ = 0;                                   // workers still running the current job
    bool stopping_ = false;
};

// Worker `index` of `parts` takes [begin, end) of the range [first, last): the
// range cut into nearly equal pieces whose inner edges are multiples of align.
void splitRange(int first, int last, int parts, int index, int align, int& begin, int& end);

// Runs work(worker, begin, end) over [first, last) in pieces of `grain`
// (inner edges multiples of grain from first) handed out to the pool's workers
// as they come free, so that a worker the system holds back delays the others
// by one piece at most.
void shareRange(WorkerPool& pool, int first, int last, int grain,
                const std::function<void(int worker, int begin, int end)>& work);
