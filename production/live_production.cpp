#include "production/live_production.h"

#include <new>

#include "image/grey_picture.h"
#include "image/image.h"
#include "mesh/component3d.h"
#include "mesh/turn_model.h"

namespace ovek {

ProductionSnapshot::ProductionSnapshot() = default;
ProductionSnapshot::~ProductionSnapshot() = default;

std::unique_ptr<ProductionSnapshot> snapshotOf(const ProductionInput& in,
                                               std::shared_ptr<const GreyPicture> depth)
{
    auto snap = std::make_unique<ProductionSnapshot>();
    ProductionInput& copy = snap->input;
    copy = in;
    copy.imageFactory = nullptr;   // the screen's images belong to the main thread
    copy.faces = nullptr;
    copy.cancel = nullptr;
    copy.mesh = nullptr;
    copy.depthPicture = nullptr;
    copy.depthGrey = nullptr;
    if (in.pattern) {
        snap->pattern = std::make_unique<Image>(nullptr, in.pattern->getWidth(),
                                                in.pattern->getHeight());
        snap->pattern->pixels = in.pattern->pixels;
        copy.pattern = snap->pattern.get();
    }
    if (in.modelType == MODEL_TYPE_3D) {
        if (in.mesh) {
            snap->mesh = std::make_unique<Component3D>();
            copyMesh(*in.mesh, *snap->mesh);
            copy.mesh = snap->mesh.get();
        }
    } else if (depth) {
        snap->depth = std::move(depth);
        copy.depthGrey = snap->depth.get();
    } else if (in.depthGrey || in.depthPicture) {
        snap->depth = std::make_shared<const GreyPicture>(in.depthGrey ? *in.depthGrey
                                                                       : greyOf(*in.depthPicture));
        copy.depthGrey = snap->depth.get();
    }
    return snap;
}

LiveProduction::LiveProduction(int threads) : threads_(threads) {}

LiveProduction::~LiveProduction()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        cancel_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

unsigned LiveProduction::request(const ProductionInput& in,
                                 std::shared_ptr<const GreyPicture> depth)
{
    // Copied before taking the lock: the worker is not held up meanwhile.
    std::unique_ptr<ProductionSnapshot> snap = snapshotOf(in, std::move(depth));
    snap->input.threads = threads_;
    snap->input.cancel = &cancel_;
    unsigned number;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_ = std::move(snap);   // an older waiting request is dropped here
        number = ++newest_;
        if (running_)
            cancel_ = true;
        ready_ = Result();   // answers an older request now
        if (!worker_.joinable())
            worker_ = std::thread([this] { serve(); });
    }
    wake_.notify_one();
    return number;
}

LiveProduction::Result LiveProduction::take()
{
    std::lock_guard<std::mutex> lock(mutex_);
    Result out = std::move(ready_);
    ready_ = Result();
    return out;
}

unsigned LiveProduction::newest() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return newest_;
}

void LiveProduction::waitIdle()
{
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return stopping_ || (!pending_ && !running_); });
}

void LiveProduction::serve()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || pending_; });
        if (stopping_)
            break;
        std::unique_ptr<ProductionSnapshot> job = std::move(pending_);
        running_ = newest_;
        cancel_ = false;   // under the lock: a newer request sets it after this
        Result result;
        result.number = running_;
        lock.unlock();

        try {
            result.image = produceStereogram(job->input, &result.status);
        } catch (const std::bad_alloc&) {
            // Out of memory on this thread must not end the program.
            result.image.reset();
            result.status = FileResult::failure("not enough memory for the stereogram");
        }
        job.reset();

        lock.lock();
        // Only the newest request's result is worth showing; a stopped run has none.
        const bool current = result.number == newest_ && !cancel_;
        if (current)
            ready_ = std::move(result);
        if (current && onReady) {
            // Before the run counts as ended: whoever waits for it finds the
            // taker already told.
            lock.unlock();
            onReady();
            lock.lock();
        }
        running_ = 0;
        idle_.notify_all();
    }
    running_ = 0;
    idle_.notify_all();
}

}  // namespace ovek
