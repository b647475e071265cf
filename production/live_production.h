#pragma once
// The stereogram kept up to date in the background while the user works: each
// request takes a copy of its inputs at once, one worker thread produces the
// newest request, a newer request stops the run of an older one, and only the
// newest finished result is handed over. The caller's thread never waits.
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "base/file_result.h"
#include "production/production.h"

class Component3D;

namespace ovek {

class Image;
struct GreyPicture;

// The inputs of one production with everything they point to owned by it, so
// that later edits of the originals never reach the run.
struct ProductionSnapshot {
    ProductionInput input;                  // points into the members below
    std::unique_ptr<Component3D> mesh;      // mesh mode: a copy of the mesh
    std::unique_ptr<Image> pattern;         // a copy of the pattern picture
    std::shared_ptr<const GreyPicture> depth;   // depth mode: the depth picture made grey

    ProductionSnapshot();
    ~ProductionSnapshot();
    ProductionSnapshot(const ProductionSnapshot&) = delete;
    ProductionSnapshot& operator=(const ProductionSnapshot&) = delete;
};

// Copies what in points to (only the depth source its mode reads). The copy
// has no image factory, no face list and no cancel flag; a progress callback
// stays, and is then called on the thread that runs the copy.
std::unique_ptr<ProductionSnapshot> snapshotOf(const ProductionInput& in,
                                               std::shared_ptr<const GreyPicture> depth = nullptr);

class LiveProduction {
public:
    // threads: the production's workers (0: one per core). The worker thread
    // starts with the first request.
    explicit LiveProduction(int threads = 0);
    // Stops the running production and waits for the worker thread.
    ~LiveProduction();
    LiveProduction(const LiveProduction&) = delete;
    LiveProduction& operator=(const LiveProduction&) = delete;

    // Called on the worker thread whenever a result waits to be taken; it must
    // return quickly and only wake the thread that takes results. Set before
    // the first request.
    std::function<void()> onReady;

    // Asks for the stereogram of in, copied now: a waiting older request is
    // dropped and a running one stopped. Returns the request's number: 1, 2, ...
    // A depth picture already held grey and never changed (depth) is shared
    // rather than copied.
    unsigned request(const ProductionInput& in,
                     std::shared_ptr<const GreyPicture> depth = nullptr);

    struct Result {
        unsigned number = 0;            // the request it answers; 0: nothing waiting
        std::unique_ptr<Image> image;   // null when the production refused the inputs
        FileResult status;              // why, then
    };
    // The finished result of the newest request, once; number 0 while there is
    // none (still running, or a newer request came in since).
    Result take();
    // The number of the newest request; 0 before the first.
    unsigned newest() const;
    // Blocks until the newest request is finished (its result may still wait
    // to be taken). For tests, benchmarks and whoever must have the result.
    void waitIdle();

private:
    void serve();

    const int threads_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;        // the worker: a request came, or stop
    std::condition_variable idle_;        // waitIdle: a run ended
    std::unique_ptr<ProductionSnapshot> pending_;   // the newest request, not yet started
    unsigned newest_ = 0;
    unsigned running_ = 0;                // the request being produced; 0: none
    Result ready_;                        // the newest finished result, until taken
    std::atomic<bool> cancel_{false};     // stops the running production
    bool stopping_ = false;
    std::thread worker_;                  // started by the first request
};

}  // namespace ovek
