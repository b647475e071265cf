#include "animation/animation_pipeline.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/worker_pool.h"
#include "image/image.h"

namespace ovek {

namespace {

// A frame between its production and its writing.
struct Slot {
    bool ready = false;
    std::unique_ptr<PreparedFrame> frame;
    AnimationOutcome outcome;
};

class Pipeline {
public:
    Pipeline(const AnimationRun& run, FrameWriter& writer)
        : run_(run), writer_(writer), total_(run.source->frameCount())
    {
        const int threads = run.threads > 0 ? run.threads : WorkerPool::coreCount();
        workers_ = std::max(1, std::min(threads, total_));
        // Fewer frames than threads: each frame's rows share the rest.
        rowThreads_ = std::max(1, threads / workers_);
        slots_.resize(size_t(2 * workers_));
    }

    AnimationOutcome run()
    {
        std::vector<std::thread> threads;
        for (int t = 0; t < workers_; ++t)
            threads.emplace_back([this] { work(); });
        AnimationOutcome outcome = writeInOrder();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (std::thread& t : threads)
            t.join();
        if (outcome) {
            if (FileResult r = writer_.finish(); !r)
                outcome = {AnimationOutcome::BadOutput, "", r.error};
        }
        return outcome;
    }

private:
    Slot& slotOf(int frame) { return slots_[size_t(frame) % slots_.size()]; }

    void work()
    {
        FrameDepth holder;   // kept between frames, so that its memory is reused
        for (;;) {
            int frame = 0;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                // A frame may start once the frame holding its slot was written.
                changed_.wait(lock, [this] {
                    return stop_ || next_ >= total_ || next_ < written_ + int(slots_.size());
                });
                if (stop_ || next_ >= total_)
                    return;
                frame = next_++;
            }
            Slot made;
            made.outcome = makeFrame(frame, holder, made.frame);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                made.ready = true;
                slotOf(frame) = std::move(made);
            }
            changed_.notify_all();
        }
    }

    AnimationOutcome makeFrame(int frame, FrameDepth& holder, std::unique_ptr<PreparedFrame>& out)
    {
        const FrameSource& source = *run_.source;
        ProductionInput in;
        in.threads = rowThreads_;
        in.settings = run_.settings;
        if (FileResult r = source.depthOf(frame, holder, in); !r)
            return {AnimationOutcome::BadInput, source.inputOf(frame), r.error};
        const std::shared_ptr<const Image> pattern =
            run_.patterns ? run_.patterns(frame, in) : nullptr;
        in.pattern = pattern.get();
        FileResult status;
        const std::unique_ptr<Image> image = produceStereogram(in, &status);
        if (!image)
            return {AnimationOutcome::BadInput, source.inputOf(frame), status.error};
        out = writer_.prepare(*image, frame);
        if (!out)
            return {AnimationOutcome::BadOutput, "",
                    "frame " + std::to_string(frame) + " could not be encoded"};
        return {};
    }

    AnimationOutcome writeInOrder()
    {
        for (int frame = 0; frame < total_; ++frame) {
            Slot taken;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [&] { return slotOf(frame).ready; });
                taken = std::move(slotOf(frame));
                slotOf(frame) = Slot();
            }
            if (!taken.outcome)
                return taken.outcome;
            if (FileResult r = writer_.write(*taken.frame, frame); !r)
                return {AnimationOutcome::BadOutput, "", r.error};
            taken.frame.reset();
            {
                std::lock_guard<std::mutex> lock(mutex_);
                written_ = frame + 1;
            }
            changed_.notify_all();
            if (run_.onFrame)
                run_.onFrame(frame + 1, total_);
        }
        return {};
    }

    const AnimationRun& run_;
    FrameWriter& writer_;
    const int total_;
    int workers_ = 1;
    int rowThreads_ = 1;
    std::vector<Slot> slots_;   // frame k waits in slot k % size between making and writing
    std::mutex mutex_;
    std::condition_variable changed_;
    int next_ = 0;              // the next frame to make
    int written_ = 0;           // frames written
    bool stop_ = false;
};

}  // namespace

AnimationOutcome runAnimation(const AnimationRun& run, FrameWriter& writer)
{
    if (!run.source || run.source->frameCount() <= 0)
        return {AnimationOutcome::BadInput, "", "there are no frames to make"};
    return Pipeline(run, writer).run();
}

}  // namespace ovek
